#pragma once

#include <QString>
#include <QStringList>

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
// first page that shows it is the new thread, which goes on the watch list.
//
// The page is read asynchronously, so each completed download takes a ticket that remembers the
// state at that download; the answer for the ticket arrives later. A hit ends the searching of the
// arming it belongs to, so later downloads of that arming do not search any more, just as if the
// page had been read at once.
class PostCheck
{
public:
    static constexpr int armedDownloads = 4;

    struct Ticket
    {
        bool search = false; // false: nothing to look for at this download
        QString probe;
        QStringList readings; // messageReadings of the same text
        int arming = 0;
    };

    // Auto-insert: remember the inserted text and search the next downloads for it.
    void arm(const QString &insertedText);
    // A watched post opened again: search the next downloads for the last inserted text.
    void armCountdown(int downloads = armedDownloads);

    // A download completed: whether its page must be searched, and for what. Counts the download.
    Ticket downloadCompleted();
    // The page of ticket showed the probe. Returns whether the hit counts (false when an earlier
    // page of the same arming already hit); a counted hit ends that arming's searching.
    bool hit(const Ticket &ticket);
    // Whether the answer for ticket still matters.
    bool isCurrent(const Ticket &ticket) const;

    // Whether the page of ticket shows what was inserted: the probe as typed in its markup, or one
    // of the readings in its visible text.
    static bool pageShows(const Ticket &ticket, const QString &outerHtml, const QString &innerHtml);

    int countdown() const { return m_countdown; }
    QString lastInsertedText() const { return m_lastInsertedText; }

private:
    int m_countdown = 0;
    QString m_lastInsertedText;
    int m_arming = 0;
    int m_hitArming = -1;
};
