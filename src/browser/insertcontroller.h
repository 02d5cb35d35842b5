#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class PostCheck;
class ScriptPage;
struct InsertReport;

// Auto-insert from the click to the answer: puts the converted message into the editing surface
// the user works in (the focused one, else a composer the page opened), or else reads the page's
// markup and finds the post form and its message box by the markup scan; fills the text area or
// the editor that stands for it, reads back that the message is there, and only then arms the
// post check. The page is reached through ScriptPage only, so every rule here is tested with a
// fake page.
class InsertController : public QObject
{
    Q_OBJECT
public:
    // The converted outgoing text, whether its template writes HTML (a rich editor then takes it
    // as markup, so its links stay links), and the outgoing text as the user wrote it (what an
    // editor shows that renders the link codes itself).
    struct Message
    {
        QString text;
        bool markup = false;
        QString plain;
    };
    using MessageSource = std::function<Message()>;
    // Tells the user the message did not go in; calls dismissed once the user has seen it.
    using FailureReport = std::function<void(std::function<void()> dismissed)>;

    // A page that never answers (its renderer gone, a navigation that swallowed the script) must
    // not block later inserts for good.
    static constexpr int answerLimitMs = 15000;
    // Some editors take a paste a moment later: the surface is read again this often, this far
    // apart. Short steps end an insert soon after the editor shows the message.
    static constexpr int readBackTries = 40;
    static constexpr int readBackIntervalMs = 10;
    // An editor follows the selection in its own model only once its page has the keyboard focus:
    // the surface is selected again until the page says it has it, this often, at most this long.
    static constexpr int focusPollMs = 5;
    static constexpr int focusWaitMs = 60;

    // scratchFile: where the markup the scan read is recorded (htmltemp.txt).
    InsertController(ScriptPage &page, PostCheck &postCheck, MessageSource message, FailureReport reportFailure,
                     const QString &scratchFile, QObject *parent = nullptr);

    // One insert at a time; clicks that arrive meanwhile run one after the other.
    void autoInsert();
    bool busy() const { return m_busy; }
    // How long the controller waits for the page to answer a script before it gives up.
    void setAnswerLimit(int ms) { m_watchdog.setInterval(ms); }

Q_SIGNALS:
    // An insert has ended: the message is in the page, or the user was told it is not.
    void finished(bool inserted);

private:
    void start();
    void onMarkup(int serial, const QVariant &body);
    void onFilled(int serial, const QVariant &answer);
    void select(int serial);
    // What an editor's surface is given, as a copy from a page carries it: the html template's
    // markup with its visible text, other messages as text alone (null markup).
    QString pastedText() const;
    QString pastedMarkup() const;
    void paste(int serial);
    void onSurfaceRead(int serial, const QVariant &answer, int triesLeft);
    void run(int serial, const QString &script, std::function<void(const QVariant &)> then);
    void succeed(int serial);
    void end(int serial, bool inserted);

    ScriptPage &m_page;
    PostCheck &m_postCheck;
    MessageSource m_message;
    FailureReport m_reportFailure;
    QString m_scratchFile;
    bool m_busy = false;
    int m_queued = 0;
    int m_serial = 0;
    Message m_current;
    bool m_answered = false; // the editor asked about the paste and got its answer
    QDeadlineTimer m_focusWait;
    QStringList m_scratchTexts;
    QTimer m_watchdog;
};
