#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Checks made before the application object exists, so that a user without a display or a root
// user gets one clear line instead of an abort or a dead browser.

// The platform named on the command line ("-platform name" or "--platform name"), or empty.
QString platformArgument(const QStringList &arguments);

// Whether the window system the program will use can be reached: the platform is the one named
// on the command line, else QT_QPA_PLATFORM (a ";" list of which any may serve; options after
// ":" do not count), else X11 or Wayland, whichever has its display set. X11 needs DISPLAY and
// Wayland needs WAYLAND_DISPLAY; the other platforms (offscreen, vnc, eglfs, ...) need none.
bool displayAvailable(const QString &platformArgument, const QString &qpaPlatform, const QString &display,
                      const QString &waylandDisplay);

// The one line printed when no display can be reached; names the display when one was set but
// could not be opened.
QString noDisplayLine(const QString &unreachableDisplay = QString());

// Whether start-up must turn the browser engine's sandbox off: it cannot work for root, and
// nothing needs doing when the user turned it off already (QTWEBENGINE_DISABLE_SANDBOX set, or
// --no-sandbox among QTWEBENGINE_CHROMIUM_FLAGS).
bool sandboxMustBeTurnedOff(bool runningAsRoot, bool disableSandboxSet, const QByteArray &chromiumFlags);
QString sandboxOffLine();

// Applies the checks to this process. Returns 0 to go on, or the exit status after printing the
// no-display line; turns the sandbox off for root, which finishStartupChecks() then reports. Until
// finishStartupChecks() Qt's platform messages are held back, so that a display that is set but cannot be opened also
// ends in the one line and status 1.
int runStartupChecks(int argc, char **argv);
void finishStartupChecks();
