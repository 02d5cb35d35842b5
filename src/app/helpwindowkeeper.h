#pragma once

#include "core/datafolder.h"

#include <QPointer>

class HelpWindow;
class QWidget;
class SettingsStore;
class Skin;

// Keeps the one help window of a run: the menu brings the open one forward rather than opening a
// second, and the window is closed with the main window.
class HelpWindowKeeper
{
public:
    // The windows it opens keep "Show at Startup" in settings, look for the help document in
    // folder first and wear skin when that is on.
    HelpWindowKeeper(SettingsStore &settings, Skin &skin, const DataFolder &folder);
    ~HelpWindowKeeper();
    HelpWindowKeeper(const HelpWindowKeeper &) = delete;
    HelpWindowKeeper &operator=(const HelpWindowKeeper &) = delete;

    // Opens the help window, or brings the open one forward. Returns the window, or null when
    // there is no help document to show.
    HelpWindow *show(QWidget *owner);
    // At start: opens the help window unless the user turned that off.
    void showAtStartup(QWidget *owner);
    // The open help window, if any.
    HelpWindow *window() const;
    // Closes the help window if it is open (at shutdown).
    void unload();

private:
    SettingsStore &m_settings;
    Skin &m_skin;
    DataFolder m_folder;
    QPointer<HelpWindow> m_window;
};
