#include "fakeforum.h"

#include "servedfile.h"

#include <QDir>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QByteArray sessionCookie = "forumsession";

QHash<QString, QString> formFields(const QByteArray &encoded)
{
    QHash<QString, QString> fields;
    for (const QByteArray &pair : encoded.split('&')) {
        if (pair.isEmpty())
            continue;
        const int equals = pair.indexOf('=');
        QByteArray name = equals < 0 ? pair : pair.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        fields.insert(QUrl::fromPercentEncoding(name), QUrl::fromPercentEncoding(value));
    }
    return fields;
}

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray replies(const QStringList &texts)
{
    QByteArray html;
    for (const QString &text : texts)
        html += "<div class=\"reply\">" + escaped(text) + "</div>\n";
    return html;
}

QByteArray page(const QByteArray &title, const QByteArray &body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head>\n<body>\n" + body +
           "\n</body></html>\n";
}

} // namespace

FakeForum::FakeForum(QObject *parent)
    : QTcpServer(parent)
{
}

bool FakeForum::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString FakeForum::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

void FakeForum::setPage(const QString &path, const QByteArray &html)
{
    m_pages.insert(path, html);
}

void FakeForum::serveFolder(const QString &prefix, const QString &folder)
{
    m_folders.insert(prefix, QDir(folder).absolutePath());
}

bool FakeForum::answerFromFolder(const QString &path, Response &response) const
{
    for (auto it = m_folders.cbegin(); it != m_folders.cend(); ++it) {
        ServedFile file;
        if (!path.startsWith(it.key()) || !ServedFile::read(it.value(), path.mid(it.key().size()), &file))
            continue;
        response.body = file.body;
        response.contentType = file.contentType;
        return true;
    }
    return false;
}

void FakeForum::addReply(int id, const QString &text)
{
    m_replies[id].append(text);
}

QByteArray FakeForum::newThreadPage()
{
    return page("New thread",
                "<div id=\"top\"><form action=\"/search\" method=\"get\">"
                "<input type=\"text\" name=\"q\" id=\"q\"> <input type=\"submit\" value=\"Search\"></form></div>\n"
                "<h2>Post a new thread</h2>\n"
                "<form action=\"/submit\" method=\"post\" id=\"postform\">\n"
                "<input type=\"hidden\" name=\"token\" value=\"abc123\">\n"
                "Subject: <input type=\"text\" name=\"subject\" id=\"subject\"><br>\n"
                "Icon: <select name=\"icon\" id=\"icon\"><option>none</option><option>smile</option></select><br>\n"
                "<textarea name=\"message\" id=\"message\" rows=\"10\" cols=\"60\"></textarea><br>\n"
                "<input type=\"submit\" id=\"post\" value=\"Post\">\n"
                "</form>");
}

void FakeForum::incomingConnection(qintptr descriptor)
{
    serveOneRequest(
        this, descriptor, [this](const Request &request) { return encode(answer(request)); },
        [this](const Request &request) {
            m_served << request.path;
            Q_EMIT served(request.path);
        });
}

FakeForum::Response FakeForum::answer(const Request &request)
{
    Response response;
    const bool loggedIn = request.headers.value("cookie").contains(sessionCookie + '=');
    if (request.path == QLatin1String("/login") && request.method == "POST") {
        const QHash<QString, QString> fields = formFields(request.body);
        m_user = fields.value(QStringLiteral("user"));
        m_password = fields.value(QStringLiteral("password"));
        response.status = 302;
        response.location = "/newthread";
        // Kept a day, as a forum's "remember me" login is.
        response.cookie = sessionCookie + "=" + QUrl::toPercentEncoding(m_user) + "; Path=/; Max-Age=86400";
    } else if (request.path == QLatin1String("/login")) {
        response.body = page("Log in", "<form action=\"/login\" method=\"post\" id=\"loginform\">\n"
                                       "User: <input type=\"text\" name=\"user\" id=\"user\"><br>\n"
                                       "Password: <input type=\"password\" name=\"password\" id=\"password\"><br>\n"
                                       "<input type=\"submit\" id=\"go\" value=\"Log in\">\n</form>");
    } else if (request.path == QLatin1String("/newthread")) {
        if (loggedIn) {
            response.body = newThreadPage();
        } else {
            response.status = 302;
            response.location = "/login";
        }
    } else if (request.path == QLatin1String("/submit") && request.method == "POST") {
        const QHash<QString, QString> fields = formFields(request.body);
        m_posts.append({fields.value(QStringLiteral("subject")), fields.value(QStringLiteral("message"))});
        response.status = 303;
        response.location = "/thread?id=" + QByteArray::number(m_posts.size());
    } else if (request.path == QLatin1String("/members")) {
        // A members-only thread: guests get a short "please log in" page.
        response.body = loggedIn ? page("Members", "<div class=\"post\">" + QByteArray(20 * 1024, 'm') + "</div>\n" +
                                                       replies(m_replies.value(0)))
                                 : page("Log in", "<p>Please log in.</p>");
    } else if (request.path == QLatin1String("/thread")) {
        const int id = QUrlQuery(request.query).queryItemValue(QStringLiteral("id")).toInt();
        if (id >= 1 && id <= m_posts.size()) {
            const Post &post = m_posts.at(id - 1);
            QString message = post.message;
            message.replace(QStringLiteral("\r\n"), QStringLiteral("<br>\n"));
            response.body =
                page(escaped(post.subject), "<h1>" + escaped(post.subject) + "</h1>\n<div class=\"post\">" +
                                                message.toUtf8() + "</div>\n" + replies(m_replies.value(id)) +
                                                "<p><a href=\"/newthread\">New thread</a></p>");
        } else {
            response.status = 404;
            response.body = page("Not found", "<p>No such thread.</p>");
        }
    } else if (m_pages.contains(request.path)) {
        response.body = m_pages.value(request.path);
    } else if (!answerFromFolder(request.path, response)) {
        response.status = 404;
        response.body = page("Not found", "<p>Not found.</p>");
    }
    return response;
}

QByteArray FakeForum::encode(const Response &response)
{
    QByteArray reason = response.status == 200 ? "OK" : response.status == 404 ? "Not Found" : "Found";
    if (response.status == 303)
        reason = "See Other";
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason + "\r\n";
    bytes += "Content-Type: " + response.contentType + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    bytes += "Cache-Control: no-store\r\nConnection: close\r\n";
    if (!response.location.isEmpty())
        bytes += "Location: " + response.location + "\r\n";
    if (!response.cookie.isEmpty())
        bytes += "Set-Cookie: " + response.cookie + "\r\n";
    return bytes + "\r\n" + response.body;
}
