#pragma once

#include "app/rtfcontent.h"

#include <QByteArray>

// Reads an RTF document into paragraphs of styled runs. Understands groups, paragraph and line
// breaks, tabs, bold, italic, underline, strike-out, hidden text, font sizes, the font and colour
// tables with \f and \cf, alignment and indents, \'hh escapes (Windows-1252) and \uN with its
// fallback; skips the style sheet, pictures, field instructions and every \* destination.
//
// Any input is accepted: damaged RTF gives what could be read, input that is not RTF at all is
// shown as plain text. Work is linear in the input and memory is bounded by the input's size,
// however deeply groups nest.
RtfDocument readRtf(const QByteArray &data);
