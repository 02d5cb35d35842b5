#include "compose/templateset.h"

#include "compose/linkencoder.h"

bool LinkTemplate::operator==(const LinkTemplate &other) const
{
    return name == other.name && linkOpen01 == other.linkOpen01 && linkOpen02 == other.linkOpen02 &&
           linkClose01 == other.linkClose01 && mailCall01 == other.mailCall01;
}

bool TemplateSet::operator==(const TemplateSet &other) const
{
    return entries == other.entries && minutes == other.minutes && seconds == other.seconds;
}

TemplateSet defaultTemplates()
{
    TemplateSet set;
    set.entries[0] = {QStringLiteral("html"), QStringLiteral("<a href='"), QStringLiteral("'>"), QStringLiteral("</a>"),
                      QStringLiteral("mailto:")};
    set.entries[1] = {QStringLiteral("ubb"), QStringLiteral("[url="), QStringLiteral("]"), QStringLiteral("[/url]"),
                      QStringLiteral("mailto:")};
    set.entries[2] = {QStringLiteral("ezboard"), QStringLiteral("[link="), QStringLiteral("]"),
                      QStringLiteral("[/link]"), QStringLiteral("mailto:")};
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
            return encodeLinks(text, slot.linkOpen01, slot.linkOpen02, slot.linkClose01, slot.mailCall01, rules);
    }
    return text;
}
