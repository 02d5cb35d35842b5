#pragma once

#include <QString>

// The scripts the program runs in a page. Every text handed to a page travels as a string literal
// of the script language built here, never spliced into script source as it stands.

// A double-quoted string literal that gives back text unchanged, whatever it holds: quotes,
// backslashes, "</script>", line and paragraph separators, lone surrogates. Pure ASCII.
QString scriptStringLiteral(const QString &text);

// Gives [body outerHTML, body innerHTML], or null when the page has no body.
QString readBodyScript();

// Puts text into the message box of the given form: the element at fieldIndex when it is a text
// area, else the first text area of that form. When the scan found none (either index -1), the
// first form in page order whose elements hold a text area gets it, in its first text area: a
// form the page built empty still owns the fields placed after it. Page scripts learn of it
// through "input" and "change" events. Gives true when a text area received the text.
QString setMessageFieldScript(int formIndex, int fieldIndex, const QString &text);

// Inserts text at the caret of the element that has the focus, reaching into same-origin frames;
// the element may be a text field or any editable element. Gives true when the text went in.
QString insertAtCaretScript(const QString &text);
