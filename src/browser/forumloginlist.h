#pragma once

#include <QFileDevice>
#include <QList>
#include <QString>

// One forum the user posts on, with the login used there.
struct ForumLogin
{
    QString url;
    QString userName;
    QString password;
};

// The user's forums, kept in posts2.txt as "url|user|password" lines, each followed by an empty
// line. The file holds passwords in clear text, so it is readable by its owner only.
class ForumLoginList
{
public:
    void load();
    // Rewrites the file. Returns an empty text on success, else the message the user is shown.
    QString save() const;

    int count() const { return int(m_logins.size()); }
    const ForumLogin &at(int index) const { return m_logins.at(index); }
    bool contains(const QString &url) const;

    // Appends a forum with an empty login; false when the address is empty or already listed.
    bool add(const QString &url);
    void setLogin(int index, const QString &userName, const QString &password);
    void remove(int index);

    // One posts2.txt line as the list reads it (public for tests).
    static ForumLogin parseLine(const QString &line);

private:
    QList<ForumLogin> m_logins;
};
