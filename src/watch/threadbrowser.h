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
    // Shows url, with the post check armed for the next postCheckDownloads downloads.
    virtual void openThread(const QString &url, int postCheckDownloads) = 0;
};
