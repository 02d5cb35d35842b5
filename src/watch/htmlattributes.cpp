#include "watch/htmlattributes.h"

#include <cctype>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isNameChar(char c)
{
    return !isSpace(c) && c != '>' && c != '/' && c != '=' && c != '"' && c != '\'' && c != '<';
}

} // namespace

void forEachAttribute(
    const QByteArray &html,
    const std::function<void(const QByteArray &tag, const QByteArray &name, const QByteArray &value)> &visit)
{
    const qsizetype size = html.size();
    const char *const bytes = html.constData();
    qsizetype i = 0;
    while (i < size) {
        const qsizetype open = html.indexOf('<', i);
        if (open < 0 || open + 1 >= size)
            return;
        if (html.mid(open, 4) == "<!--") {
            const qsizetype end = html.indexOf("-->", open + 4);
            i = end < 0 ? size : end + 3;
            continue;
        }
        if (!std::isalpha(uchar(bytes[open + 1]))) {
            i = open + 1;
            continue;
        }
        qsizetype at = open + 1;
        while (at < size && isNameChar(bytes[at]))
            ++at;
        const QByteArray tag = html.mid(open + 1, at - open - 1).toLower();
        // Attributes up to the end of the tag.
        while (at < size && bytes[at] != '>') {
            if (isSpace(bytes[at]) || bytes[at] == '/') {
                ++at;
                continue;
            }
            if (bytes[at] == '<')
                break; // a tag left open: the next one starts here
            const qsizetype nameStart = at;
            while (at < size && isNameChar(bytes[at]))
                ++at;
            if (at == nameStart) {
                ++at; // a stray quote or "="
                continue;
            }
            const QByteArray name = html.mid(nameStart, at - nameStart).toLower();
            qsizetype look = at;
            while (look < size && isSpace(bytes[look]))
                ++look;
            QByteArray value;
            if (look < size && bytes[look] == '=') {
                ++look;
                while (look < size && isSpace(bytes[look]))
                    ++look;
                if (look < size && (bytes[look] == '"' || bytes[look] == '\'')) {
                    const qsizetype close = html.indexOf(bytes[look], look + 1);
                    const qsizetype end = close < 0 ? size : close;
                    value = html.mid(look + 1, end - look - 1);
                    at = end < size ? end + 1 : size;
                } else {
                    const qsizetype valueStart = look;
                    while (look < size && !isSpace(bytes[look]) && bytes[look] != '>')
                        ++look;
                    value = html.mid(valueStart, look - valueStart);
                    at = look;
                }
            }
            visit(tag, name, value);
        }
        i = at < size && bytes[at] == '>' ? at + 1 : at;
        if (tag == "script" || tag == "style") {
            const qsizetype end = html.indexOf("</" + tag, i);
            i = end < 0 ? size : end + 2;
        }
    }
}
