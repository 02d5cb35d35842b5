#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>

// A comment engine on 127.0.0.1 that renders posts the way real ones do, for the watching roads:
//   /thread/N/   thread N with its comments, each as <li id="comment-K"><article id="div-comment-K">;
//                the text typographically rewritten (’ “ ” — …), "&" as "&amp;", links given the
//                engine's own attributes. Members (a "session" cookie, which may be scoped to one
//                thread's path) get a toolbar of about 4 KB with a log-out link and a fresh nonce;
//                guests get a log-in link. A comment held for moderation shows only with its
//                one-time key (?unapproved=K&moderation-hash=H).
//   members-only threads answer guests 404; /private/N/ sends guests to the log-in page;
//   /old/N/ has moved to /thread/N/.
class EngineForum : public QTcpServer
{
    Q_OBJECT
public:
    explicit EngineForum(QObject *parent = nullptr);

    bool start();
    QString url(const QString &path) const;
    QString threadUrl(int thread) const { return url(QStringLiteral("/thread/%1/").arg(thread)); }

    // Threads are numbered from 1 as they are opened; each starts with its opening post.
    int openThread(const QString &openingPost, bool membersOnly = false);
    // A comment as the engine stores it; returns its number (one sequence for the whole site).
    int addComment(int thread, const QString &text, bool held = false);
    // What the browser is sent to after posting: the thread with the new comment's anchor, and for
    // a held comment the one-time preview key.
    QString submit(int thread, const QString &text, bool held = false);
    // The thread page as a member or a guest sees it (held comments shown for previewKey).
    QByteArray threadPage(int thread, bool member, const QString &previewKey = {}) const;
    // A page that names no posts: one text, and the toolbar or log-in link.
    void setPlainPage(const QString &path, const QString &text);

    // The engine's rendering of a comment's text.
    static QByteArray render(const QString &text);

private:
    struct Comment
    {
        int number = 0;
        QString text;
        bool held = false;
        QString key;
    };
    struct Thread
    {
        QList<Comment> comments;
        bool membersOnly = false;
    };
    void incomingConnection(qintptr descriptor) override;
    QByteArray answer(const QByteArray &target, bool member) const;
    QByteArray frame(const QByteArray &title, const QByteArray &content, bool member) const;

    QList<Thread> m_threads;
    QHash<QString, QString> m_plainPages;
    int m_nextNumber = 100;
    mutable int m_nonce = 0;
};
