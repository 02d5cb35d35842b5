#pragma once

#include "watch/threadbrowser.h"

class BrowserController;

// The embedded browser as the watched posts see it.
class EmbeddedThreadBrowser : public ThreadBrowser
{
public:
    explicit EmbeddedThreadBrowser(BrowserController &browser);

    QUrl currentUrl() const override;
    void openThread(const QString &url) override;

private:
    BrowserController &m_browser;
};
