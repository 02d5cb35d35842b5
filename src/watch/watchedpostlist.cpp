#include "watch/watchedpostlist.h"

#include "app/atomicfile.h"
#include "app/datafolder.h"
#include "app/textfile.h"

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

void WatchedPostList::load()
{
    const QStringList urls = readEntries(QStringLiteral("posts.txt"));
    const QStringList sizes = readEntries(QStringLiteral("sizes.txt"));
    m_posts.clear();
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
