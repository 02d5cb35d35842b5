#include "watch/watchedpostlist.h"

#include "core/datafolder.h"
#include "core/filegroup.h"
#include "core/textfile.h"
#include "watch/threadaddress.h"

namespace {
bool isSkippedLine(const QString &line)
{
    return line.isEmpty() || line == QLatin1String(" ");
}

FileGroup watchedFiles()
{
    return FileGroup(dataFolder(), QStringLiteral("posts.journal"),
                     {QStringLiteral("posts.txt"), QStringLiteral("sizes.txt"), QStringLiteral("postnumbers.txt")});
}

QString baselineLine(const WatchedPost &post)
{
    QStringList numbers;
    for (const qint64 number : post.postNumbers)
        numbers.append(QString::number(number));
    return QString::fromLatin1(loginStateText(post.login)) + QLatin1Char('|') + numbers.join(QLatin1Char(' ')) +
           QLatin1Char('|') + post.url;
}

// The address ends the line, so a "|" in it needs no escape.
void readBaselineLine(const QString &line, WatchedPost &post)
{
    const qsizetype first = line.indexOf(QLatin1Char('|'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('|'), first + 1);
    if (second < 0 || line.mid(second + 1) != post.url)
        return;
    QList<qint64> numbers;
    const QStringList words = line.mid(first + 1, second - first - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        bool ok = false;
        const qint64 number = word.toLongLong(&ok);
        if (!ok || number < 0 || (!numbers.isEmpty() && number <= numbers.last()))
            return; // not as this program writes it: none is better than a wrong baseline
        numbers.append(number);
    }
    post.postNumbers = numbers;
    post.login = loginStateFromText(line.left(first).toLatin1());
}

QStringList readEntries(const QString &path, QString *error)
{
    QStringList entries;
    const TextFileRead read = readTextFile(path);
    if (read.status == TextFileRead::Unreadable && error->isEmpty())
        *error = read.error;
    for (const QString &line : read.lines) {
        if (!isSkippedLine(line))
            entries.append(line);
    }
    return entries;
}

QByteArray writtenForm(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n\r\n");
    return encodeTextFile(text);
}
} // namespace

WatchedPostList::WatchedPostList(QObject *parent)
    : QObject(parent)
{
}

QString WatchedPostList::load()
{
    const FileGroup files = watchedFiles();
    QString error = files.settle();
    const QStringList urls = readEntries(files.currentPath(0), &error);
    const QStringList sizes = readEntries(files.currentPath(1), &error);
    // Only a help to the reply check: without it every post is judged by its size.
    QString baselineError;
    const QStringList baselines = readEntries(files.currentPath(2), &baselineError);
    m_loadError = error.isEmpty() ? QString()
                                  : error + QStringLiteral("\nChanges to your watched posts will not be saved while "
                                                           "the program runs, so the file stays as it is.");
    m_posts.clear();
    // Extra size lines belong to no post and are dropped with the next save.
    for (int i = 0; i < urls.size(); ++i) {
        WatchedPost post{urls.at(i), i < sizes.size() ? sizes.at(i) : QStringLiteral("0"), {}, LoginState::Unknown};
        if (i < baselines.size())
            readBaselineLine(baselines.at(i), post);
        m_posts.append(post);
    }
    return m_loadError;
}

QString WatchedPostList::save() const
{
    if (!m_loadError.isEmpty())
        return QStringLiteral("Your watched posts cannot be saved: posts.txt and sizes.txt are kept as they "
                              "were, because one of them could not be read when the program started.");
    QStringList urls;
    QStringList sizes;
    QStringList baselines;
    for (const WatchedPost &post : m_posts) {
        urls.append(post.url);
        sizes.append(post.size);
        baselines.append(baselineLine(post));
    }
    return watchedFiles().write({writtenForm(urls), writtenForm(sizes), writtenForm(baselines)});
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
    const QString thread = threadAddress(url);
    for (int i = 0; i < m_posts.size(); ++i) {
        if (threadAddress(m_posts.at(i).url) == thread)
            return i;
    }
    return -1;
}

int WatchedPostList::watchThread(const QString &pageUrl)
{
    const int existing = indexOfThread(pageUrl);
    return existing >= 0 ? existing : watch(threadAddress(pageUrl));
}

bool WatchedPostList::canWatch(const QString &url)
{
    return !isSkippedLine(url) && !url.contains(QLatin1Char('\n')) && !url.contains(QLatin1Char('\r'));
}

int WatchedPostList::watch(const QString &url)
{
    if (!canWatch(url))
        return -1;
    const int existing = indexOf(url);
    if (existing >= 0)
        return existing;
    m_posts.append({url, QStringLiteral("0"), {}, LoginState::Unknown});
    persist();
    Q_EMIT postAdded(count() - 1);
    return count() - 1;
}

bool WatchedPostList::recordSize(const QString &url, qint64 size)
{
    const int index = indexOf(url);
    if (index < 0)
        return false;
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
    persist();
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

void WatchedPostList::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    m_posts.removeAt(index);
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
