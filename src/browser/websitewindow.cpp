#include "browser/websitewindow.h"

#include "browser/websitelayout.h"
#include "core/appstate.h"
#include "core/branding.h"
#include "ui/ontop.h"
#include "ui/skin.h"
#include "ui/skinlabel.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace {

QRect toPixels(const QRect &twips)
{
    return twipsRect(twips.left(), twips.top(), twips.width(), twips.height());
}

QToolButton *makeButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon, const QString &tip,
                        const QRect &twips)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setGeometry(toPixels(twips));
    return button;
}

} // namespace

WebsiteWindow::WebsiteWindow(const QString &address)
{
    using namespace WebsiteDesign;
    setObjectName(QStringLiteral("frmWebsite"));
    setAttribute(Qt::WA_DeleteOnClose);
    loadBranding();
    m_address = address.isEmpty() ? branding().websiteAddress : address;

    frmBrowser = new QGroupBox(QStringLiteral("Browser"), this);
    frmBrowser->setObjectName(QStringLiteral("frmBrowser"));
    Label1 = new QLabel(QStringLiteral("URL:"), frmBrowser);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toPixels(urlLabel));
    // Marks the frame as the container of its skin labels.
    auto *skinLabels = new SkinLabel(frmBrowser);
    skinLabels->setObjectName(QStringLiteral("SkinLabel1_0"));
    skinLabels->setGeometry(0, 0, 0, 0);
    skinLabels->hide();
    Text1 = new QLineEdit(frmBrowser);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(toPixels(urlBox));
    Command3 = makeButton(frmBrowser, QStringLiteral("Command3"), QStyle::SP_ArrowRight,
                          QStringLiteral("browse the entered url"), goButton);
    const auto navigationButton = [this](const char *name, QStyle::StandardPixmap icon, const char *tip, int index) {
        return makeButton(frmBrowser, QLatin1String(name), icon, QLatin1String(tip),
                          QRect(navigationLefts[index], navigationTop, navigationSize, navigationSize));
    };
    Command4 = navigationButton("Command4", QStyle::SP_ArrowBack, "back", 0);
    Command5 = navigationButton("Command5", QStyle::SP_ArrowForward, "forward", 1);
    Command6 = navigationButton("Command6", QStyle::SP_BrowserStop, "stop", 2);
    Command7 = navigationButton("Command7", QStyle::SP_BrowserReload, "refresh", 3);
    WebBrowser1 = new QWebEngineView(frmBrowser);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_panel[i] = new QLabel(StatusBar1);
        m_panel[i]->setObjectName(QStringLiteral("StatusBar1_panel%1").arg(i + 1));
        StatusBar1->addWidget(m_panel[i]);
    }

    connect(Command3, &QToolButton::clicked, this, [this] { navigate(Text1->text()); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] { navigate(Text1->text()); });
    // With no page to go to, these do nothing and report nothing.
    connect(Command4, &QToolButton::clicked, WebBrowser1, &QWebEngineView::back);
    connect(Command5, &QToolButton::clicked, WebBrowser1, &QWebEngineView::forward);
    connect(Command6, &QToolButton::clicked, WebBrowser1, &QWebEngineView::stop);
    connect(Command7, &QToolButton::clicked, WebBrowser1, &QWebEngineView::reload);

    // Here panel 1 carries the hovered link and panel 2 the load state: the other way round from
    // the main window.
    connect(WebBrowser1->page(), &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { m_panel[0]->setText(url); });
    // The address being opened: the browser's own address only changes once the new page arrives.
    connect(WebBrowser1->page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            m_panel[1]->setText(QStringLiteral("Opening ") + info.url().toString());
    });
    connect(WebBrowser1, &QWebEngineView::loadFinished, this, [this] {
        const QString url = WebBrowser1->url().toString();
        m_panel[1]->setText(QStringLiteral("Completed ") + url);
        Text1->setText(url);
        setWindowTitle(WebBrowser1->title());
    });

    resize(twipsToPixels(9600), twipsToPixels(7200));
}

void WebsiteWindow::open()
{
    setWindowTitle(m_address);
    setOnTop(this, true);
    if (skinActive()) {
        replaceLabels(this);
        applySkin(this);
    }
    show();
    raise();
    navigate(m_address);
    showMaximized();
    // The trip to the top brought the window to the front; it need not stay above the others.
    setOnTop(this, false);
    if (!isMaximized())
        showMaximized();
}

void WebsiteWindow::navigate(const QString &url)
{
    WebBrowser1->load(QUrl::fromUserInput(url));
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
    const int statusHeight = StatusBar1->sizeHint().height();
    const WebsiteLayout layout =
        websiteLayout(pixelsToTwips(width()), pixelsToTwips(height()), pixelsToTwips(statusHeight));
    StatusBar1->setGeometry(0, height() - statusHeight, width(), statusHeight);
    for (QLabel *panel : m_panel)
        panel->setFixedWidth(twipsToPixels(layout.panelWidth));
    frmBrowser->setGeometry(toPixels(layout.frame));
    Text1->setGeometry(toPixels(layout.urlBox));
    Command3->setGeometry(toPixels(layout.goButton));
    WebBrowser1->setGeometry(toPixels(layout.browser));
}

void WebsiteWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // The main window has already gone: this window was what kept the program running.
    if (event->isAccepted() && pendingExit()) {
        if (skinActive())
            stopSkin();
        endProgram();
    }
}
