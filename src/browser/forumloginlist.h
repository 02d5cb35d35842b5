#pragma once

#include "core/datafolder.h"
#include "core/linelist.h"

#include <QAbstractListModel>
#include <QFileDevice>
#include <QList>
#include <QString>

// One forum the user posts on, with the login used there.
struct ForumLogin
{
    QString url;
    QString userName;
    QString password;
    // The desktop keyring holds the password: posts2.txt gets an empty password field for it.
    bool passwordInKeyring = false;
};

// The user's forums, kept in posts2.txt of the data folder it is given as "url|user|password" lines,
// each followed by an empty line. The file holds passwords in clear text, so it is readable by its
// owner only. No field ever holds a line break and neither the address nor the user name holds a
// "|", so every entry reads back as it was saved.
//
// As a list model it shows one row per forum: its address, and the login in the roles below.
class ForumLoginList : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        UserNameRole = Qt::UserRole,
        PasswordRole,
    };

    explicit ForumLoginList(const DataFolder &folder, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Reads the file, and makes it owner-only when others may read it. Returns loadError().
    QString load();
    // Empty when the file could be read (or was missing). Otherwise it names the file and the
    // reason, and for the rest of the run the file is not written: saving from a list that could
    // not be read would throw its logins away. It also says when the file stays readable by
    // others (it is still saved then). Shown to the user once, after load().
    QString loadError() const { return m_loadError; }
    // Rewrites the file. Returns an empty text on success, else the message the user is shown.
    QString save() const;

    int count() const { return int(m_logins.size()); }
    const ForumLogin &at(int index) const { return m_logins.at(index); }
    bool contains(const QString &url) const;
    // The position of the forum stored under this address, or -1.
    int indexOf(const QString &url) const;

    // Appends a forum with an empty login; false when the address is empty, holds a line break or
    // is already listed. A "|" in the address is stored as "%7C", which names the same page.
    bool add(const QString &url);
    // The address as add() stores it.
    static QString storedUrl(const QString &url);
    // Why this login cannot be stored (a line break anywhere, a "|" in the user name), or empty.
    static QString loginProblem(const QString &userName, const QString &password);
    // False, and nothing changes, when the index is out of range or loginProblem() objects. A login
    // that changes goes back into the file until the keyring holds it again.
    bool setLogin(int index, const QString &userName, const QString &password);
    void setPasswordInKeyring(int index, bool inKeyring);
    void remove(int index);

    // One posts2.txt line as the list reads it (public for tests).
    static ForumLogin parseLine(const QString &line);

private:
    QString m_path;
    QList<ForumLogin> m_logins;
    LineListReader m_reader;
    QString m_loadError;
};
