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
