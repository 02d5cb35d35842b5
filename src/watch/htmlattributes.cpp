#include "watch/htmlattributes.h"

#include <QString>

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

using AttributeVisit = std::function<void(const QByteArray &tag, const QByteArray &name, const QByteArray &value)>;

// The one scanner of both readers below: every attribute in page order, and after the last
// attribute of each start tag, its end.
void scanTags(const QByteArray &html, const AttributeVisit &visit,
              const std::function<void(const QByteArray &tag)> &tagEnd)
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
        if (tagEnd)
            tagEnd(tag);
        i = at < size && bytes[at] == '>' ? at + 1 : at;
        if (tag == "script" || tag == "style") {
            const qsizetype end = html.indexOf("</" + tag, i);
            i = end < 0 ? size : end + 2;
        }
    }
}

} // namespace

void forEachAttribute(const QByteArray &html, const AttributeVisit &visit)
{
    scanTags(html, visit, {});
}

void forEachTag(const QByteArray &html,
                const std::function<void(const QByteArray &tag, const TagAttributes &attributes)> &visit)
{
    TagAttributes attributes;
    scanTags(
        html,
        [&attributes](const QByteArray &, const QByteArray &name, const QByteArray &value) {
            attributes.append({name, value});
        },
        [&](const QByteArray &tag) {
            visit(tag, attributes);
            attributes.clear();
        });
}

QByteArray attributeValue(const TagAttributes &attributes, const char *name)
{
    for (const auto &[attribute, value] : attributes) {
        if (attribute == name)
            return value;
    }
    return QByteArray();
}

QByteArray decodeReferences(const QByteArray &value)
{
    if (!value.contains('&'))
        return value;
    static const struct
    {
        const char *name;
        char character;
    } named[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const qsizetype end = value.at(i) == '&' ? value.indexOf(';', i + 1) : -1;
        // References are short; a "&" far from any ";" is a plain one.
        if (end < 0 || end - i > 10) {
            out += value.at(i);
            continue;
        }
        const QByteArray name = value.mid(i + 1, end - i - 1);
        int code = -1;
        if (name.startsWith('#')) {
            bool ok = false;
            const bool hex = name.size() > 1 && (name.at(1) == 'x' || name.at(1) == 'X');
            const int number = name.mid(hex ? 2 : 1).toInt(&ok, hex ? 16 : 10);
            if (ok && number > 0 && number < 0x110000 && (number < 0xd800 || number > 0xdfff))
                code = number;
        } else {
            for (const auto &entry : named) {
                if (name == entry.name)
                    code = uchar(entry.character);
            }
        }
        if (code < 0) {
            out += value.at(i);
            continue;
        }
        const char32_t character = char32_t(code);
        out += QString::fromUcs4(&character, 1).toUtf8();
        i = end;
    }
    return out;
}
