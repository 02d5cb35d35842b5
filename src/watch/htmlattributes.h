#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <functional>

// Calls visit(tag, name, value) for every attribute of every start tag in a page's bytes, in page
// order; tag and attribute names in lower case, values as written (quotes removed, references not
// decoded). Comments and the content of scripts and styles are skipped, so markup inside them
// ("'<div id=\"p1\">'" in a script) is not taken for the page's own. One pass, linear in the size.
void forEachAttribute(
    const QByteArray &html,
    const std::function<void(const QByteArray &tag, const QByteArray &name, const QByteArray &value)> &visit);

// The attributes of one start tag, in the order written: names in lower case, values as written.
using TagAttributes = QList<QPair<QByteArray, QByteArray>>;

// The same scan one tag at a time: visit(tag, attributes) for every start tag, in page order.
void forEachTag(const QByteArray &html,
                const std::function<void(const QByteArray &tag, const TagAttributes &attributes)> &visit);

// The value of the first attribute with this (lower-case) name, or an empty one.
QByteArray attributeValue(const TagAttributes &attributes, const char *name);

// An attribute value with its character references decoded ("&amp;" is "&", "&#35;" is "#"),
// as UTF-8. Named references other than the five of markup itself stay as written.
QByteArray decodeReferences(const QByteArray &value);
