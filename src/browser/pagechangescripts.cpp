#include "browser/pagechangescripts.h"

#include "browser/pagescriptsource.h"

namespace {

QString observerScript(const QString &fileName)
{
    return pageScriptCall(fileName, {}, {QStringLiteral("page-change-helpers.js")});
}

} // namespace

QString watchPageScript()
{
    static const QString script = observerScript(QStringLiteral("watch-page.js"));
    return script;
}

QString startWatchingPageScript()
{
    static const QString script = observerScript(QStringLiteral("start-watching-page.js"));
    return script;
}

QString pollPageChangesScript()
{
    static const QString script = observerScript(QStringLiteral("poll-page-changes.js"));
    return script;
}

QString takePageChangesScript()
{
    static const QString script = observerScript(QStringLiteral("take-page-changes.js"));
    return script;
}

QString stopWatchingPageScript()
{
    static const QString script = observerScript(QStringLiteral("stop-watching-page.js"));
    return script;
}
