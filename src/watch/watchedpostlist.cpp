#include "watch/watchedpostlist.h"

#include "core/datafiles.h"
#include "core/datafolder.h"
#include "core/filegroup.h"
#include "core/linerules.h"
#include "watch/threadaddress.h"

#include <algorithm>

namespace {
// posts.txt, sizes.txt and postnumbers.txt (unless it is left alone), in the data-file table's
// order, replaced as one.
FileGroup watchedFiles(const DataFolder &folder, bool withBaselines)
{
    QStringList names;
    for (const DataFile &file : dataFiles()) {
        // By text: the same literal may sit at another address in each file that names it.
        if (file.journal && qstrcmp(file.journal, watchedPostsJournal) == 0)
            names.append(QString::fromLatin1(file.name));
    }
    if (!withBaselines)
        names.removeAll(QStringLiteral("postnumbers.txt"));
    return FileGroup(folder.path(), QString::fromLatin1(watchedPostsJournal), names);
}

QString baselineLine(const WatchedPost &post)
{
    QStringList numbers;
    for (const qint64 number : post.postNumbers)
        numbers.append(QString::number(number));
    // Without a later page known the line is as older versions wrote it, and they read it.
    const QString page = post.laterPage >= 0 ? QString::number(post.laterPage) + QLatin1Char('|') : QString();
    return QString::fromLatin1(loginStateText(post.login)) + QLatin1Char('|') + numbers.join(QLatin1Char(' ')) +
           QLatin1Char('|') + page + post.url;
}

// The address ends the line, so a "|" in it needs no escape.
void readBaselineLine(QStringView line, WatchedPost &post)
{
    const qsizetype first = line.indexOf(QLatin1Char('|'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('|'), first + 1);
    if (second < 0)
        return;
    // "state|numbers|address", or "state|numbers|later page|address": the address decides which.
    qint64 laterPage = WatchedPost::unknownPage;
    if (line.mid(second + 1) != post.url) {
        const qsizetype third = line.indexOf(QLatin1Char('|'), second + 1);
        if (third < 0 || line.mid(third + 1) != post.url)
            return;
        bool ok = false;
        laterPage = line.mid(second + 1, third - second - 1).toLongLong(&ok);
        if (!ok || laterPage < 0)
            return;
    }
    QList<qint64> numbers;
    const auto words = line.mid(first + 1, second - first - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QStringView word : words) {
        bool ok = false;
        const qint64 number = word.toLongLong(&ok);
        if (!ok || number < 0 || (!numbers.isEmpty() && number <= numbers.last()))
            return; // not as this program writes it: none is better than a wrong baseline
        numbers.append(number);
    }
    post.postNumbers = numbers;
    post.login = loginStateFromText(line.left(first).toLatin1());
    post.laterPage = laterPage;
}
} // namespace

WatchedPostList::WatchedPostList(const DataFolder &folder, QObject *parent)
    : QAbstractListModel(parent)
    , m_folder(folder)
{
}

int WatchedPostList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant WatchedPostList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return QVariant();
    const WatchedPost &post = m_posts.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return post.url;
    case Qt::ToolTipRole: {
        const QString mark = markText(post.url);
        return mark.isEmpty() ? QVariant() : QVariant(mark);
    }
    case Qt::StatusTipRole: {
        // Panel 2 shows a chosen row's address, with its mark beside it when it has one.
        const QString mark = markText(post.url);
        return mark.isEmpty() ? post.url : post.url + QStringLiteral(" - ") + mark;
    }
    case SizeRole: return sizeValue(post.size);
    case UnmeasuredRole: return isUnmeasured(post.size);
    case FailureRole: return failure(post.url);
    case NoteRole: return note(post.url);
    default: return QVariant();
    }
}

QString WatchedPostList::markText(const QString &url) const
{
    const QString reason = failure(url);
    return reason.isEmpty() ? note(url) : tr("Not checked: %1").arg(reason);
}

void WatchedPostList::rowsOfUrlChanged(const QString &url)
{
    for (int row = 0; row < count(); ++row) {
        if (m_posts.at(row).url == url)
            Q_EMIT dataChanged(index(row), index(row));
    }
}

void WatchedPostList::markFailed(const QString &url, const QString &reason)
{
    m_failures.insert(url, reason);
    rowsOfUrlChanged(url);
}

