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

void EmbeddedThreadBrowser::openThread(const QString &url, int postCheckDownloads)
{
    // Armed before the page is asked for, so that the opened page's own download counts.
    m_browser.armPostCheck(postCheckDownloads);
    m_browser.navigate(url);
}
