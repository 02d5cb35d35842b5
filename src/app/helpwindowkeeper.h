#pragma once

#include <QPointer>

class HelpWindow;
class QWidget;

// Keeps the one help window of a run: the menu brings the open one forward rather than opening a
// second, and the window is closed with the main window.
class HelpWindowKeeper
{
public:
    ~HelpWindowKeeper();

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
    QPointer<HelpWindow> m_window;
};
