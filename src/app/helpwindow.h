#pragma once

#include <QWidget>

class QCheckBox;
class QTextBrowser;

// The help window: shows "Help.rtf" from the data folder, stays on top of the other windows and
// lets the user decide with "Show at Startup" whether it opens when the program starts.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *owner = nullptr);

    // The window's load. Returns false, and the window must not be shown, when there is no
    // help document.
    bool load();

    QTextBrowser *helpText = nullptr;
    QCheckBox *showAtStartupBox = nullptr;
};

// Whether the help document is there to be shown.
bool helpAvailable();
// Opens the help window, or brings the open one forward. Returns the window, or null when there
// is no help document to show.
HelpWindow *showHelpWindow(QWidget *owner);
// At start: opens the help window unless the user turned that off.
void showHelpAtStartup(QWidget *owner);
// The open help window, if any.
HelpWindow *helpWindow();
// Closes the help window if it is open (at shutdown).
void unloadHelpWindow();
