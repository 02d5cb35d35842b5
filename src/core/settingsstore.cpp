#include "core/settingsstore.h"

#include "core/branding.h"

#include <QCoreApplication>
#include <QSettings>

namespace {
QString fullKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

SettingsStore::SettingsStore(const QString &filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::NativeFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::userFile()
{
    const QString app = branding().programName;
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, app, app).fileName();
}

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

QString SettingsStore::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QVariant value = m_settings->value(fullKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(fullKey(section, key), value);
    m_settings->sync();
}

bool SettingsStore::contains(const QString &section, const QString &key) const
{
    return m_settings->contains(fullKey(section, key));
}

QString SettingsStore::storedText(const char *section, const char *key) const
{
    const QString sectionName = QString::fromLatin1(section);
    const QString keyName = QString::fromLatin1(key);
    if (!contains(sectionName, keyName))
        return QString();
    const QString text = read(sectionName, keyName, QString());
    return text.isNull() ? QStringLiteral("") : text;
}

QString SettingsStore::read(const Setting<QString> &setting) const
{
    const QString fallback = setting.fallback.isEmpty()
                                 ? setting.fallback
                                 : QCoreApplication::translate("Settings", setting.fallback.toUtf8().constData());
    return read(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key), fallback);
}

int SettingsStore::read(const Setting<int> &setting) const
{
    bool ok = false;
    const int value = storedText(setting.section, setting.key).trimmed().toInt(&ok);
    return ok ? value : setting.fallback;
}

bool SettingsStore::read(const Setting<bool> &setting) const
{
    const QString text = storedText(setting.section, setting.key);
    return text.isNull() ? setting.fallback : text == QLatin1String("1");
}

QByteArray SettingsStore::read(const Setting<QByteArray> &setting) const
{
    const QString text = storedText(setting.section, setting.key);
    return text.isNull() ? setting.fallback : QByteArray::fromBase64(text.toLatin1());
}

void SettingsStore::write(const Setting<QString> &setting, const QString &value)
{
    write(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key), value);
}

void SettingsStore::write(const Setting<int> &setting, int value)
{
    write(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key), QString::number(value));
}

void SettingsStore::write(const Setting<bool> &setting, bool value)
{
    write(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key),
          value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::write(const Setting<QByteArray> &setting, const QByteArray &value)
{
    write(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key),
          QString::fromLatin1(value.toBase64()));
}
