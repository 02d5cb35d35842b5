#pragma once

#include <QString>
#include <QStringList>

// The scripts the program runs in pages are files under resources/scripts, compiled in. Each is one
// function expression; running it is its text followed by its arguments in parentheses, each
// argument a literal (scriptStringLiteral, a number, null), so no text reaches a page as source.
// A helper file is a list of var statements that scripts share; the helpers a script needs are
// put into a function around it, so they stay out of the world the script runs in.

// The call of the script in resources/scripts/<fileName> on these arguments, with the given helper
// files in scope. The files are read from the resources once and kept.
QString pageScriptCall(const QString &fileName, const QStringList &arguments = {}, const QStringList &helperFiles = {});
