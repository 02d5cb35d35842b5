#pragma once

#include <QString>
#include <QUrl>

// What the watched posts need of the browser: the address it shows, and opening a watched
// thread in it. The embedded browser is one (EmbeddedThreadBrowser); the "Your Posts" page can
// be tried without a page engine.
class ThreadBrowser
{
public:
    virtual ~ThreadBrowser() = default;
    // The address of the page the browser shows.
    virtual QUrl currentUrl() const = 0;
    // Shows url. The post check is left as it is: the opened page is no page the user posted from.
    virtual void openThread(const QString &url) = 0;
};
