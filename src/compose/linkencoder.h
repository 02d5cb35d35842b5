#pragma once

#include <QString>

// Turns every web address (starting with "http://", any letter case) and every e-mail address
// (a run around an "@") of a plain text into link markup: linkOpen01, target, linkOpen02, visible
// text, linkClose01. An e-mail target is prefixed by mailCall01. Nothing is escaped. Never fails;
// any text converts, and every input character survives in order except a CR or LF that ends an
// address.
QString encodeLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                    const QString &linkClose01, const QString &mailCall01);

// Which rules find the addresses. Classic: the ones above. Modern: today's addresses as a reader
// means them (https://, ftp://, www., query strings and fragments, e-mail addresses with a known
// domain), with the punctuation around them left outside; see encodeModernLinks.
enum class LinkRules { Classic, Modern };

// mailOpen01 and mailClose01, an e-mail link's own code, count only for the modern rules: the
// classic ones write what they always wrote.
QString encodeLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                    const QString &linkClose01, const QString &mailCall01, LinkRules rules,
                    const QString &mailOpen01 = QString(), const QString &mailClose01 = QString());
