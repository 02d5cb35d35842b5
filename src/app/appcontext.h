#pragma once

#include "app/appsetup.h"
#include "app/helpwindowkeeper.h"
#include "browser/browserprofile.h"
#include "browser/forumloginlist.h"
#include "compose/templateset.h"
#include "core/datafolder.h"
#include "core/programlifetime.h"
#include "core/settingsstore.h"
#include "ui/messageboxes.h"
#include "ui/skin.h"
#include "watch/browsercookiejar.h"
#include "watch/watchedpostlist.h"

#include <QPointer>

#include <memory>

class AboutWindow;

// What one run of the program works on, built once by main() (or by a test, on a scratch folder)
// and handed to the main window, which hands each area the services it needs. It owns the
// process's services: the settings store, the data folder, the browser's profile, the message
// boxes and the skin; and what the run keeps: the lists kept in the data folder, the link
// templates, the copy of the browser's cookies the reply check sends, the help and About windows
// and what decides when the run ends. Every window made with its profile must be gone before it.
struct AppContext
{
    explicit AppContext(AppSetup setup);

    SettingsStore settings;
    const DataFolder dataFolder;
    BrowserProfile browser;
    const std::unique_ptr<MessageBoxes> messageBoxes;
    Skin skin;

    WatchedPostList watchedPosts;
    ForumLoginList forumLogins;
    TemplateSet templates;
    BrowserCookieJar probeCookies;
    ProgramLifetime lifetime;
    HelpWindowKeeper help;
    QPointer<AboutWindow> about;
};
