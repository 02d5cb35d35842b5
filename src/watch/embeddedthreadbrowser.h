#pragma once

#include "watch/threadbrowser.h"

#include <QMetaObject>

class BrowserController;

// The embedded browser as the watched posts see it.
class EmbeddedThreadBrowser : public ThreadBrowser
{
public:
    explicit EmbeddedThreadBrowser(BrowserController &browser);
    ~EmbeddedThreadBrowser() override;

    QUrl currentUrl() const override;
    // Shows url with the post check ended; an address with an anchor ("#pid83") is shown scrolled
    // to it, on a page loaded afresh.
    void openThread(const QString &url) override;
    void readPageHead(PageHead done) override;

private:
    BrowserController &m_browser;
    // Scrolls the page being opened to its anchor once it has loaded.
    QMetaObject::Connection m_showAnchor;
};
