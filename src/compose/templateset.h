#pragma once

#include "compose/linkencoder.h"

#include <QString>
#include <QStringList>

#include <array>

// How one address is written as a link: linkOpen01, target, linkOpen02, visible text, linkClose01;
// mailCall01 goes in front of an e-mail target. Some forums read e-mail addresses only in a code
// of their own that holds the address once, with no target ("[email]a@b.example[/email]"):
// mailOpen01 and mailClose01 are that code's two halves, used by the modern rules. Both empty, an
// e-mail address is written like a web address. An empty name marks a free slot.
struct LinkTemplate
{
    QString name;
    QString linkOpen01;
    QString linkOpen02;
    QString linkClose01;
    QString mailCall01;
    QString mailOpen01;
    QString mailClose01;

    bool operator==(const LinkTemplate &other) const;
};

// The eight template entries in their fixed order (html, ubb, ezboard, five custom ones): the order
// of the format list, of name matching and of the template editor's rows. The two lists of three
// values travel with the templates in the settings store; nothing else uses them.
struct TemplateSet
{
    static constexpr int slotCount = 8;
    static constexpr int defaultSlotCount = 3;

    std::array<LinkTemplate, slotCount> entries;
    std::array<QString, 3> minutes;
    std::array<QString, 3> seconds;

    bool operator==(const TemplateSet &other) const;
};

// The templates a fresh install starts with.
TemplateSet defaultTemplates();

// The entries of the format list: "text", then each non-empty name in slot order.
QStringList formatNames(const TemplateSet &templates);

// Converts text with the first slot whose name equals selectedName exactly; returns it unchanged
// when none does (the "text" entry, or a name no longer present). rules picks how addresses are
// found.
QString convertMessage(const QString &text, const QString &selectedName, const TemplateSet &templates, LinkRules rules);
