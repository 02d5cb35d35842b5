#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The beginning of an inserted message that the post check looks for: the text up to its first
// line break or markup tag. A delimiter standing first in the text does not bound it.
QString firstLineProbe(const QString &insertedText);

// Whether a page shows the probe: its body's outer markup, CR LF and its inner markup are searched
// without regard to case. An empty probe is always shown.
bool pageShowsProbe(const QString &probe, const QString &outerHtml, const QString &innerHtml);

// The beginning of an inserted message as a page may show it, each in comparableText form: its
// first line read as markup (tags dropped, references decoded), and read as plain text, for
// forums that show markup as it was typed. Forum codes such as "[url=...]" are dropped from both:
// the page shows what they enclose. Readings that come out empty are left out.
QStringList messageReadings(const QString &insertedText);

// Whether the visible text of a page's body markup, in comparableText form, holds one of the
// readings. With no readings (a message that shows nothing) every page does.
bool pageShowsMessage(const QStringList &readings, const QString &bodyMarkup);

// After an auto-insert the next few completed downloads are searched for the inserted message; the
// first page that shows it is the new thread, which goes on the watch list. While the check is
// armed, a page that changes without a download (a quick reply sent with XMLHttpRequest, an address
// changed with history.pushState) is searched again too; such a search counts no download.
//
// An arming ends after its downloads or armedMs after it began, whichever comes first: a post sent
// without a page load uses up no download, and a page left open after an insert is not searched for
// the rest of the run.
//
// The page is read asynchronously, so each search takes a ticket that remembers the state at that
// moment; the answer for the ticket arrives later. A hit ends the searching of the arming it belongs
// to, so later downloads of that arming do not search any more, just as if the page had been read
// at once.
class PostCheck
{
public:
    static constexpr int armedDownloads = 4;
    static constexpr qint64 armedMs = 30 * 60 * 1000;
    // Milliseconds on a clock that only goes forward.
    using Clock = std::function<qint64()>;

    struct Ticket
    {
        bool search = false; // false: nothing to look for at this download
        QString probe;
        QStringList readings; // messageReadings of the same text
        int arming = 0;
    };

    explicit PostCheck(Clock clock = {});

    // Auto-insert: remember the inserted text and search the next downloads for it.
    void arm(const QString &insertedText);
    // Search the next downloads for the last inserted text.
    void armCountdown(int downloads = armedDownloads);
    // Whether a page shown now would be searched.
    bool isArmed() const;

    // A download completed: whether its page must be searched, and for what. Counts the download.
    Ticket downloadCompleted();
    // The page shown changed without a download: whether to search it, and for what.
    Ticket pageChanged() const;
    // The page of ticket showed the probe. Returns whether the hit counts (false when an earlier
    // page of the same arming already hit); a counted hit ends that arming's searching.
    bool hit(const Ticket &ticket);
    // Whether the answer for ticket still matters.
    bool isCurrent(const Ticket &ticket) const;

    // Whether the page of ticket shows what was inserted: the probe as typed in its markup, or one
    // of the readings in its visible text.
    static bool pageShows(const Ticket &ticket, const QString &outerHtml, const QString &innerHtml);
    // The same for the markup a page added: only a message that shows something can show there,
    // or any change at all would count.
    static bool changeShows(const Ticket &ticket, const QString &addedMarkup);
    // Whether one of the page's writing boxes (their text as the user sees it) still holds the
    // message: then it is not sent yet, and what shows it may be the editor's own preview.
    static bool boxesHold(const Ticket &ticket, const QStringList &boxTexts);

    int countdown() const { return m_countdown; }
    QString lastInsertedText() const { return m_lastInsertedText; }

private:
    Ticket ticket() const;

    Clock m_clock;
    int m_countdown = 0;
    QString m_lastInsertedText;
    int m_arming = 0;
    int m_hitArming = -1;
    qint64 m_armedUntil = 0;
};
