#include "watch/threadpagescripts.h"

#include "browser/pagescripts.h"

QString readHeadScript()
{
    return QStringLiteral("(function () {\n"
                          "  var head = document.head;\n"
                          "  return head ? head.outerHTML : '';\n"
                          "})()");
}

QString scrollToAnchorScript(const QString &anchor)
{
    return QStringLiteral("(function (anchor) {\n"
                          "  var target = document.getElementById(anchor) || document.getElementsByName(anchor)[0];\n"
                          "  if (!target) return false;\n"
                          "  target.scrollIntoView();\n"
                          "  return true;\n"
                          "})(%1)")
        .arg(scriptStringLiteral(anchor));
}