void WatchedPostList::markNoted(const QString &url, const QString &note)
{
    m_notes.insert(url, note);
    rowsOfUrlChanged(url);
}

void WatchedPostList::clearFailures()
{
    if (m_failures.isEmpty() && m_notes.isEmpty())
        return;
    m_failures.clear();
    m_notes.clear();
    if (count() > 0)
        Q_EMIT dataChanged(index(0), index(count() - 1));
}

QString WatchedPostList::load()
{
    m_reader.reset();
    m_reader.fail(watchedFiles(m_folder, true).settle());
    const FileGroup files = watchedFiles(m_folder, true);
    // Each file is taken in as it is read, a line at a time: a long list is held once, as posts.
    QList<WatchedPost> posts;
    if (!m_reader.readEach(
            files.currentPath(0),
            [&posts](QString &&url) {
                posts.append({std::move(url), QStringLiteral("0"), {}, LoginState::Unknown});
            },
            looksLikeAddress, tr("web addresses")))
        posts.clear();
    // Extra size lines belong to no post and are dropped with the next save; a post without one
    // keeps "0". The sizes are judged by those that pair with a post (by all when there is none),
    // as the next save writes them: a list that is kept can always be read back.
    qsizetype sized = 0;
    qsizetype judged = 0;
    qsizetype odd = 0;
    bool sizesRead = m_reader.readEach(files.currentPath(1), [&](QString &&size) {
        if (sized < posts.size() || posts.isEmpty()) {
            ++judged;
            odd += looksLikeNumber(size) ? 0 : 1;
        }
        if (sized < posts.size())
            posts[sized].size = std::move(size);
        ++sized;
    });
    if (sizesRead && odd * 2 > judged) {
        m_reader.fail(notAListError(files.currentPath(1), tr("page sizes (whole numbers)")));
        sizesRead = false;
    }
    if (!sizesRead) {
        for (WatchedPost &post : posts)
            post.size = QStringLiteral("0");
    }
    // Only a help to the reply check: without it every post is judged by its size, so a file that
    // cannot be read keeps nothing else from being saved. It is then left as it is, and the posts
    // are saved without it: each of its lines names its post, so none can be taken for another.
    LineListReader baselineReader;
    qsizetype based = 0;
    m_baselinesKept = baselineReader.readEach(
        files.currentPath(2),
        [&posts, &based](QString &&line) {
            if (based < posts.size())
                readBaselineLine(line, posts[based]);
            ++based;
        },
        looksLikeBaseline, tr("post numbers of watched posts"));
    if (!m_baselinesKept) {
        for (WatchedPost &post : posts) {
            post.postNumbers.clear();
            post.login = LoginState::Unknown;
            post.laterPage = WatchedPost::unknownPage;
        }
    }
    QStringList problems;
    if (!m_reader.mayBeSaved())
        problems << m_reader.error() + tr("\nChanges to your watched posts will not be saved while "
                                          "the program runs, so the file stays as it is.");
    if (!m_baselinesKept)
        problems << baselineReader.error() + tr("\nIt is left as it is, and the reply check judges "
                                                "your watched posts by their page sizes.");
    m_loadError = problems.join(QLatin1Char('\n'));
    beginResetModel();
    m_posts = std::move(posts);
    m_failures.clear();
    m_notes.clear();
    endResetModel();
    return m_loadError;
}

QString WatchedPostList::save() const
{
    if (!m_reader.mayBeSaved())
        return tr("Your watched posts cannot be saved: posts.txt and sizes.txt are kept as they "
                  "were, because one of them could not be read when the program started.");
    QStringList urls;
    QStringList sizes;
    QStringList baselines;
    for (const WatchedPost &post : m_posts) {
        urls.append(post.url);
        sizes.append(post.size);
        baselines.append(baselineLine(post));
    }
    QList<QByteArray> contents{lineListBytes(urls, EntrySpacing::EmptyLineAfter),
                               lineListBytes(sizes, EntrySpacing::EmptyLineAfter)};
    if (m_baselinesKept)
        contents.append(lineListBytes(baselines, EntrySpacing::EmptyLineAfter));
    return watchedFiles(m_folder, m_baselinesKept).write(contents);
}

int WatchedPostList::indexOf(const QString &url) const
{
    for (int i = 0; i < m_posts.size(); ++i) {
        if (m_posts.at(i).url == url)
            return i;
    }
    return -1;
}

