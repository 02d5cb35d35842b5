#pragma once

#include "watch/threadbrowser.h"

class BrowserController;

// The embedded browser as the watched posts see it.
class EmbeddedThreadBrowser : public ThreadBrowser
{
public:
    explicit EmbeddedThreadBrowser(BrowserController &browser);

    QUrl currentUrl() const override;
    void openThread(const QString &url, int postCheckDownloads) override;
    void readPageHead(PageHead done) override;

private:
    BrowserController &m_browser;
};
