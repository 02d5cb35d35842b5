#include "browser/browserpanel.h"

#include "ui/widgetfactory.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWebEngineView>

BrowserPanel::BrowserPanel(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Frame2"));
    setGeometry(twipsRect(3840, 900, 6375, 7395));
    setTitle(QStringLiteral("Browser"));
    addressLabel = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("URL:"), twipsRect(120, 270, 405, 255));
    addressBox = makeControl<QLineEdit>(this, QStringLiteral("Text5"), twipsRect(540, 240, 4875, 315));
    goButton = makeIconButton(this, QStringLiteral("Command3"), QStyle::SP_ArrowRight,
                              QStringLiteral("browse the entered url"), twipsRect(5460, 240, 795, 315));
    backButton = makeIconButton(this, QStringLiteral("Command4"), QStyle::SP_ArrowBack, QStringLiteral("back"),
                                twipsRect(540, 600, 435, 435));
    forwardButton = makeIconButton(this, QStringLiteral("Command5"), QStyle::SP_ArrowForward, QStringLiteral("forward"),
                                   twipsRect(1020, 600, 435, 435));
    stopButton = makeIconButton(this, QStringLiteral("Command6"), QStyle::SP_BrowserStop, QStringLiteral("stop"),
                                twipsRect(1500, 600, 435, 435));
    refreshButton = makeIconButton(this, QStringLiteral("Command7_1"), QStyle::SP_BrowserReload,
                                   QStringLiteral("refresh"), twipsRect(1980, 600, 435, 435));
    noPopupsBox = makeControl<QCheckBox>(this, QStringLiteral("Check1"), twipsRect(2520, 660, 1500, 315));
    noPopupsBox->setText(QStringLiteral("No Popups"));
    noPopupsBox->setChecked(true);
    view = makeControl<QWebEngineView>(this, QStringLiteral("WebBrowser1"), twipsRect(120, 1140, 6135, 5595));
    addressLabel->setBuddy(addressBox); // names the box for a screen reader
}
