#include "browser/forumloginlist.h"

#include "core/atomicfile.h"
#include "core/datafiles.h"

namespace {
bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

QString saveFailure(int code, const QString &reason)
{
    return ForumLoginList::tr("There was an error saving your logins.\r\n\r\nError Number %1\r\n%2")
        .arg(code)
        .arg(reason);
}
} // namespace

ForumLoginList::ForumLoginList(const DataFolder &folder, QObject *parent)
    : QAbstractListModel(parent)
    , m_path(folder.filePath(QStringLiteral("posts2.txt")))
{
}

int ForumLoginList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ForumLoginList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return QVariant();
    const ForumLogin &login = m_logins.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return login.url;
    case UserNameRole: return login.userName;
    case PasswordRole: return login.password;
    default: return QVariant();
    }
}

ForumLogin ForumLoginList::parseLine(const QString &line)
{
    ForumLogin login;
    const qsizetype first = line.indexOf(QLatin1Char('|'));
    if (first < 0) {
        login.url = line;
        return login;
    }
    login.url = line.left(first);
    const qsizetype second = line.indexOf(QLatin1Char('|'), first + 1);
    if (second < 0) {
        login.userName = line.mid(first + 1);
        return login;
    }
    login.userName = line.mid(first + 1, second - first - 1);
    // Everything after the second bar is the password, so a password holding "|" survives a reload.
    login.password = line.mid(second + 1);
    return login;
}

QString ForumLoginList::load()
{
    beginResetModel();
    m_logins.clear();
    m_reader.reset();
    const QStringList lines = m_reader.read(m_path, looksLikeForumLogin, tr("forums (an address, \"|\", a login)"));
    m_loadError = m_reader.mayBeSaved() ? QString()
                                        : m_reader.error() + tr("\nChanges to your forums will not be saved while the "
                                                                "program runs, so the file stays as it is.");
    for (const QString &line : lines)
        m_logins.append(parseLine(line));
    endResetModel();
    // A copy or an older install may have left the passwords readable by others. Only a file
    // that read as forums is touched: a link may lead anywhere.
    if (m_reader.mayBeSaved()) {
        const QString protectError = makeOwnerOnly(m_path);
        if (!protectError.isEmpty())
            m_loadError = protectError;
    }
    return m_loadError;
}

QString ForumLoginList::save() const
{
    if (!m_reader.mayBeSaved())
        return saveFailure(int(QFileDevice::ReadError),
                           tr("posts2.txt is kept as it was, because it could not be read when the "
                              "program started."));
    QStringList lines;
    for (const ForumLogin &login : m_logins)
        lines.append(login.url + QLatin1Char('|') + login.userName + QLatin1Char('|') +
                     (login.passwordInKeyring ? QString() : login.password));
    const QByteArray bytes = lineListBytes(lines, EntrySpacing::EmptyLineAfter);
    QFileDevice::FileError code = QFileDevice::NoError;
    const QString error = writeFileAtomically(m_path, bytes, QFileDevice::ReadOwner | QFileDevice::WriteOwner, &code);
    if (error.isEmpty())
        return QString();
    return saveFailure(int(code), error);
}

bool ForumLoginList::contains(const QString &url) const
{
    return indexOf(url) >= 0;
}

int ForumLoginList::indexOf(const QString &url) const
{
    const QString stored = storedUrl(url);
    for (int i = 0; i < m_logins.size(); ++i) {
        if (m_logins.at(i).url == stored)
            return i;
    }
    return -1;
}

QString ForumLoginList::storedUrl(const QString &url)
{
    QString stored = url;
    return stored.replace(QLatin1Char('|'), QLatin1String("%7C"));
}

bool ForumLoginList::add(const QString &url)
{
    const QString stored = storedUrl(url);
    if (stored.isEmpty() || hasLineBreak(stored) || contains(stored))
        return false;
    beginInsertRows(QModelIndex(), count(), count());
    m_logins.append({stored, QString(), QString()});
    endInsertRows();
    return true;
}

QString ForumLoginList::loginProblem(const QString &userName, const QString &password)
{
    if (userName.contains(QLatin1Char('|')))
        return tr("A user name cannot hold \"|\".");
    if (hasLineBreak(userName) || hasLineBreak(password))
        return tr("A user name or password cannot hold a line break.");
    return QString();
}

bool ForumLoginList::setLogin(int index, const QString &userName, const QString &password)
{
    if (index < 0 || index >= m_logins.size() || !loginProblem(userName, password).isEmpty())
        return false;
    ForumLogin &login = m_logins[index];
    if (login.userName != userName || login.password != password)
        login.passwordInKeyring = false;
    login.userName = userName;
    login.password = password;
    Q_EMIT dataChanged(this->index(index), this->index(index));
    return true;
}

void ForumLoginList::setPasswordInKeyring(int index, bool inKeyring)
{
    if (index >= 0 && index < m_logins.size())
        m_logins[index].passwordInKeyring = inKeyring;
}

void ForumLoginList::remove(int index)
{
    if (index < 0 || index >= m_logins.size())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_logins.removeAt(index);
    endRemoveRows();
}
