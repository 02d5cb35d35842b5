#pragma once

#include "loopbackrequest.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>

// A small forum on 127.0.0.1 for driving the real browser engine through a typical post:
//   /login      log-in form; posting it sets a session cookie and redirects to /newthread
//   /newthread  a search form, then the posting form: hidden token, subject, a select list,
//               the message text area, submit (without a session: redirect to /login)
//   /submit     stores the post and redirects to /thread?id=N
//   /thread     shows the subject and the message as posted (the forum allows markup)
// Further fixed pages can be added with setPage().
class FakeForum : public QTcpServer
{
    Q_OBJECT
public:
    struct Post
    {
        QString subject;
        QString message;
    };

    explicit FakeForum(QObject *parent = nullptr);

    bool start();
    QString url(const QString &path) const;
    void setPage(const QString &path, const QByteArray &html);
    // Serves the files under folder at the paths that start with prefix ("/node_modules/").
    void serveFolder(const QString &prefix, const QString &folder);
    // Another user answers thread id (1-based): the thread page shows the reply under the post.
    // Thread 0 is the members-only page "/members", which guests see as a short log-in page.
    void addReply(int id, const QString &text);

    QString loggedInUser() const { return m_user; }
    QString loggedInPassword() const { return m_password; }
    QList<Post> posts() const { return m_posts; }
    QStringList servedPaths() const { return m_served; }

    static QByteArray newThreadPage();

Q_SIGNALS:
    void served(const QString &path);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    using Request = LoopbackRequest;
    struct Response
    {
        int status = 200;
        QByteArray body;
        QByteArray location;
        QByteArray cookie;
        QByteArray contentType = "text/html; charset=utf-8";
    };
    bool answerFromFolder(const QString &path, Response &response) const;
    Response answer(const Request &request);
    static QByteArray encode(const Response &response);

    QString m_user;
    QString m_password;
    QList<Post> m_posts;
    QHash<QString, QByteArray> m_pages;
    QHash<QString, QString> m_folders;
    QStringList m_served;
    QHash<int, QStringList> m_replies;
};
