#pragma once

#include "app/helpwindowkeeper.h"
#include "browser/forumloginlist.h"
#include "compose/templateset.h"
#include "core/programlifetime.h"
#include "watch/browsercookiejar.h"
#include "watch/watchedpostlist.h"

#include <QPointer>

class AboutWindow;
class QWebEngineProfile;

// What one run of the program works on, built once by main() and handed to the main window: the
// lists kept in the data folder, the link templates, the browser's stored profile and the copy of its
// cookies the reply check sends, the help and About windows and what decides when
// the run ends.
struct AppContext
{
    AppContext();

    WatchedPostList watchedPosts;
    ForumLoginList forumLogins;
    TemplateSet templates;
    QWebEngineProfile *profile;
    BrowserCookieJar probeCookies;
    ProgramLifetime lifetime;
    HelpWindowKeeper help;
    QPointer<AboutWindow> about;
};