int WatchedPostList::indexOfThread(const QString &url) const
{
    const QString thread = threadKey(url);
    for (int i = 0; i < m_posts.size(); ++i) {
        if (threadKey(m_posts.at(i).url) == thread)
            return i;
    }
    return -1;
}

int WatchedPostList::watchThread(const QString &pageUrl)
{
    return watchThread(pageUrl, threadAddress(pageUrl));
}

int WatchedPostList::watchThread(const QString &pageUrl, const QString &threadUrl, int *joined)
{
    if (joined)
        *joined = 0;
    if (!canWatch(threadUrl))
        return -1;
    // The page's own address finds the rows stored before the page named its thread.
    const QString thread = threadKey(threadUrl);
    const QString page = threadKey(pageUrl);
    QList<int> rows;
    for (int i = 0; i < m_posts.size(); ++i) {
        const QString key = threadKey(m_posts.at(i).url);
        if (key == thread || key == page)
            rows.append(i);
    }
    if (rows.isEmpty())
        return watch(threadUrl);
    const int kept = rows.first();
    if (rows.size() == 1 && m_posts.at(kept).url == threadUrl)
        return kept;
    // The last row was watched last: its size is the newest. No post any of them knew is new.
    WatchedPost merged = m_posts.at(rows.last());
    merged.url = threadUrl;
    merged.laterPage = WatchedPost::unknownPage; // it was read at another address
    QList<qint64> numbers;
    for (const int row : std::as_const(rows))
        numbers += m_posts.at(row).postNumbers;
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    merged.postNumbers = numbers;
    for (qsizetype i = rows.size() - 1; i > 0; --i)
        removeAt(rows.at(i));
    if (joined)
        *joined = int(rows.size());
    m_posts[kept] = merged;
    persist();
    Q_EMIT dataChanged(index(kept), index(kept));
    return kept;
}

bool WatchedPostList::canWatch(const QString &url)
{
    return !isBlankLine(url) && !url.contains(QLatin1Char('\n')) && !url.contains(QLatin1Char('\r'));
}

int WatchedPostList::watch(const QString &url)
{
    if (!canWatch(url))
        return -1;
    const int existing = indexOf(url);
    if (existing >= 0)
        return existing;
    beginInsertRows(QModelIndex(), count(), count());
    m_posts.append({url, QStringLiteral("0"), {}, LoginState::Unknown});
    endInsertRows();
    persist();
    Q_EMIT postAdded(count() - 1);
    return count() - 1;
}

bool WatchedPostList::recordSize(const QString &url, qint64 size)
{
    PageMeasurement page;
    page.size = size;
    return recordMeasurement(url, page);
}

bool WatchedPostList::recordMeasurement(const QString &url, const PageMeasurement &page)
{
    const int index = indexOf(url);
    if (index < 0)
        return false;
    WatchedPost &post = m_posts[index];
    post.size = QString::number(page.size);
    post.postNumbers = page.postNumbers;
    post.login = page.login.state;
    post.laterPage = laterPageOf(url, page);
    persist();
    Q_EMIT dataChanged(this->index(index), this->index(index));
    Q_EMIT sizeChanged(index);
    return true;
}

bool WatchedPostList::adoptPostNumbers(const QString &url, const QList<qint64> &numbers)
{
    const int index = indexOf(url);
    if (index < 0)
        return false;
    m_posts[index].postNumbers = numbers;
    persist();
    return true;
}

bool WatchedPostList::adoptLaterPage(const QString &url, const PageMeasurement &page)
{
    const int index = indexOf(url);
    if (index < 0)
        return false;
    m_posts[index].laterPage = laterPageOf(url, page);
    persist();
    return true;
}

qint64 WatchedPostList::laterPageOf(const QString &url, const PageMeasurement &page)
{
    return page.read ? laterPages(url, page.pageLinks).highest : WatchedPost::unknownPage;
}

void WatchedPostList::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_posts.removeAt(index);
    endRemoveRows();
    persist();
    Q_EMIT postRemoved(index);
}

qint64 WatchedPostList::sizeValue(const QString &size)
{
    bool ok = false;
    const qint64 value = size.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

bool WatchedPostList::isUnmeasured(const QString &size)
{
    bool ok = false;
    return size.trimmed().toLongLong(&ok) == 0 && ok;
}

void WatchedPostList::persist()
{
    const QString error = save();
    if (!error.isEmpty())
        Q_EMIT saveFailed(error);
}
