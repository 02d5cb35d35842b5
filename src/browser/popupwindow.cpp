#include "browser/popupwindow.h"

#include "ui/accessibility.h"

#include <QVBoxLayout>
#include <QWebEngineView>

PopupWindow::PopupWindow(QWebEngineProfile *profile, BrowserPage::PopupPolicy popupsAllowed)
{
    setObjectName(QStringLiteral("popupWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("popupBrowser"));
    // The page belongs to the view so that it goes with the window.
    m_view->setPage(new BrowserPage(profile, std::move(popupsAllowed), m_view));
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    // A page may close its own window (window.close()).
    connect(m_view->page(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    resize(640, 480);
    applyAccessibleNames(this);
}

QWebEnginePage *PopupWindow::page() const
{
    return m_view->page();
}
