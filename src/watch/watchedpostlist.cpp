#include "watch/watchedpostlist.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/textfile.h"

namespace {
bool isSkippedLine(const QString &line)
{
    return line.isEmpty() || line == QLatin1String(" ");
}

QStringList readEntries(const QString &fileName)
{
    QStringList entries;
    const QStringList lines = readTextLines(dataFilePath(fileName));
    for (const QString &line : lines) {
        if (!isSkippedLine(line))
            entries.append(line);
    }
    return entries;
}

QByteArray writtenForm(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries)
        bytes += encodeText(entry) + "\r\n\r\n";
    return bytes;
}
} // namespace

WatchedPostList::WatchedPostList(QObject *parent)
    : QObject(parent)
{
}

void WatchedPostList::load()
{
    const QStringList urls = readEntries(QStringLiteral("posts.txt"));
    const QStringList sizes = readEntries(QStringLiteral("sizes.txt"));
    m_posts.clear();
    // Extra size lines belong to no post and are dropped with the next save.
    for (int i = 0; i < urls.size(); ++i)
        m_posts.append({urls.at(i), i < sizes.size() ? sizes.at(i) : QStringLiteral("0")});
}

QString WatchedPostList::savePosts() const
{
    QStringList urls;
    for (const WatchedPost &post : m_posts)
        urls.append(post.url);
    return writeFileAtomically(dataFilePath(QStringLiteral("posts.txt")), writtenForm(urls));
}

QString WatchedPostList::saveSizes() const
{
    QStringList sizes;
    for (const WatchedPost &post : m_posts)
        sizes.append(post.size);
    return writeFileAtomically(dataFilePath(QStringLiteral("sizes.txt")), writtenForm(sizes));
}

int WatchedPostList::indexOf(const QString &url) const
{
    for (int i = 0; i < m_posts.size(); ++i) {
        if (m_posts.at(i).url == url)
            return i;
    }
    return -1;
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
    m_posts.append({url, QStringLiteral("0")});
    persist();
    Q_EMIT postAdded(count() - 1);
    return count() - 1;
}

bool WatchedPostList::recordSize(const QString &url, qint64 size)
{
    const int index = indexOf(url);
    if (index < 0)
        return false;
    m_posts[index].size = QString::number(size);
    persist();
    Q_EMIT sizeChanged(index);
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
    // Sizes first: after a crash between the two writes an added post still finds its "0" line,
    // and a surplus size line is ignored on reading.
    QString error = saveSizes();
    const QString postsError = savePosts();
    if (error.isEmpty())
        error = postsError;
    if (!error.isEmpty())
        Q_EMIT saveFailed(error);
}
