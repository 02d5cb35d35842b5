#include "engineforum.h"

#include "loopbackrequest.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QUrlQuery>

namespace {

QByteArray response(int status, const QByteArray &reason, const QByteArray &body, const QByteArray &location = {})
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
    bytes += "Content-Type: text/html; charset=UTF-8\r\nConnection: close\r\n";
    if (!location.isEmpty())
        bytes += "Location: " + location + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    return bytes + body;
}

// Plain text the way the engine prints it: quotes curled, dashes and dots made typographic.
QString texturize(QString text)
{
    text.replace(QStringLiteral("&"), QStringLiteral("&amp;"));
    text.replace(QStringLiteral("..."), QString(QChar(0x2026)));
    text.replace(QStringLiteral("---"), QString(QChar(0x2014)));
    text.replace(QStringLiteral(" -- "), QStringLiteral(" ") + QChar(0x2014) + QStringLiteral(" "));
    text.replace(QStringLiteral("--"), QString(QChar(0x2013)));
    static const QRegularExpression opening(QStringLiteral("(^|\\s)\""));
    text.replace(opening, QStringLiteral("\\1") + QChar(0x201C));
    text.replace(QLatin1Char('"'), QChar(0x201D));
    text.replace(QLatin1Char('\''), QChar(0x2019));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return text;
}

} // namespace

EngineForum::EngineForum(QObject *parent)
    : QTcpServer(parent)
{
}

bool EngineForum::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString EngineForum::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

int EngineForum::openThread(const QString &openingPost, bool membersOnly)
{
    m_threads.append(Thread{{}, membersOnly});
    addComment(int(m_threads.size()), openingPost);
    return int(m_threads.size());
}

int EngineForum::addComment(int thread, const QString &text, bool held)
{
    Comment comment;
    comment.number = m_nextNumber++;
    comment.text = text;
    comment.held = held;
    if (held)
        comment.key = QString::fromLatin1(
            QCryptographicHash::hash(QByteArray::number(comment.number), QCryptographicHash::Md5).toHex().left(12));
    m_threads[thread - 1].comments.append(comment);
    return comment.number;
}

QString EngineForum::submit(int thread, const QString &text, bool held)
{
    const int number = addComment(thread, text, held);
    const Comment &comment = m_threads.at(thread - 1).comments.last();
    QString address = threadUrl(thread);
    if (held)
        address += QStringLiteral("?unapproved=%1&moderation-hash=%2").arg(number).arg(comment.key);
    return address + QStringLiteral("#comment-%1").arg(number);
}

void EngineForum::setPlainPage(const QString &path, const QString &text)
{
    m_plainPages.insert(path, text);
}

QByteArray EngineForum::render(const QString &text)
{
    // The engine keeps the links it allows, with its own quoting and attributes; the rest is text.
    static const QRegularExpression link(QStringLiteral("<a href=['\"]([^'\"]*)['\"]>(.*?)</a>"));
    QString out;
    qsizetype done = 0;
    for (auto it = link.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += texturize(text.mid(done, match.capturedStart() - done));
        out += QStringLiteral("<a href=\"%1\" rel=\"nofollow ugc\">%2</a>").arg(match.captured(1), match.captured(2));
        done = match.capturedEnd();
    }
    out += texturize(text.mid(done));
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QStringLiteral("\n\n"), QStringLiteral("</p>\n<p>"));
    out.replace(QStringLiteral("\n"), QStringLiteral("<br />\n"));
    return "<p>" + out.toUtf8() + "</p>";
}

QByteArray EngineForum::frame(const QByteArray &title, const QByteArray &content, bool member) const
{
    QByteArray bar;
    if (member) {
        // What a member's toolbar brings: menus, counters and a nonce that differs on every page.
        bar = "<div id=\"admin-bar\"><ul>";
        for (int i = 0; i < 40; ++i)
            bar += "<li id=\"wp-admin-bar-item-" + QByteArray::number(i) + "\"><a href=\"/admin/menu" +
                   QByteArray::number(i) + "\">Menu entry number " + QByteArray::number(i) + "</a></li>\n";
        bar += "<li><a href=\"/logout?_wpnonce=" + QByteArray::number(++m_nonce * 7919) + "\">Log out</a></li>";
        bar += "</ul><span class=\"count\">" + QByteArray::number(m_nonce) + " in moderation</span></div>\n";
    } else {
        bar = "<div id=\"guest\"><a href=\"/wp-login.php\">Log in</a></div>\n";
    }
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head>\n<body>\n" + bar +
           "<div id=\"recent-comments-2\" class=\"widget\">Recent comments</div>\n" + content + "\n</body></html>\n";
}

QByteArray EngineForum::threadPage(int thread, bool member, const QString &previewKey) const
{
    const Thread &shown = m_threads.at(thread - 1);
    QByteArray list = "<ol class=\"comment-list\">\n";
    for (const Comment &comment : shown.comments) {
        if (comment.held && comment.key != previewKey)
            continue;
        const QByteArray number = QByteArray::number(comment.number);
        list += "<li id=\"comment-" + number + "\" class=\"comment\"><article id=\"div-comment-" + number + "\">" +
                (comment.held ? "<em>Your comment is awaiting moderation.</em>" : "") + render(comment.text) +
                "<a rel=\"nofollow\" class=\"comment-reply-link\" href=\"#comment-" + number +
                "\">Reply</a></article></li>\n";
    }
    return frame("Thread " + QByteArray::number(thread),
                 "<article id=\"post-" + QByteArray::number(thread) + "\">" + list + "</ol></article>", member);
}

QByteArray EngineForum::answer(const QByteArray &target, bool member) const
{
    const QUrl url(QString::fromLatin1(target));
    const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const int thread = parts.value(1).toInt();
    const bool known = thread >= 1 && thread <= m_threads.size();
    if (parts.value(0) == QLatin1String("thread") && known) {
        if (m_threads.at(thread - 1).membersOnly && !member)
            return response(404, "Not Found", frame("Not found", "<p>Nothing here.</p>", false));
        return response(200, "OK",
                        threadPage(thread, member, QUrlQuery(url).queryItemValue(QStringLiteral("moderation-hash"))));
    }
    if (parts.value(0) == QLatin1String("private") && known) {
        if (!member)
            return response(302, "Found", {}, "/wp-login.php?redirect_to=%2Fprivate%2F" + QByteArray::number(thread));
        return response(200, "OK", threadPage(thread, member));
    }
    if (parts.value(0) == QLatin1String("old") && known)
        return response(301, "Moved Permanently", {}, "/thread/" + QByteArray::number(thread) + "/");
    if (m_plainPages.contains(url.path()))
        return response(
            200, "OK",
            frame("Page", "<div class=\"entry\">" + render(m_plainPages.value(url.path())) + "</div>", member));
    return response(404, "Not Found", frame("Not found", "<p>Nothing here.</p>", member));
}

void EngineForum::incomingConnection(qintptr descriptor)
{
    serveOneRequest(this, descriptor, [this](const LoopbackRequest &request) {
        const QString target = request.query.isEmpty() ? request.path : request.path + QLatin1Char('?') + request.query;
        return answer(target.toLatin1(), request.headers.value("cookie").contains("session="));
    });
}
