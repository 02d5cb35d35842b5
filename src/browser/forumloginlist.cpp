#include "browser/forumloginlist.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/textfile.h"

namespace {
QString loginsPath()
{
    return dataFilePath(QStringLiteral("posts2.txt"));
}
} // namespace

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

void ForumLoginList::load()
{
    m_logins.clear();
    const QStringList lines = readTextLines(loginsPath());
    for (const QString &line : lines) {
        if (line.isEmpty() || line == QLatin1String(" "))
            continue;
        m_logins.append(parseLine(line));
    }
}

QString ForumLoginList::save() const
{
    QByteArray bytes;
    for (const ForumLogin &login : m_logins) {
        bytes += encodeText(login.url + QLatin1Char('|') + login.userName + QLatin1Char('|') + login.password);
        bytes += "\r\n\r\n";
    }
    QFileDevice::FileError code = QFileDevice::NoError;
    const QString error =
        writeFileAtomically(loginsPath(), bytes, QFileDevice::ReadOwner | QFileDevice::WriteOwner, &code);
    if (error.isEmpty())
        return QString();
    return QStringLiteral("There was an error saving your logins.\r\n\r\nError Number %1\r\n%2")
        .arg(int(code))
        .arg(error);
}

bool ForumLoginList::contains(const QString &url) const
{
    for (const ForumLogin &login : m_logins) {
        if (login.url == url)
            return true;
    }
    return false;
}

bool ForumLoginList::add(const QString &url)
{
    if (url.isEmpty() || contains(url))
        return false;
    m_logins.append({url, QString(), QString()});
    return true;
}

void ForumLoginList::setLogin(int index, const QString &userName, const QString &password)
{
    if (index < 0 || index >= m_logins.size())
        return;
    m_logins[index].userName = userName;
    m_logins[index].password = password;
}

void ForumLoginList::remove(int index)
{
    if (index >= 0 && index < m_logins.size())
        m_logins.removeAt(index);
}
