#pragma once

#include "compose/modernlinkscanner.h"

#include <QString>

// Writes text with each address the modern rules find as a link: linkOpen01, target, linkOpen02,
// the address as written, linkClose01. The target puts "http://" before a "www." address and
// mailCall01 before an e-mail address, and percent-encodes the characters that would end the
// template's markup early. When mailOpen01 or mailClose01 is given, an e-mail address is written
// as mailOpen01, the address, mailClose01 instead; a "mailto:" written before it stays in the text
// before the link. Everything outside the addresses is copied as it is.
QString encodeModernLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                          const QString &linkClose01, const QString &mailCall01, const QString &mailOpen01 = QString(),
                          const QString &mailClose01 = QString());

// The link target of one address found by the modern rules, as encodeModernLinks writes it.
// bracketMarkup: the template's markup uses square brackets, so they are encoded too.
QString modernLinkTarget(QStringView address, ModernLink::Kind kind, const QString &mailCall01, bool bracketMarkup);
