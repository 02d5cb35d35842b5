#pragma once

#include <QObject>

// When the program ends. Closing the main window ends it, unless the secondary browser window is
// still open: then the program goes on until that window closes too.
class ProgramLifetime : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The main window closed; browserStillOpen when the secondary browser window is showing and
    // the user did not choose Exit (which closes that window as well).
    void mainWindowClosed(bool browserStillOpen);
    // The secondary browser window closed.
    void browserWindowClosed();
    // Whether the main window has gone and the program waits for the browser window.
    bool endPending() const { return m_endPending; }

Q_SIGNALS:
    // The program is to end now; main() stops the skin and leaves the event loop.
    void ended();

private:
    bool m_endPending = false;
};
