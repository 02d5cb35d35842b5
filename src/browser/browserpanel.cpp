#include "browser/browserpanel.h"

#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWebEngineView>

BrowserPanel::BrowserPanel(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Frame2"));
    setGeometry(twipsRect(DesignGeometry::frame2));
    setTitle(tr("Browser"));
    addressLabel = makeLabel(this, QStringLiteral("Label5"), tr("URL:"), twipsRect(120, 270, 405, 255));
    addressBox = makeControl<QLineEdit>(this, QStringLiteral("Text5"), twipsRect(DesignGeometry::text5));
    goButton = makeIconButton(this, QStringLiteral("Command3"), QStyle::SP_ArrowRight, tr("browse the entered url"),
                              twipsRect(DesignGeometry::command3));
    backButton = makeIconButton(this, QStringLiteral("Command4"), QStyle::SP_ArrowBack, tr("back"),
                                twipsRect(540, 600, 435, 435));
    forwardButton = makeIconButton(this, QStringLiteral("Command5"), QStyle::SP_ArrowForward, tr("forward"),
                                   twipsRect(1020, 600, 435, 435));
    stopButton = makeIconButton(this, QStringLiteral("Command6"), QStyle::SP_BrowserStop, tr("stop"),
                                twipsRect(1500, 600, 435, 435));
    refreshButton = makeIconButton(this, QStringLiteral("Command7_1"), QStyle::SP_BrowserReload, tr("refresh"),
                                   twipsRect(1980, 600, 435, 435));
    noPopupsBox = makeControl<QCheckBox>(this, QStringLiteral("Check1"), twipsRect(2520, 660, 1500, 315));
    noPopupsBox->setText(tr("No Popups"));
    noPopupsBox->setChecked(true);
    view = makeControl<QWebEngineView>(this, QStringLiteral("WebBrowser1"), twipsRect(DesignGeometry::webBrowser1));
    addressLabel->setBuddy(addressBox); // names the box for a screen reader
}
