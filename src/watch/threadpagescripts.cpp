#include "watch/threadpagescripts.h"

#include "browser/pagescripts.h"
#include "browser/pagescriptsource.h"

QString readHeadScript()
{
    static const QString script = pageScriptCall(QStringLiteral("read-head.js"));
    return script;
}

QString scrollToAnchorScript(const QString &anchor)
{
    return pageScriptCall(QStringLiteral("scroll-to-anchor.js"), {scriptStringLiteral(anchor)});
}
