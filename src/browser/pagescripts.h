#pragma once

#include <QString>

// The scripts the program runs in a page, each a file under resources/scripts (pagescriptsource.h).
// Every text handed to a page travels as a string literal of the script language built here, never
// spliced into script source as it stands.

// A double-quoted string literal that gives back text unchanged, whatever it holds: quotes,
// backslashes, "</script>", line and paragraph separators, lone surrogates. Pure ASCII.
QString scriptStringLiteral(const QString &text);

// Gives [body outerHTML, body innerHTML], or null when the page has no body.
QString readBodyScript();

// Gives the body's outer markup, or null when the page has no body. Its inner markup is the same
// text without the body's own tags, so a large page crosses over once.
QString readBodyOuterScript();

// Run when a page has loaded: notes the text areas and editors outside any form that a person sees
// then, so that only one the page opens later counts as a composer, and notes the page's first
// change from then on. Gives how many there are.
QString noteLoadedSurfacesScript();

// Auto-insert's first step into the editing surface the user is working in: the focused text area,
// editing host or editor frame (also outside any form, also in a same-origin frame), else the
// newest text area or editor outside any form that the page has shown since it loaded. It takes
// the text as the form's message box does below. Gives a JSON report as below; "none" when the
// user works in no such surface, and the form rule decides.
QString fillUserSurfaceScript(const QString &text);

// Auto-insert's first step into the message box of the given form (the element at fieldIndex when
// it is a text area, else the first text area of that form; with either index -1, the first form
// in page order whose elements hold a text area: a form the page built empty still owns the fields
// placed after it). A text area the user sees takes text as its value, and page scripts learn of it
// through "input" and "change" events; so does a hidden one that no editor stands for. When an
// editor hides it, or the form has no text area, the visible editing surface that stands for it is
// focused with all its content selected, and kept for the next two scripts. A code editor that
// draws its text itself has no editable surface: its own text area, kept out of sight beside the
// hidden one, takes the focus, a Ctrl+A and the paste, and the report gives the text it draws. Gives a JSON report
// {"road": "field" | "editor" | "none", "text": the value, or the surface's text}.
QString fillMessageBoxScript(int formIndex, int fieldIndex, const QString &text);

// Focuses the surface the fill script kept and selects all it holds again. Gives its report, whose
// "focused" tells whether the page has the keyboard focus yet.
QString selectSurfaceScript();

// Puts the message into the surface the fill script kept, replacing the selection, as a person's
// paste arrives: a paste event carrying text (and html, unless it is null) that the editor takes
// itself, else the browser's insertText or insertHTML command. Gives the report of the surface;
// its "asked" is true while an element the paste added beside the surface is in sight (an editor
// that asks how to paste opens its question so).
QString pasteIntoSurfaceScript(const QString &text, const QString &html);

// For an editor that asked instead of taking the paste: gives its question the answer a person
// gives with Enter, a click on its focused button. A question without one is closed with Escape,
// as a person declines it, and the message typed over the selection with the browser's insertHTML
// (or insertText) command, which asks nothing. Gives the report of the surface; "asked" stays
// true when the question would not close, and then nothing is typed.
QString answerQuestionScript(const QString &text, const QString &html);

// The report of the kept surface: what it shows now, and whether a question is open beside it.
QString readSurfaceScript();

// Inserts text at the caret of the element that has the focus, reaching into same-origin frames;
// the element may be a text field or any editable element. Gives true when the text went in.
QString insertAtCaretScript(const QString &text);
