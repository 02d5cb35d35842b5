#include "browser/websitewindow.h"

#include "browser/addressbar.h"
#include "browser/websitelayout.h"
#include "core/branding.h"
#include "ui/accessibility.h"
#include "ui/bringforward.h"
#include "ui/ontop.h"
#include "ui/placement.h"
#include "ui/skin.h"
#include "ui/skinlabel.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

QRect toPixels(const QRect &twips)
{
    return twipsRect(twips.left(), twips.top(), twips.width(), twips.height());
}

} // namespace

WebsiteWindow::WebsiteWindow(QWebEngineProfile *profile, Skin &skin, const QString &address)
    : m_skin(skin)
{
    setObjectName(QStringLiteral("frmWebsite"));
    setAttribute(Qt::WA_DeleteOnClose);
    loadBranding();
    m_address = address.isEmpty() ? branding().websiteAddress : address;

    browserFrame = new QGroupBox(tr("Browser"), this);
    browserFrame->setObjectName(QStringLiteral("frmBrowser"));
    const AddressBar bar =
        makeAddressBar(browserFrame, {QStringLiteral("Label1"), QStringLiteral("Text1"), QStringLiteral("Command7")});
    addressLabel = bar.label;
    addressBox = bar.box;
    goButton = bar.goButton;
    backButton = bar.backButton;
    forwardButton = bar.forwardButton;
    stopButton = bar.stopButton;
    refreshButton = bar.refreshButton;
    // Marks the frame as the container of its skin labels.
    auto *skinLabels = new SkinLabel(browserFrame);
    skinLabels->setObjectName(QStringLiteral("SkinLabel1_0"));
    skinLabels->setGeometry(0, 0, 0, 0);
    skinLabels->hide();
    view = new QWebEngineView(browserFrame);
    view->setObjectName(QStringLiteral("WebBrowser1"));
    view->setPage(new QWebEnginePage(profile, view));

    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_panel[i] = new QLabel(statusBar);
        m_panel[i]->setObjectName(QStringLiteral("StatusBar1_panel%1").arg(i + 1));
        statusBar->addWidget(m_panel[i]);
    }

    connect(goButton, &QToolButton::clicked, this, [this] { navigate(addressBox->text()); });
    connect(addressBox, &QLineEdit::returnPressed, this, [this] { navigate(addressBox->text()); });
    // With no page to go to, these do nothing and report nothing.
    connect(backButton, &QToolButton::clicked, view, &QWebEngineView::back);
    connect(forwardButton, &QToolButton::clicked, view, &QWebEngineView::forward);
    connect(stopButton, &QToolButton::clicked, view, &QWebEngineView::stop);
    connect(refreshButton, &QToolButton::clicked, view, &QWebEngineView::reload);

    // Here panel 1 carries the hovered link and panel 2 the load state: the other way round from
    // the main window.
    connect(view->page(), &QWebEnginePage::linkHovered, this, [this](const QString &url) { m_panel[0]->setText(url); });
    // The address being opened: the browser's own address only changes once the new page arrives.
    connect(view->page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            m_panel[1]->setText(tr("Opening %1").arg(info.url().toString()));
    });
    connect(view, &QWebEngineView::loadFinished, this, [this] {
        const QString url = view->url().toString();
        m_panel[1]->setText(tr("Completed %1").arg(url));
        addressBox->setText(url);
        setWindowTitle(view->title());
    });

    resize(twipsToPixels(9600), twipsToPixels(7200));
    applyAccessibleNames(this);
}

void WebsiteWindow::open(const QWidget *owner)
{
    placeOverOwner(this, owner);
    setWindowTitle(m_address);
    setOnTop(this, true);
    if (m_skin.active()) {
        replaceLabels(this);
        m_skin.apply(this);
    }
    bringForward(this, WindowFocus::Leave);
    navigate(m_address);
    showMaximized();
    // The trip to the top brought the window to the front; it need not stay above the others.
    setOnTop(this, false);
    if (!isMaximized())
        showMaximized();
}

void WebsiteWindow::navigate(const QString &url)
{
    view->load(QUrl::fromUserInput(url));
}

QString WebsiteWindow::panelText(int panel) const
{
    return panel >= 1 && panel <= 2 ? m_panel[panel - 1]->text() : QString();
}

void WebsiteWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout();
}

void WebsiteWindow::applyLayout()
{
    const int statusHeight = statusBar->sizeHint().height();
    const WebsiteLayout layout =
        websiteLayout(pixelsToTwips(width()), pixelsToTwips(height()), pixelsToTwips(statusHeight));
    statusBar->setGeometry(0, height() - statusHeight, width(), statusHeight);
    for (QLabel *panel : m_panel)
        panel->setFixedWidth(twipsToPixels(layout.panelWidth));
    browserFrame->setGeometry(toPixels(layout.frame));
    addressBox->setGeometry(toPixels(layout.urlBox));
    goButton->setGeometry(toPixels(layout.goButton));
    view->setGeometry(toPixels(layout.browser));
}

void WebsiteWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
