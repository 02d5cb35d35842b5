#pragma once

#include "browser/forumloginlist.h"
#include "compose/templateset.h"
#include "watch/watchedpostlist.h"

class QWebEngineProfile;

// What one run of the program works on, built once by main() and handed to the main window: the
// lists kept in the data folder, the link templates and the browser's stored profile.
struct AppContext
{
    AppContext();

    WatchedPostList watchedPosts;
    ForumLoginList forumLogins;
    TemplateSet templates;
    QWebEngineProfile *profile;
};
