// Serves the loopback classic board of the tests until stopped, to try the program by hand:
//   build/tests/threadloom_classicforum [composer|editor]
// It prints the board's addresses; "alice" logs in with "secret". Every request it serves is
// printed, and every post with what it holds.
#include "classicforum.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString mode = app.arguments().value(1);
    ClassicForum forum;
    if (mode == QLatin1String("composer"))
        forum.setComposer(ClassicComposer::TextArea);
    else if (mode == QLatin1String("editor"))
        forum.setComposer(ClassicComposer::Editor);
    forum.setCanonicalLinks(true);
    if (!forum.start())
        return 1;
    const int thread = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPosts(thread, 5);
    const int members = forum.openThread(QStringLiteral("Members talk"));
    forum.setMembersOnly(members);

    QTextStream out(stdout);
    out << "log in:       " << forum.loginUrl() << "\n"
        << "thread:       " << forum.threadUrl(thread) << "\n"
        << "full reply:   " << forum.newReplyUrl(thread) << "\n"
        << "members only: " << forum.threadUrl(members) << "\n"
        << Qt::flush;
    QObject::connect(&forum, &ClassicForum::served, &app, [&out, &forum](const QString &request) {
        out << request << "\n";
        if (request.startsWith(QLatin1String("POST /newreply.php")) && !forum.submissions().isEmpty())
            out << "  posted: " << forum.lastSubmission().message << "\n";
        out << Qt::flush;
    });
    return app.exec();
}
