#include "browser/browserpage.h"

#include "browser/popupwindow.h"
#include "ui/placement.h"

#include <QWebEngineView>

BrowserPage::BrowserPage(QWebEngineProfile *profile, PopupPolicy popupsAllowed, QObject *parent)
    : QWebEnginePage(profile, parent)
    , m_popupsAllowed(std::move(popupsAllowed))
{
}

QWebEnginePage *BrowserPage::createWindow(WebWindowType)
{
    if (!m_popupsAllowed || !m_popupsAllowed())
        return nullptr;
    auto *window = new PopupWindow(profile(), m_popupsAllowed);
    placeOverOwner(window, QWebEngineView::forPage(this));
    window->show();
    return window->page();
}
