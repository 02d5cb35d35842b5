#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

// What the watched posts need of the browser: the address it shows, what the page shown says of
// itself, and opening a watched thread in it. The embedded browser is one
// (EmbeddedThreadBrowser); the "Your Posts" page can be tried without a page engine.
class ThreadBrowser
{
public:
    using PageHead = std::function<void(const QString &pageUrl, const QByteArray &head)>;

    virtual ~ThreadBrowser() = default;
    // The address of the page the browser shows.
    virtual QUrl currentUrl() const = 0;
    // Shows url, with the post check ended: the opened page, and the pages the user goes on to from
    // there (a reply form that reviews the user's earlier post), are no new thread.
    virtual void openThread(const QString &url) = 0;
    // Gives done the address of the page shown and the markup of its head (where it names its
    // canonical address), later or at once; an empty head when it cannot be read, which a browser
    // without pages always gives.
    virtual void readPageHead(PageHead done) { done(currentUrl().toString(), QByteArray()); }
};
