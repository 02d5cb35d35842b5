#include "classicforumaddresses.h"

#include <QUrlQuery>

#include <algorithm>

QString ClassicForumAddresses::threadPath(ForumShape shape, int thread, int page)
{
    const int start = (page - 1) * postsPerPage;
    switch (shape) {
    case ForumShape::PhpBB:
        return page > 1 ? QStringLiteral("/viewtopic.php?t=%1&start=%2").arg(thread).arg(start)
                        : QStringLiteral("/viewtopic.php?t=%1").arg(thread);
    case ForumShape::Smf: return QStringLiteral("/index.php?topic=%1.%2").arg(thread).arg(start);
    case ForumShape::MyBB: break;
    }
    return page > 1 ? QStringLiteral("/showthread.php?tid=%1&page=%2").arg(thread).arg(page)
                    : QStringLiteral("/showthread.php?tid=%1").arg(thread);
}

QString ClassicForumAddresses::postPath(ForumShape shape, int thread, int post)
{
    switch (shape) {
    case ForumShape::PhpBB: return QStringLiteral("/viewtopic.php?p=%1#p%1").arg(post);
    case ForumShape::Smf: return QStringLiteral("/index.php?topic=%1.msg%2#msg%2").arg(thread).arg(post);
    case ForumShape::MyBB: break;
    }
    return QStringLiteral("/showthread.php?tid=%1&pid=%2#pid%2").arg(thread).arg(post);
}

bool ClassicForumAddresses::read(const QString &path, const QString &query, Target *target)
{
    const QUrlQuery items(query);
    auto number = [&items](const char *key) { return items.queryItemValue(QString::fromLatin1(key)).toInt(); };
    if (path == QLatin1String("/showthread.php")) {
        target->shape = ForumShape::MyBB;
        target->thread = number("tid");
        target->page = std::max(1, number("page"));
        target->post = items.hasQueryItem(QStringLiteral("pid")) ? number("pid") : number("p");
        return target->thread > 0 || target->post > 0;
    }
    if (path == QLatin1String("/viewtopic.php")) {
        target->shape = ForumShape::PhpBB;
        target->thread = number("t");
        target->page = std::max(0, number("start")) / postsPerPage + 1;
        target->post = number("p");
        return target->thread > 0 || target->post > 0;
    }
    // index.php?topic=12.40 (the first post shown) or index.php?topic=12.msg34
    const QString topic = items.queryItemValue(QStringLiteral("topic"));
    if (path != QLatin1String("/index.php") || topic.isEmpty())
        return false;
    target->shape = ForumShape::Smf;
    const QString thread = topic.section(QLatin1Char('.'), 0, 0);
    const QString at = topic.section(QLatin1Char('.'), 1);
    target->thread = thread.toInt();
    if (at.startsWith(QLatin1String("msg")))
        target->post = at.mid(3).toInt();
    else
        target->page = std::max(0, at.toInt()) / postsPerPage + 1;
    return target->thread > 0;
}
