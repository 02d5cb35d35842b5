#include "app/aboutwindow.h"

#include "core/branding.h"
#include "ui/bringforward.h"
#include "ui/placement.h"
#include "ui/shellresources.h"
#include "ui/skin.h"
#include "ui/skinlabel.h"
#include "ui/twips.h"
#include "ui/widgetfactory.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>

namespace {

// Branding values are shown as they are, never as markup.
QLabel *makePlainLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    QLabel *label = makeLabel(parent, name, text, geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutWindow::AboutWindow(Skin &skin, QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    initShellResources();
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    const QSize size(twipsToPixels(5640), twipsToPixels(2460));
    setFixedSize(size);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(9);
    setFont(font);

    picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(twipsRect(240, 240, 1200, 1200));
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/about.png")));

    titleLabel =
        makePlainLabel(this, QStringLiteral("Label1"), tr("Your Program Name"), twipsRect(1680, 240, 3720, 480));
    QFont title = font;
    title.setPointSize(14);
    title.setBold(true);
    titleLabel->setFont(title);

    versionCaption = makePlainLabel(this, QStringLiteral("Label2"), tr("Version:"), twipsRect(1680, 960, 1200, 285));
    ownerCaption = makePlainLabel(this, QStringLiteral("Label3"), tr("Owned By:"), twipsRect(1680, 1320, 1200, 285));
    websiteCaption = makePlainLabel(this, QStringLiteral("Label4"), tr("Website:"), twipsRect(1680, 1680, 1200, 285));
    versionLabel = makePlainLabel(this, QStringLiteral("lblVersion"), QString(), twipsRect(2940, 960, 2460, 285));
    companyLabel = makePlainLabel(this, QStringLiteral("lblCompany"), QString(), twipsRect(2940, 1320, 2460, 285));
    websiteLabel = makePlainLabel(this, QStringLiteral("lblWebsite"), QString(), twipsRect(2940, 1680, 2460, 285));
    QPalette blue = websiteLabel->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    websiteLabel->setPalette(blue);
    websiteLabel->setCursor(Qt::PointingHandCursor);
    websiteLabel->setFocusPolicy(Qt::TabFocus);
    websiteLabel->installEventFilter(this);

    // Marks the window as the container of its skin labels.
    auto *skinLabels = new SkinLabel(this);
    skinLabels->setObjectName(QStringLiteral("SkinLabel1_0"));
    skinLabels->setGeometry(0, 0, 0, 0);
    skinLabels->hide();

    closeOnEscape(this);

    // The window's load.
    const Branding &brand = branding();
    setWindowTitle(tr("About %1").arg(brand.programName));
    titleLabel->setText(brand.programName);
    companyLabel->setText(brand.companyName);
    versionLabel->setText(versionText(brand.versionMajor, brand.versionMinor));
    websiteLabel->setText(brand.websiteAddress);
    if (skin.active()) {
        replaceLabels(this);
        skin.apply(this);
    }
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == websiteLabel) {
        const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
                             websiteLabel->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint());
        const bool pressedKey =
            event->type() == QEvent::KeyPress && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                                                  static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space);
        if (clicked || pressedKey) {
            Q_EMIT websiteClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString versionText(int major, int minor)
{
    return QString::number(major) + QLatin1Char('.') + QString::number(minor);
}

AboutWindow *showAboutWindow(QPointer<AboutWindow> &open, Skin &skin, QWidget *owner, std::function<void()> openWebsite)
{
    if (!open) {
        open = new AboutWindow(skin, owner);
        placeOverOwner(open, owner);
        if (openWebsite)
            QObject::connect(open, &AboutWindow::websiteClicked, open, std::move(openWebsite));
    }
    bringForward(open, WindowFocus::Leave);
    return open;
}
