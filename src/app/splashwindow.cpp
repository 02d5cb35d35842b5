#include "app/splashwindow.h"

#include "core/branding.h"
#include "ui/skin.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace {
// The splash stays for 75 ticks of 2 ms. Its counter starts at 0 and grows by 2 on each tick, so
// the 75th tick is the one that reads 2 * 74 = 148.
constexpr int kTickMs = 2;
constexpr qint16 kCounterStep = 2;
constexpr int kTicksShown = 75;
constexpr qint16 kLastCount = kCounterStep * (kTicksShown - 1);
} // namespace

SplashWindow::SplashWindow(Skin &skin, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_QuitOnClose, false);
    const QSize size(twipsToPixels(7170), twipsToPixels(4770));
    setFixedSize(size);

    picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(QRect(QPoint(0, 0), size));
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png")));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }

    loadTimer = new QTimer(this);
    loadTimer->setObjectName(QStringLiteral("Timer2"));
    loadTimer->setInterval(kTickMs);
    connect(loadTimer, &QTimer::timeout, this, &SplashWindow::tick);

    // The window's load: the branding is read, the timer starts.
    loadBranding();
    if (skin.active())
        skin.start(this);
    loadTimer->start();
}

void SplashWindow::tick()
{
    const qint16 seen = intTemp;
    intTemp = qint16(intTemp + kCounterStep);
    if (seen != kLastCount)
        return;
    loadTimer->stop();
    hide();
    Q_EMIT timeUp();
}
