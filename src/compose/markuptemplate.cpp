#include "compose/markuptemplate.h"

#include "compose/templateset.h"

bool convertsToMarkup(const QString &selectedName, const TemplateSet &templates)
{
    for (const LinkTemplate &entry : templates.entries) {
        if (entry.name.isEmpty() || entry.name != selectedName)
            continue;
        const QString open = entry.linkOpen01.trimmed();
        return open.size() >= 2 && open.at(0) == QLatin1Char('<') && open.at(1).isLetter();
    }
    return false;
}
