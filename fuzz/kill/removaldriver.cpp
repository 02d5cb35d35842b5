// Drives the watched-posts list for the kill test (fuzz/kill/run-removal-kills.sh).
//
//   removaldriver check FOLDER   loads the list and exits 0 when every post has its own size
//   removaldriver churn FOLDER   removes and re-adds posts without end, until it is killed
//
// Post "http://forum.test/t/N" is measured as N bytes, so a post read with its neighbour's size
// shows at once; "0" is the size of a post killed before its measurement came. The two files must
// also hold as many entries each, and so must postnumbers.txt, written with them.
#include "core/datafiles.h"
#include "core/datafolder.h"
#include "core/textfile.h"
#include "watch/watchedpostlist.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

namespace {
QString postUrl(int n)
{
    return QStringLiteral("http://forum.test/t/%1").arg(n);
}

int entries(const DataFolder &folder, const QString &name)
{
    int count = 0;
    const QStringList lines = readTextLines(folder.filePath(name));
    for (const QString &line : lines)
        count += line.isEmpty() || line == QLatin1String(" ") ? 0 : 1;
    return count;
}

int check(const DataFolder &folder, const WatchedPostList &list)
{
    if (entries(folder, QStringLiteral("posts.txt")) != entries(folder, QStringLiteral("sizes.txt"))) {
        std::fprintf(stderr, "posts.txt and sizes.txt differ in length\n");
        return 1;
    }
    // postnumbers.txt is written with the other two; once there, it has a line for every post.
    if (fileExists(folder.filePath(QStringLiteral("postnumbers.txt"))) &&
        entries(folder, QStringLiteral("postnumbers.txt")) != entries(folder, QStringLiteral("posts.txt"))) {
        std::fprintf(stderr, "postnumbers.txt and posts.txt differ in length\n");
        return 1;
    }
    for (const WatchedPost &post : list.posts()) {
        const QString number = post.url.section(QLatin1Char('/'), -1);
        if (post.size != number && post.size != QLatin1String("0")) {
            std::fprintf(stderr, "misaligned: %s has size %s\n", qPrintable(post.url), qPrintable(post.size));
            return 1;
        }
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: removaldriver check|churn FOLDER\n");
        return 2;
    }
    const DataFolder folder(args.at(2));
    removeStaleTempFiles(folder); // as start-up does
    WatchedPostList list(folder);
    const QString loadError = list.load();
    if (!loadError.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(loadError));
        return 1;
    }
    if (check(folder, list) != 0)
        return 1;
    if (args.at(1) == QLatin1String("check"))
        return 0;

    QObject::connect(&list, &WatchedPostList::saveFailed,
                     [](const QString &error) { std::fprintf(stderr, "%s\n", qPrintable(error)); });
    QRandomGenerator random(quint32(QCoreApplication::applicationPid()));
    for (;;) {
        // Keep between 5 and 40 posts, so a removal usually has posts below it.
        while (list.count() < 5 + int(random.bounded(35))) {
            const int n = int(random.bounded(100000));
            list.watch(postUrl(n));
            list.recordSize(postUrl(n), n);
        }
        list.removeAt(int(random.bounded(list.count())));
    }
}
