#pragma once

#include <QString>

// What preview, copy and auto-insert convert: the message followed by two line breaks, so an
// address at the very end of the message is ended by a line break and the post ends in a blank
// line.
QString outgoingText(const QString &message);

// The message as it leaves the editor for the preview, the clipboard or a page.
struct OutgoingMessage
{
    QString text;        // converted with the selected format and link rules
    bool markup = false; // whether that format writes HTML links
    QString plain;       // the same text before conversion, as the user wrote it
};

// How the outgoing message ends: with the blank line of outgoingText, or as the user wrote it
// (Paste Message puts the bare message at the caret).
enum class OutgoingEnd {
    BlankLine,
    AsWritten,
};
