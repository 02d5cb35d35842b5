#include "browser/pagescripts.h"

#include "browser/pagescriptsource.h"

QString scriptStringLiteral(const QString &text)
{
    QString literal;
    literal.reserve(text.size() + 2);
    literal += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            literal += QLatin1Char('\\');
            literal += c;
        } else if (u >= 0x20 && u < 0x7f && u != u'<' && u != u'>') {
            literal += c;
        } else {
            // Everything else as an escape: the script source stays plain ASCII, so no line
            // terminator, markup or unpaired surrogate can change its meaning.
            literal += QStringLiteral("\\u%1").arg(static_cast<uint>(u), 4, 16, QLatin1Char('0'));
        }
    }
    literal += QLatin1Char('"');
    return literal;
}

namespace {

// Text handed to a page as an argument, or null.
QString literalOrNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("null") : scriptStringLiteral(text);
}

const QStringList insertHelpers = {QStringLiteral("insert-helpers.js")};
const QStringList userSurfaceHelpers = {QStringLiteral("insert-helpers.js"), QStringLiteral("user-surface-helpers.js")};

} // namespace

QString readBodyScript()
{
    static const QString script = pageScriptCall(QStringLiteral("read-body.js"));
    return script;
}

QString readBodyOuterScript()
{
    static const QString script = pageScriptCall(QStringLiteral("read-body-outer.js"));
    return script;
}

QString noteLoadedSurfacesScript()
{
    static const QString script = pageScriptCall(QStringLiteral("note-loaded-surfaces.js"), {}, userSurfaceHelpers);
    return script;
}

QString fillUserSurfaceScript(const QString &text)
{
    return pageScriptCall(QStringLiteral("fill-user-surface.js"), {scriptStringLiteral(text)}, userSurfaceHelpers);
}

QString fillMessageBoxScript(int formIndex, int fieldIndex, const QString &text)
{
    return pageScriptCall(QStringLiteral("fill-message-box.js"),
                          {QString::number(formIndex), QString::number(fieldIndex), scriptStringLiteral(text)},
                          insertHelpers);
}

QString pasteIntoSurfaceScript(const QString &text, const QString &html)
{
    return pageScriptCall(QStringLiteral("paste-into-surface.js"), {scriptStringLiteral(text), literalOrNull(html)},
                          insertHelpers);
}

QString answerQuestionScript(const QString &text, const QString &html)
{
    return pageScriptCall(QStringLiteral("answer-question.js"), {scriptStringLiteral(text), literalOrNull(html)},
                          insertHelpers);
}

QString selectSurfaceScript()
{
    static const QString script = pageScriptCall(QStringLiteral("select-surface.js"), {}, insertHelpers);
    return script;
}

QString readSurfaceScript()
{
    static const QString script = pageScriptCall(QStringLiteral("read-surface.js"), {}, insertHelpers);
    return script;
}

QString insertAtCaretScript(const QString &text)
{
    return pageScriptCall(QStringLiteral("insert-at-caret.js"), {scriptStringLiteral(text)});
}
