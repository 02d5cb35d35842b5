#include "browser/browserpanel.h"

#include "browser/addressbar.h"
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
    const AddressBar bar =
        makeAddressBar(this, {QStringLiteral("Label5"), QStringLiteral("Text5"), QStringLiteral("Command7_1")});
    addressLabel = bar.label;
    addressBox = bar.box;
    goButton = bar.goButton;
    backButton = bar.backButton;
    forwardButton = bar.forwardButton;
    stopButton = bar.stopButton;
    refreshButton = bar.refreshButton;
    noPopupsBox = makeControl<QCheckBox>(this, QStringLiteral("Check1"), twipsRect(2520, 660, 1500, 315));
    noPopupsBox->setText(tr("No Popups"));
    noPopupsBox->setChecked(true);
    view = makeControl<QWebEngineView>(this, QStringLiteral("WebBrowser1"), twipsRect(DesignGeometry::webBrowser1));
}
