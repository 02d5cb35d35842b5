#include "compose/templatesettings.h"

#include "core/settingsstore.h"

#include <functional>

namespace {

const QString section = QStringLiteral("data");

// The key prefix of each slot, in slot order. The third is "ez", not its name "ezboard".
const std::array<QString, TemplateSet::slotCount> slotPrefixes = {
    QStringLiteral("html"),   QStringLiteral("ubb"),    QStringLiteral("ez"),     QStringLiteral("cust01"),
    QStringLiteral("cust02"), QStringLiteral("cust03"), QStringLiteral("cust04"), QStringLiteral("cust05")};

// Visits every stored value in the order the store has always been read and written: the
// companion pairs first, then each slot's fields: the five it has always had, then the two halves
// of its e-mail code (added later, so a store without them gives their defaults).
void forEachValue(TemplateSet &set, const std::function<void(const QString &key, QString &value)> &visit)
{
    for (int i = 0; i < 3; ++i) {
        visit(QStringLiteral("minutes") + QString::number(i), set.minutes[i]);
        visit(QStringLiteral("seconds") + QString::number(i), set.seconds[i]);
    }
    for (int s = 0; s < TemplateSet::slotCount; ++s) {
        const QString &prefix = slotPrefixes[s];
        LinkTemplate &slot = set.entries[s];
        visit(prefix + QStringLiteral("Name"), slot.name);
        visit(prefix + QStringLiteral("LinkOpen01"), slot.linkOpen01);
        visit(prefix + QStringLiteral("LinkOpen02"), slot.linkOpen02);
        visit(prefix + QStringLiteral("LinkClose01"), slot.linkClose01);
        visit(prefix + QStringLiteral("MailCall01"), slot.mailCall01);
        visit(prefix + QStringLiteral("MailOpen01"), slot.mailOpen01);
        visit(prefix + QStringLiteral("MailClose01"), slot.mailClose01);
    }
}

} // namespace

TemplateSet loadTemplates(const SettingsStore &settings)
{
    TemplateSet set = defaultTemplates();
    forEachValue(set, [&settings](const QString &key, QString &value) { value = settings.read(section, key, value); });
    return set;
}

void saveTemplates(SettingsStore &settings, const TemplateSet &templates)
{
    TemplateSet copy = templates;
    forEachValue(copy, [&settings](const QString &key, QString &value) { settings.write(section, key, value); });
}
