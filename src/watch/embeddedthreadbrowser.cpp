#include "watch/embeddedthreadbrowser.h"

#include "browser/browsercontroller.h"
#include "browser/scriptpage.h"
#include "watch/threadaddress.h"

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

void EmbeddedThreadBrowser::readPageHead(PageHead done)
{
    const QUrl shown = m_browser.currentUrl();
    ScriptPage *page = m_browser.scriptPage();
    if (!page) {
        done(shown.toString(), QByteArray());
        return;
    }
    // The page's answer comes later; a page that went on to another address meanwhile is not the
    // one asked about, so its head says nothing of it. An answer that never comes (the page torn
    // down first) leaves nothing to watch anyway.
    page->runScript(readHeadScript(), [this, shown, done](const QVariant &head) {
        const bool same = m_browser.currentUrl() == shown;
        done(shown.toString(), same ? head.toString().toUtf8() : QByteArray());
    });
}
