#pragma once

#include <QString>
#include <QVariant>

// What an insert script found and left in the page: the road the message took and what the
// message box shows afterwards (a text area's value, or the visible text of an editor's surface).
struct InsertReport
{
    enum Road { None, Field, Editor };
    Road road = None;
    QString text;
    // An editor's surface only: a question the paste opened beside it is in sight, and whether
    // the page has the keyboard focus.
    bool asked = false;
    bool focused = false;
};

// Reads a script's answer, a JSON text {"road": "field" | "editor" | "none", "text": "...",
// "asked": bool, "focused": bool} (the last two may be missing: false).
// Anything else (no answer, other JSON, a page that overwrote the script's helpers) is None.
InsertReport parseInsertReport(const QVariant &answer);

// The message as a rich editor takes it: its line breaks as <br>, the rest as converted.
QString editorMarkup(const QString &message);

// What a browser shows of a message's markup: tags dropped (a line break for <br> and block
// ends), character references decoded. Only for comparing; not a full HTML reader.
QString visibleTextOfMarkup(const QString &markup);

// Whether the text read back from the message box holds the message. Editors lay text out in their
// own way (paragraphs, non-breaking and zero-width spaces), so both sides are compared with every
// run of white space as one blank, ends trimmed.
bool showsMessage(const QString &readBack, const QString &message);
