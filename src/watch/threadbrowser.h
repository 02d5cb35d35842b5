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
    // Shows url, with the post check ended: the opened page, and the pages the user goes on to from
    // there (a reply form that reviews the user's earlier post), are no new thread.
    virtual void openThread(const QString &url) = 0;
};
