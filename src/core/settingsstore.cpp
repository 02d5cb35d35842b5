#include "core/settingsstore.h"

#include "core/branding.h"

#include <QSettings>

namespace {
// Opened once, on first use, for the whole run.
QSettings &openStore()
{
    const QString app = branding().programName;
    static QSettings store(QSettings::NativeFormat, QSettings::UserScope, app, app);
    return store;
}

QString fullKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString readSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    QSettings &store = openStore();
    const QVariant value = store.value(fullKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void writeSetting(const QString &section, const QString &key, const QString &value)
{
    QSettings &store = openStore();
    store.setValue(fullKey(section, key), value);
    store.sync();
}

bool hasSetting(const QString &section, const QString &key)
{
    return openStore().contains(fullKey(section, key));
}

void clearSettingsForTesting()
{
    QSettings &store = openStore();
    store.clear();
    store.sync();
}
