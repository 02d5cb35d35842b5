#include "app/splashwindow.h"

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "core/branding.h"
#include "ui/skin.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_QuitOnClose, false);
    const QSize size(twipsToPixels(7170), twipsToPixels(4770));
    setFixedSize(size);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(0, 0), size));
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png")));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(2);
    connect(Timer2, &QTimer::timeout, this, &SplashWindow::tick);

    // The window's load: a fresh run has no pending exit, the branding is read, the timer starts.
    setPendingExit(false);
    loadBranding();
    if (skinActive())
        startSkin(this);
    Timer2->start();
}

void SplashWindow::tick()
{
    const qint16 seen = intTemp;
    intTemp = qint16(intTemp + 2);
    if (seen != 148)
        return;
    Timer2->stop();
    m_main = new MainWindow;
    m_main->setAttribute(Qt::WA_DeleteOnClose, false);
    m_main->load();
    m_main->show();
    hide();
    Q_EMIT mainWindowShown(m_main);
}
