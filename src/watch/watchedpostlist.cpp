#include "watch/watchedpostlist.h"

#include "core/datafiles.h"
#include "core/datafolder.h"
#include "core/filegroup.h"

namespace {
// posts.txt and sizes.txt, in the data-file table's order, replaced as one.
FileGroup watchedFiles()
{
    QStringList names;
    for (const DataFile &file : dataFiles()) {
        // By text: the same literal may sit at another address in each file that names it.
        if (file.journal && qstrcmp(file.journal, watchedPostsJournal) == 0)
            names.append(QString::fromLatin1(file.name));
    }
    return FileGroup(dataFolder(), QString::fromLatin1(watchedPostsJournal), names);
}
} // namespace

WatchedPostList::WatchedPostList(QObject *parent)
    : QAbstractListModel(parent)
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
        const QString reason = failure(post.url);
        return reason.isEmpty() ? QVariant() : QVariant(QStringLiteral("Not checked: ") + reason);
    }
    case SizeRole: return sizeValue(post.size);
    case UnmeasuredRole: return isUnmeasured(post.size);
    case FailureRole: return failure(post.url);
    default: return QVariant();
    }
}

void WatchedPostList::markFailed(const QString &url, const QString &reason)
{
    m_failures.insert(url, reason);
    for (int row = 0; row < count(); ++row) {
        if (m_posts.at(row).url == url)
            Q_EMIT dataChanged(index(row), index(row));
    }
}

void WatchedPostList::clearFailures()
{
    if (m_failures.isEmpty())
        return;
    m_failures.clear();
    if (count() > 0)
        Q_EMIT dataChanged(index(0), index(count() - 1));
}

QString WatchedPostList::load()
{
    const FileGroup files = watchedFiles();
    m_reader.reset();
    m_reader.fail(files.settle());
    const QStringList urls = m_reader.read(files.currentPath(0));
    const QStringList sizes = m_reader.read(files.currentPath(1));
    m_loadError = m_reader.mayBeSaved()
                      ? QString()
                      : m_reader.error() + QStringLiteral("\nChanges to your watched posts will not be saved while "
                                                          "the program runs, so the file stays as it is.");
    beginResetModel();
    m_posts.clear();
    m_failures.clear();
    // Extra size lines belong to no post and are dropped with the next save.
    for (int i = 0; i < urls.size(); ++i)
        m_posts.append({urls.at(i), i < sizes.size() ? sizes.at(i) : QStringLiteral("0")});
    endResetModel();
    return m_loadError;
}

QString WatchedPostList::save() const
{
    if (!m_reader.mayBeSaved())
        return QStringLiteral("Your watched posts cannot be saved: posts.txt and sizes.txt are kept as they "
                              "were, because one of them could not be read when the program started.");
    QStringList urls;
    QStringList sizes;
    for (const WatchedPost &post : m_posts) {
        urls.append(post.url);
        sizes.append(post.size);
    }
    return watchedFiles().write(
        {lineListBytes(urls, EntrySpacing::EmptyLineAfter), lineListBytes(sizes, EntrySpacing::EmptyLineAfter)});
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
    m_posts.append({url, QStringLiteral("0")});
    endInsertRows();
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
    Q_EMIT dataChanged(this->index(index), this->index(index));
    Q_EMIT sizeChanged(index);
    return true;
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
