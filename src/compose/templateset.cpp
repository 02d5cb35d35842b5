#include "compose/templateset.h"

#include "compose/linkencoder.h"

bool LinkTemplate::operator==(const LinkTemplate &other) const
{
    return name == other.name && linkOpen01 == other.linkOpen01 && linkOpen02 == other.linkOpen02 &&
           linkClose01 == other.linkClose01 && mailCall01 == other.mailCall01 && mailOpen01 == other.mailOpen01 &&
           mailClose01 == other.mailClose01;
}

bool TemplateSet::operator==(const TemplateSet &other) const
{
    return entries == other.entries && minutes == other.minutes && seconds == other.seconds;
}

namespace {

// A built-in template; each puts "mailto:" before an e-mail target.
LinkTemplate builtIn(const char *name, const char *open01, const char *open02, const char *close01,
                     const char *mailOpen01 = "", const char *mailClose01 = "")
{
    return {QString::fromLatin1(name),       QString::fromLatin1(open01), QString::fromLatin1(open02),
            QString::fromLatin1(close01),    QStringLiteral("mailto:"),   QString::fromLatin1(mailOpen01),
            QString::fromLatin1(mailClose01)};
}

} // namespace

TemplateSet defaultTemplates()
{
    TemplateSet set;
    set.entries[0] = builtIn("html", "<a href='", "'>", "</a>");
    // A bulletin board takes a "[url=" target only when it starts with "scheme://" and spoils a
    // "mailto:" one, so e-mail goes in the code made for it.
    set.entries[1] = builtIn("ubb", "[url=", "]", "[/url]", "[email]", "[/email]");
    set.entries[2] = builtIn("ezboard", "[link=", "]", "[/link]");
    return set;
}

QStringList formatNames(const TemplateSet &templates)
{
    QStringList names{QStringLiteral("text")};
    for (const LinkTemplate &slot : templates.entries) {
        if (!slot.name.isEmpty())
            names.append(slot.name);
    }
    return names;
}

QString convertMessage(const QString &text, const QString &selectedName, const TemplateSet &templates, LinkRules rules)
{
    for (const LinkTemplate &slot : templates.entries) {
        if (!slot.name.isEmpty() && slot.name == selectedName)
            return encodeLinks(text, slot.linkOpen01, slot.linkOpen02, slot.linkClose01, slot.mailCall01, rules,
                               slot.mailOpen01, slot.mailClose01);
    }
    return text;
}
