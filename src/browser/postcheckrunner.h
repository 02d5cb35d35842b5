#pragma once

#include "browser/postcheck.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

class ScriptPage;

// Runs the post check on the page the browser shows: the whole page after every completed download
// and, while the check is armed, what the page added since (a quick reply sent with XMLHttpRequest
// and put into the page), or the whole page again once its address changed without a load
// (history.pushState: a new page). The page tells of its changes through an observer the check
// puts into it (pagechangescripts.h); the check asks it every pollIntervalMs while it is armed, and
// only then. What a change added counts once no writing box on the page holds the message any more:
// a post that is sent leaves its box empty or closed, while a preview beside the box shows the
// message before anything is sent. A reply form (isReplyFormAddress) is never searched.
class PostCheckRunner : public QObject
{
    Q_OBJECT
public:
    static constexpr int pollIntervalMs = 500;
    // A page that does not answer (its renderer gone) is asked again after this many rounds.
    static constexpr int patienceRounds = 20;

    PostCheckRunner(ScriptPage &page, PostCheck &check, QObject *parent = nullptr);

    // A download completed in the page: counted, and its page searched while the check is armed.
    void downloadCompleted();
    // The check has just been armed: the page shown now is watched for changes from here on.
    void armed();
    bool isWatching() const { return m_poll.isActive(); }
    // How often the page is asked while the check is armed.
    void setPollInterval(int ms) { m_poll.setInterval(ms); }

Q_SIGNALS:
    // The page shows the message last inserted; the browser shows the thread to watch.
    void messageShown();

private:
    void watchPage(const PostCheck::Ticket &ticket);
    void onPageRead(const PostCheck::Ticket &ticket, const QUrl &url, const QVariant &answer);
    void poll();
    void onPolled(const QVariant &answer);
    void onChangesTaken(const PostCheck::Ticket &ticket, const QUrl &url, const QVariant &answer);
    void ask(const QString &script, std::function<void(const QVariant &)> then);
    void found(const PostCheck::Ticket &ticket);
    bool showsAddress(const QUrl &url, const QVariant &href) const;

    ScriptPage &m_page;
    PostCheck &m_check;
    QTimer m_poll;
    // The address (without its fragment) of the page last read whole: another one is a new page.
    QUrl m_address;
    // One question to the page at a time; rounds skipped while one is open.
    bool m_asking = false;
    int m_waitedRounds = 0;
    int m_serial = 0;
};
