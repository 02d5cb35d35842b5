#include "watch/embeddedthreadbrowser.h"

#include "browser/browsercontroller.h"
#include "browser/scriptpage.h"
#include "watch/threadpagescripts.h"

EmbeddedThreadBrowser::EmbeddedThreadBrowser(BrowserController &browser)
    : m_browser(browser)
{
}

EmbeddedThreadBrowser::~EmbeddedThreadBrowser()
{
    QObject::disconnect(m_showAnchor);
}

QUrl EmbeddedThreadBrowser::currentUrl() const
{
    return m_browser.currentUrl();
}

void EmbeddedThreadBrowser::openThread(const QString &url)
{
    // The opened page, and the pages the user goes on to from there, are no new thread.
    m_browser.armPostCheck(0);
    QObject::disconnect(m_showAnchor);
    const QUrl target(url);
    ScriptPage *page = m_browser.scriptPage();
    if (!target.hasFragment() || !page) {
        m_browser.navigate(url);
        return;
    }
    // Asked for at one of its posts, a page the browser shows already would only be scrolled, and
    // it may not hold the new posts yet: it is loaded afresh without the anchor, then scrolled.
    const QUrl address = target.adjusted(QUrl::RemoveFragment);
    const QString anchor = target.fragment();
    m_showAnchor = QObject::connect(page, &ScriptPage::loadFinished, page, [this, page, address, anchor](bool ok) {
        QObject::disconnect(m_showAnchor);
        if (ok && page->pageUrl().adjusted(QUrl::RemoveFragment) == address)
            page->runScript(scrollToAnchorScript(anchor), [](const QVariant &) {});
    });
    m_browser.navigate(address.toString());
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
