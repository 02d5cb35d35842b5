#pragma once

#include <QObject>
#include <QPointer>

class QSystemTrayIcon;
class QWidget;

// Tells the user on the desktop that a reply check found new replies while the main window was
// not the active window. Clicking the notification asks for the window (activationRequested).
// Where the desktop has no notification area, nothing is shown and nothing breaks.
class ReplyNotifier : public QObject
{
    Q_OBJECT
public:
    explicit ReplyNotifier(QWidget *window);

    // Shows the notification unless the window is active; returns whether it was shown.
    bool notify(int threadsWithReplies);

Q_SIGNALS:
    void activationRequested();

private:
    QWidget *m_window = nullptr;
    QPointer<QSystemTrayIcon> m_tray;
};
