#include "app/replynotifier.h"

#include "core/branding.h"
#include "watch/replyschedule.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>

ReplyNotifier::ReplyNotifier(QWidget *window)
    : QObject(window)
    , m_window(window)
{
}

bool ReplyNotifier::notify(int threadsWithReplies)
{
    if (threadsWithReplies <= 0 || m_window->isActiveWindow())
        return false;
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        m_tray->setToolTip(branding().programName);
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, &ReplyNotifier::activationRequested);
        connect(m_tray, &QSystemTrayIcon::activated, this, &ReplyNotifier::activationRequested);
    }
    m_tray->show();
    m_tray->showMessage(branding().programName, ReplySchedule::notificationText(threadsWithReplies),
                        QSystemTrayIcon::Information);
    return true;
}
