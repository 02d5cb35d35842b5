#pragma once

#include <QByteArray>

#include <functional>

// Calls visit(tag, name, value) for every attribute of every start tag in a page's bytes, in page
// order; tag and attribute names in lower case, values as written (quotes removed, references not
// decoded). Comments and the content of scripts and styles are skipped, so markup inside them
// ("'<div id=\"p1\">'" in a script) is not taken for the page's own. One pass, linear in the size.
void forEachAttribute(
    const QByteArray &html,
    const std::function<void(const QByteArray &tag, const QByteArray &name, const QByteArray &value)> &visit);
