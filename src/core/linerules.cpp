#include "core/linerules.h"

#include <QStringList>

namespace {
bool isSchemeStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSchemeCharacter(QChar c)
{
    return isSchemeStart(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

bool isDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}
} // namespace

bool looksLikeAddress(QStringView line)
{
    if (line.isEmpty())
        return false;
    bool blanks = false;
    for (const QChar c : line) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7f && code < 0xa0))
            return false; // a control character
        // Asking for the category of every character would cost most of a long list's load.
        blanks = blanks || code == u' ' || (code > 0x7f && c.isSpace());
    }
    const qsizetype colon = line.indexOf(u':');
    qsizetype pathStart = line.size();
    for (const QChar separator : {u'/', u'?', u'#'}) {
        const qsizetype at = line.indexOf(separator);
        if (at >= 0 && at < pathStart)
            pathStart = at;
    }
    if (colon < 0 || colon > pathStart)
        return !blanks; // no scheme: a host and path typed by hand
    const QStringView scheme = line.first(colon);
    if (scheme.isEmpty() || !isSchemeStart(scheme.front()))
        return false;
    for (const QChar c : scheme) {
        if (!isSchemeCharacter(c))
            return false;
    }
    const QStringView rest = line.sliced(colon + 1);
    if (rest.startsWith(u"//"))
        return true;
    if (isDigits(rest.first(pathStart - colon - 1)))
        return true; // a host with its port
    static const QStringList withoutSlashes{"about", "blob", "data", "file", "javascript", "mailto", "view-source"};
    return withoutSlashes.contains(scheme.toString(), Qt::CaseInsensitive);
}

bool looksLikeNumber(QStringView line)
{
    const QStringView number = line.trimmed();
    return isDigits(number.startsWith(u'-') ? number.sliced(1) : number);
}

bool looksLikeForumLogin(QStringView line)
{
    const qsizetype bar = line.indexOf(u'|');
    return looksLikeAddress(bar < 0 ? line : line.first(bar));
}

bool looksLikeBaseline(QStringView line)
{
    const qsizetype first = line.indexOf(u'|');
    const qsizetype second = first < 0 ? -1 : line.indexOf(u'|', first + 1);
    if (second < 0)
        return false;
    for (const QChar c : line.sliced(first + 1, second - first - 1)) {
        if (c != u' ' && (c < u'0' || c > u'9'))
            return false;
    }
    return true;
}

bool looksLikeSavedMessage(QStringView line)
{
    return line.contains(u'|');
}
