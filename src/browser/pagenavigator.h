#pragma once

#include <QString>
#include <QUrl>

// What a list of forum addresses needs of the browser: the address it shows, and going to
// another one. The browser controller is one; a list can be tried without a page engine.
class PageNavigator
{
public:
    virtual ~PageNavigator() = default;
    // The address of the page the browser shows.
    virtual QUrl currentUrl() const = 0;
    virtual void navigate(const QString &url) = 0;
};
