#pragma once

#include <QString>
#include <QStringList>

// Finding the message box of a posting page without understanding the forum: the page's markup is
// rewritten so that every form boundary and every input or text-area tag starts a line of its own,
// and the lines are scanned with plain, case-insensitive text matching.
struct FormScan
{
    int formIndex = -1;  // 0-based among the page's forms, -1 when no form holds a text area
    int fieldIndex = -1; // 0-based among the counted fields of that form, -1 when none
    // The scratch-file content each pass produced, in order (one or two entries). The caller keeps
    // the last one on disk as a record of what was scanned; the result never depends on that file.
    QStringList scratchTexts;
};

// Both passes over a page's body markup, then the field scan over the text of the last pass. Only
// markup is scanned: see withoutInertText.
FormScan scanForPostForm(const QString &outerHtml, const QString &innerHtml);

// The inner markup of the body from its outer markup: the body's own tags taken off.
QString bodyInnerMarkup(const QString &bodyOuterHtml);

// The markup with the text of comments and of script and style elements taken out (the comment
// marks and the element tags stay): a "<form" in a commented-out block or in a script's string is
// no form of the page. Markup that holds no comment, script or style text comes back unchanged.
QString withoutInertText(const QString &markup);

// The two rewrites. They differ on purpose: the first leaves the page's own ">" of a closing form
// tag on the next line and keeps the blank after "<input"; the second does neither.
QString rewriteForFirstPass(const QString &markup);
QString rewriteForSecondPass(const QString &markup);

// The lines of a scratch text: only CR LF ends a line; the final terminator gives no extra line.
QStringList scratchLines(const QString &scratchText);

// The form that holds the first "textarea" line, counting only forms that open outside another
// form; -1 when there is none.
int findPostFormInLines(const QStringList &lines);
// The position of the message box among the input and text-area tags of form formIndex (here every
// "<form" line counts, also a nested one); -1 when none is found or it is found on the last line.
int findMessageFieldInLines(const QStringList &lines, int formIndex);
