#include "watch/embeddedthreadbrowser.h"

#include "browser/browsercontroller.h"

EmbeddedThreadBrowser::EmbeddedThreadBrowser(BrowserController &browser)
    : m_browser(browser)
{
}

QUrl EmbeddedThreadBrowser::currentUrl() const
{
    return m_browser.currentUrl();
}

void EmbeddedThreadBrowser::openThread(const QString &url)
{
    m_browser.armPostCheck(0);
    m_browser.navigate(url);
}
