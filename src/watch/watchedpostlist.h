#pragma once

#include "core/datafolder.h"
#include "core/linelist.h"
#include "watch/pagemeasurement.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>

// One watched thread: its page address and the page's body size when it was last watched, with
// the numbers of the posts the page showed then and whether it was seen logged in.
struct WatchedPost
{
    QString url;
    QString size;              // decimal text as stored in sizes.txt
    QList<qint64> postNumbers; // ascending; empty when none are known (the size rule applies)
    LoginState login = LoginState::Unknown;
    // The highest later page of the thread the page linked to (see laterPages): 0 when it linked
    // to none, unknownPage when that is not known (a post stored before this was kept).
    qint64 laterPage = unknownPage;

    static constexpr qint64 unknownPage = -1;
};
// Moved as bytes: a list of many posts grows in place instead of being copied at each growth.
Q_DECLARE_TYPEINFO(WatchedPost, Q_RELOCATABLE_TYPE);

// The watched threads, kept in posts.txt (addresses), sizes.txt (sizes) and postnumbers.txt (the
// post numbers and login state of each baseline, and the highest later page it linked to when
// that is known: "member|12 15 19|3|address", else "member|12 15 19|address") in the data folder
// it is given.
// postnumbers.txt names each line's post, so a line that does not fit its post (the file missing,
// or left behind by a program that did not write it) is simply not used.
// The files are rewritten after every change, so a crash loses nothing, and every post has its
// size line from the start. They are replaced together (FileGroup), so they pair up line
// by line whenever the program stops.
//
// As a list model it shows one row per post: its address, its tooltip saying why the last reply
// check could not measure it or what it noted, its status tip (the address and that mark), and the
// roles below.
class WatchedPostList : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        SizeRole = Qt::UserRole, // the stored size as a number (sizeValue)
        UnmeasuredRole,          // true until the first measurement arrives (isUnmeasured)
        FailureRole,             // why the last reply check could not measure it, or empty
        NoteRole,                // what the last reply check noted instead of reporting, or empty
    };

    explicit WatchedPostList(const DataFolder &folder, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Reads both files, first finishing or undoing a save that was interrupted; entries pair up by
    // position. A post without a size line gets "0". Returns loadError().
    QString load();
    // Empty when the files could be read. Otherwise it names the file and the reason, and for the
    // rest of the run that file is not written: when it is posts.txt or sizes.txt, neither is,
    // since saving from a list that could not be read would throw the file's posts away; a
    // postnumbers.txt that could not be read is left out of the saves. Shown to the user once,
    // after load().
    QString loadError() const { return m_loadError; }
    // Writes both files as one; an empty text on success, else the error.
    QString save() const;

    int count() const { return int(m_posts.size()); }
    const WatchedPost &at(int index) const { return m_posts.at(index); }
    const QList<WatchedPost> &posts() const { return m_posts; }

    // Position of the first post with exactly this address (letter case counts), or -1.
    int indexOf(const QString &url) const;
    bool isWatched(const QString &url) const { return indexOf(url) >= 0; }
    // An empty or single-blank address cannot be stored: its line would be skipped on reading
    // while its size line would not, shifting every later post onto its neighbour's size.
    static bool canWatch(const QString &url);

    // Position of the first post on the same thread as url (see threadKey), or -1.
    int indexOfThread(const QString &url) const;
    // Watches the thread a browser's page address belongs to, under its thread address. Returns
    // the row's position, or -1 when the address cannot be watched.
    int watchThread(const QString &pageUrl);
    // The same with the thread's address as the page said it (see pageThreadAddress). A thread
    // already watched keeps one row, now under threadUrl: every row stored for it (under the
    // page's address or the thread's, with a post pointer or at another page) becomes that row,
    // which keeps every post number any of them knew and the size of the last. Returns the row's
    // position, or -1 when the address cannot be watched; *joined (when given) is the number of
    // rows that were joined into it.
    int watchThread(const QString &pageUrl, const QString &threadUrl, int *joined = nullptr);

    // Adds url with size "0" unless it is watched already. Returns its position, or -1 when the
    // address cannot be watched.
    int watch(const QString &url);
    // Stores a measured size for the post with this address. False when no post has it (any
    // more): a measurement never lands on another post.
    bool recordSize(const QString &url, qint64 size);
    // The same for a measurement with what the page showed: it becomes the post's baseline.
    bool recordMeasurement(const QString &url, const PageMeasurement &page);
    // Keeps post numbers as the baseline of a post that had none, its size unchanged.
    bool adoptPostNumbers(const QString &url, const QList<qint64> &numbers);
    // Keeps the later pages a measured page links to as the baseline of a post that did not know
    // them, the rest unchanged.
    bool adoptLaterPage(const QString &url, const PageMeasurement &page);
    // The highest later page a measurement of url links to, or unknownPage for a page not read.
    static qint64 laterPageOf(const QString &url, const PageMeasurement &page);
    // Removes the post at index; out-of-range positions are ignored.
    void removeAt(int index);

    // What the last reply check could not measure, by address; kept for this run only.
    void markFailed(const QString &url, const QString &reason);
    // What the last reply check noted on a post instead of reporting it (a new baseline after a
    // change of login, say); kept for this run only.
    void markNoted(const QString &url, const QString &note);
    // Forgets the last check's failures and notes.
    void clearFailures();
    QString failure(const QString &url) const { return m_failures.value(url); }
    QString note(const QString &url) const { return m_notes.value(url); }

    // The number a stored size stands for. A text that is not a number stands for 0, so the reply
    // check reports the post and watching it again gives it a real size.
    static qint64 sizeValue(const QString &size);
    // A size of 0 is what a post is stored with until its first measurement arrives.
    static bool isUnmeasured(const QString &size);

Q_SIGNALS:
    void postAdded(int index);
    void postRemoved(int index);
    void sizeChanged(int index);
    // A change could not be written to disk; the text names the file and the reason.
    void saveFailed(const QString &error);

private:
    void persist();

    DataFolder m_folder;
    QList<WatchedPost> m_posts;
    void rowsOfUrlChanged(const QString &url);
    // The row's mark as its tooltip says it: a failure first, else a note.
    QString markText(const QString &url) const;

    QHash<QString, QString> m_failures;
    QHash<QString, QString> m_notes;
    LineListReader m_reader;
    QString m_loadError;
    // Whether postnumbers.txt is saved with the others: not when it could not be read as one.
    bool m_baselinesKept = true;
};
