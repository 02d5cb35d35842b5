#include "classicforum.h"

#include "classicbbcode.h"
#include "classicforumaddresses.h"
#include "classicforumpages.h"
#include "postedform.h"
#include "servedfile.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QByteArray sessionCookieName = "mybbuser";

QString hashed(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QByteArray reasonFor(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Error";
    }
}

} // namespace

struct ClassicForum::Response
{
    int status = 200;
    QByteArray body;
    QByteArray location;
    QList<QByteArray> cookies;
    QByteArray contentType = "text/html; charset=UTF-8";

    static Response page(const QByteArray &body) { return {200, body, {}, {}, "text/html; charset=UTF-8"}; }
    static Response redirect(const QString &to) { return {302, {}, to.toUtf8(), {}, "text/html; charset=UTF-8"}; }
    // What the quick reply's script is told when the board refuses a post.
    static Response errors(const QString &text)
    {
        const QJsonObject answer{{QStringLiteral("errors"), QJsonArray{text}}};
        return {200, QJsonDocument(answer).toJson(QJsonDocument::Compact), {}, {}, "application/json; charset=UTF-8"};
    }

    QByteArray encoded() const
    {
        QByteArray bytes = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonFor(status) + "\r\n";
        bytes += "Content-Type: " + contentType + "\r\n";
        bytes += "Expires: Sat, 1 Jan 2000 01:00:00 GMT\r\nCache-Control: no-cache, must-revalidate\r\n"
                 "Pragma: no-cache\r\nConnection: close\r\n";
        if (!location.isEmpty())
            bytes += "Location: " + location + "\r\n";
        for (const QByteArray &cookie : cookies)
            bytes += "Set-Cookie: " + cookie + "\r\n";
        return bytes + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
};

ClassicForum::ClassicForum(QObject *parent)
    : QTcpServer(parent)
    , m_editorPackages(QStringLiteral(THREADLOOM_SOURCE_DIR "/tests/editors/node_modules"))
{
    addMember(QStringLiteral("alice"), QStringLiteral("secret"));
}

bool ClassicForum::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString ClassicForum::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

QString ClassicForum::threadUrl(int thread, int page, ForumShape shape) const
{
    return url(ClassicForumAddresses::threadPath(shape, thread, page));
}

QString ClassicForum::postUrl(int post, ForumShape shape) const
{
    return url(ClassicForumAddresses::postPath(shape, m_posts.value(post).thread, post));
}

QString ClassicForum::newReplyUrl(int thread) const
{
    return url(QStringLiteral("/newreply.php?tid=%1").arg(thread));
}

void ClassicForum::addMember(const QString &name, const QString &password)
{
    m_members.insert(name, {int(m_members.size()) + 1, password});
}

QString ClassicForum::loginKey(const QString &member) const
{
    // A login of another board on this host (an earlier test's) is none here.
    return QStringLiteral("%1_%2")
        .arg(m_members.value(member).uid)
        .arg(hashed(QStringLiteral("login %1 %2").arg(member).arg(serverPort())));
}

QNetworkCookie ClassicForum::memberCookie(const QString &name) const
{
    QNetworkCookie cookie(sessionCookieName, loginKey(name).toLatin1());
    cookie.setDomain(QStringLiteral("127.0.0.1"));
    cookie.setPath(QStringLiteral("/"));
    return cookie;
}

int ClassicForum::storePost(int thread, const QString &subject, const QString &message, const QString &author)
{
    const int number = m_nextPost++;
    m_posts.insert(number, {number, thread, author, subject, message});
    m_threads[thread - 1].posts.append(number);
    return number;
}

int ClassicForum::openThread(const QString &subject, const QString &openingPost, const QString &author)
{
    m_threads.append({subject, {}, false});
    storePost(int(m_threads.size()), subject, openingPost, author);
    return int(m_threads.size());
}

void ClassicForum::setMembersOnly(int thread, bool membersOnly)
{
    m_threads[thread - 1].membersOnly = membersOnly;
}

int ClassicForum::addPost(int thread, const QString &message, const QString &author)
{
    return storePost(thread, QString(), message, author);
}

int ClassicForum::addPosts(int thread, int count, const QString &author)
{
    int last = 0;
    for (int i = 1; i <= count; ++i)
        last = addPost(thread, QStringLiteral("Reply %1 from %2.").arg(i).arg(author), author);
    return last;
}

ClassicForumPost ClassicForum::post(int number) const
{
    return m_posts.value(number);
}

QList<int> ClassicForum::postNumbers(int thread) const
{
    return knownThread(thread) ? m_threads.at(thread - 1).posts : QList<int>();
}

int ClassicForum::pageCount(int thread) const
{
    const int posts = int(postNumbers(thread).size());
    return std::max(1, (posts + ClassicForumAddresses::postsPerPage - 1) / ClassicForumAddresses::postsPerPage);
}

int ClassicForum::pageOf(int post) const
{
    const int place = int(postNumbers(m_posts.value(post).thread).indexOf(post));
    return place < 0 ? 0 : place / ClassicForumAddresses::postsPerPage + 1;
}

QStringList ClassicForum::linkTargets(int post) const
{
    return ClassicBbcode::parse(m_posts.value(post).message).links;
}

ClassicForumViewer ClassicForum::viewer(const QString &member) const
{
    ClassicForumViewer viewer;
    viewer.member = member;
    viewer.uid = m_members.value(member).uid;
    viewer.postKey = hashed(QStringLiteral("post key ") + member);
    viewer.logoutKey = hashed(QStringLiteral("logout ") + member);
    viewer.postHash = hashed(QString::number(++m_pageCount));
    return viewer;
}

QByteArray ClassicForum::threadPage(int thread, int page, const QString &member, ForumShape shape) const
{
    const Thread &shown = m_threads.at(thread - 1);
    ClassicThreadPage view;
    view.shape = shape;
    view.thread = thread;
    view.subject = shown.subject;
    view.pages = pageCount(thread);
    view.page = std::clamp(page, 1, view.pages);
    view.firstPosition = (view.page - 1) * ClassicForumAddresses::postsPerPage + 1;
    for (int number : shown.posts.mid(view.firstPosition - 1, ClassicForumAddresses::postsPerPage))
        view.posts << m_posts.value(number);
    view.origin = url(QString());
    view.canonicalLink = m_canonicalLinks;
    view.composer = m_composer;
    return ClassicForumPages::threadPage(viewer(member), view);
}

QByteArray ClassicForum::noPermissionPage() const
{
    return ClassicForumPages::noPermissionPage(viewer(QString()), url(QStringLiteral("/showthread.php?tid=1")));
}

QString ClassicForum::memberOf(const LoopbackRequest &request) const
{
    for (const QByteArray &pair : request.headers.value("cookie").split(';')) {
        const QByteArray trimmed = pair.trimmed();
        if (!trimmed.startsWith(sessionCookieName + '='))
            continue;
        const QString key = QString::fromLatin1(trimmed.mid(sessionCookieName.size() + 1));
        for (auto it = m_members.cbegin(); it != m_members.cend(); ++it) {
            if (loginKey(it.key()) == key)
                return it.key();
        }
    }
    return {};
}

ClassicForum::Response ClassicForum::login(const LoopbackRequest &request, const QHash<QString, QString> &fields)
{
    // The page's own form and the hidden quick log-in form name their fields differently.
    const bool quick = fields.contains(QStringLiteral("quick_login"));
    const QString name = fields.value(quick ? QStringLiteral("quick_username") : QStringLiteral("username"));
    const QString password = fields.value(quick ? QStringLiteral("quick_password") : QStringLiteral("password"));
    QString returnTo = fields.value(QStringLiteral("url"));
    if (!m_members.contains(name) || m_members.value(name).password != password)
        return Response::page(ClassicForumPages::loginPage(viewer(QString()), returnTo, true));
    // Only the board's own pages are gone back to.
    if (!returnTo.startsWith(url(QStringLiteral("/"))) && !returnTo.startsWith(QLatin1Char('/')))
        returnTo = url(QStringLiteral("/index.php"));
    Response response = Response::redirect(returnTo);
    const bool remember =
        fields.value(quick ? QStringLiteral("quick_remember") : QStringLiteral("remember")) == QLatin1String("yes");
    const QByteArray lifetime = remember ? "; Max-Age=31536000" : "";
    response.cookies << sessionCookieName + '=' + loginKey(name).toLatin1() + lifetime + "; path=/; HttpOnly"
                     << "sid=" + hashed(name + request.path).toLatin1() + "; path=/; HttpOnly";
    return response;
}

ClassicForum::Response ClassicForum::logout(const LoopbackRequest &request, const QString &member)
{
    if (member.isEmpty())
        return Response::redirect(url(QStringLiteral("/index.php")));
    if (QUrlQuery(request.query).queryItemValue(QStringLiteral("logoutkey")) != viewer(member).logoutKey)
        return Response::page(ClassicForumPages::messagePage(
            viewer(member), QStringLiteral("Error"),
            QStringLiteral("Your user ID could not be verified to log you out. If you intended to log out, please "
                           "click the Log Out button at the top menu.")));
    Response response = Response::redirect(url(QStringLiteral("/index.php")));
    response.cookies << sessionCookieName + "=; Max-Age=0; path=/; HttpOnly";
    return response;
}

ClassicForum::Response ClassicForum::reply(const LoopbackRequest &request, const QString &member)
{
    const QUrlQuery query(request.query);
    const bool ajax = query.queryItemValue(QStringLiteral("ajax")) == QLatin1String("1");
    const QHash<QString, QString> fields = postedFields(request);
    const int thread = fields.value(QStringLiteral("tid"), query.queryItemValue(QStringLiteral("tid"))).toInt();
    ClassicForumSubmission sent;
    sent.thread = thread;
    sent.subject = fields.value(QStringLiteral("subject"));
    sent.message = fields.value(QStringLiteral("message"));
    sent.quick = ajax;
    auto refuse = [&](const QString &text) {
        sent.refusal = text;
        m_submissions << sent;
        return ajax ? Response::errors(text)
                    : Response::page(ClassicForumPages::newReplyPage(
                          viewer(member), thread, m_threads.at(thread - 1).subject, {}, sent.message, text));
    };
    if (!knownThread(thread))
        return Response::page(ClassicForumPages::messagePage(viewer(member), QStringLiteral("Error"),
                                                             QStringLiteral("The specified thread does not exist.")));
    if (member.isEmpty())
        return ajax ? Response::errors(QStringLiteral("You do not have permission to access this page."))
                    : Response::page(ClassicForumPages::noPermissionPage(viewer(member), newReplyUrl(thread)));
    if (fields.value(QStringLiteral("my_post_key")) != viewer(member).postKey)
        return refuse(QStringLiteral("Authorization code mismatch. Are you accessing this function correctly?"));
    if (sent.message.trimmed().isEmpty())
        return refuse(QStringLiteral("The message is missing. Please enter a message."));

    const int lastSeen = fields.value(QStringLiteral("lastpid")).toInt();
    sent.post = storePost(thread, sent.subject, sent.message, member);
    if (!ajax)
        sent.sentTo = postUrl(sent.post, m_shape);
    m_submissions << sent;
    if (!ajax)
        return Response::redirect(sent.sentTo);
    // The quick reply gets every post after the last one its page showed, its own among them.
    QList<ClassicForumPost> fresh;
    const QList<int> &posts = m_threads.at(thread - 1).posts;
    for (int post : posts) {
        if (post > lastSeen)
            fresh << m_posts.value(post);
    }
    const int firstPosition = int(posts.size() - fresh.size()) + 1;
    return Response::page(ClassicForumPages::postBits(viewer(member), ForumShape::MyBB,
                                                      m_threads.at(thread - 1).subject, fresh, firstPosition));
}

ClassicForum::Response ClassicForum::showThread(const LoopbackRequest &request, const QString &member)
{
    ClassicForumAddresses::Target target;
    ClassicForumAddresses::read(request.path, request.query, &target);
    if (target.post > 0 && m_posts.contains(target.post)) {
        target.thread = m_posts.value(target.post).thread;
        target.page = pageOf(target.post);
    }
    if (!knownThread(target.thread))
        return Response::page(ClassicForumPages::messagePage(viewer(member), QStringLiteral("Error"),
                                                             QStringLiteral("The specified thread does not exist.")));
    if (m_threads.at(target.thread - 1).membersOnly && member.isEmpty()) {
        const QString here = url(request.path + QLatin1Char('?') + request.query);
        return Response::page(ClassicForumPages::noPermissionPage(viewer(member), here));
    }
    return Response::page(threadPage(target.thread, target.page, member, target.shape));
}

ClassicForum::Response ClassicForum::answer(const LoopbackRequest &request)
{
    const QString member = memberOf(request);
    const QString action = QUrlQuery(request.query).queryItemValue(QStringLiteral("action"));
    const bool posted = request.method == "POST";
    if (request.path == QLatin1String("/member.php")) {
        const QHash<QString, QString> fields = postedFields(request);
        if (posted && fields.value(QStringLiteral("action")) == QLatin1String("do_login"))
            return login(request, fields);
        if (action == QLatin1String("logout"))
            return logout(request, member);
        // The log-in form sends the user back where they came from.
        const QString from = QString::fromUtf8(request.headers.value("referer"));
        return Response::page(ClassicForumPages::loginPage(
            viewer(member), from.startsWith(url(QStringLiteral("/"))) ? from : url(QStringLiteral("/index.php")),
            false));
    }
    if (request.path == QLatin1String("/newreply.php") && posted)
        return reply(request, member);
    if (request.path == QLatin1String("/newreply.php")) {
        const int thread = QUrlQuery(request.query).queryItemValue(QStringLiteral("tid")).toInt();
        if (!knownThread(thread))
            return Response::page(ClassicForumPages::messagePage(
                viewer(member), QStringLiteral("Error"), QStringLiteral("The specified thread does not exist.")));
        if (member.isEmpty())
            return Response::page(ClassicForumPages::noPermissionPage(viewer(member), newReplyUrl(thread)));
        QList<ClassicForumPost> review;
        for (int post : m_threads.at(thread - 1)
                            .posts.mid(std::max<qsizetype>(0, m_threads.at(thread - 1).posts.size() -
                                                                  ClassicForumAddresses::postsPerPage)))
            review << m_posts.value(post);
        return Response::page(ClassicForumPages::newReplyPage(viewer(member), thread, m_threads.at(thread - 1).subject,
                                                              review, QString(), QString()));
    }
    ClassicForumAddresses::Target target;
    if (ClassicForumAddresses::read(request.path, request.query, &target))
        return showThread(request, member);
    ServedFile file;
    for (const QString &script : {QStringLiteral("thread.js"), QStringLiteral("composer.js")}) {
        if (request.path == QLatin1String("/jscripts/") + script &&
            ServedFile::read(QStringLiteral(THREADLOOM_TEST_DATA "/classic-forum"), script, &file))
            return {200, file.body, {}, {}, file.contentType};
    }
    if (request.path.startsWith(QLatin1String("/node_modules/")) &&
        ServedFile::read(m_editorPackages, request.path.mid(14), &file))
        return {200, file.body, {}, {}, file.contentType};
    if (request.path == QLatin1String("/") || request.path == QLatin1String("/index.php")) {
        QList<QPair<int, QString>> threads;
        for (int i = 0; i < m_threads.size(); ++i) {
            if (!m_threads.at(i).membersOnly || !member.isEmpty())
                threads.append({i + 1, m_threads.at(i).subject});
        }
        return Response::page(ClassicForumPages::indexPage(viewer(member), threads));
    }
    Response missing = Response::page(
        ClassicForumPages::messagePage(viewer(member), QStringLiteral("Not Found"), QStringLiteral("Not Found")));
    missing.status = 404;
    return missing;
}

void ClassicForum::incomingConnection(qintptr descriptor)
{
    serveOneRequest(
        this, descriptor, [this](const LoopbackRequest &request) { return answer(request).encoded(); },
        [this](const LoopbackRequest &request) {
            const QString line = QString::fromLatin1(request.method) + QLatin1Char(' ') + request.path +
                                 (request.query.isEmpty() ? QString() : QLatin1Char('?') + request.query);
            m_requests << line;
            Q_EMIT served(line);
        });
}
