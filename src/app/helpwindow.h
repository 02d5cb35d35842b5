#pragma once

#include "core/datafolder.h"

#include <QWidget>

class QCheckBox;
class QTextBrowser;
class SettingsStore;
class Skin;

// The help window: shows "Help.rtf" from the data folder, stays on top of the other windows and
// lets the user decide with "Show at Startup" whether it opens when the program starts.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // "Show at Startup" is kept in settings; the document is looked for in folder first (helpFilePath).
    HelpWindow(SettingsStore &settings, Skin &skin, const DataFolder &folder, QWidget *owner = nullptr);

    // The window's load. Returns false, and the window must not be shown, when there is no
    // help document.
    bool load();

    QTextBrowser *helpText = nullptr;
    QCheckBox *showAtStartupBox = nullptr;

private:
    SettingsStore &m_settings;
    Skin &m_skin;
    DataFolder m_folder;
};

// Whether the help document is there to be shown for a run on folder.
bool helpAvailable(const DataFolder &folder);
