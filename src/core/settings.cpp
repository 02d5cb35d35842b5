#include "core/settings.h"

#include "core/settingsstore.h"

#include <QCoreApplication>

namespace {
template<typename T> QString sectionOf(const Setting<T> &setting)
{
    return QString::fromLatin1(setting.section);
}

template<typename T> QString keyOf(const Setting<T> &setting)
{
    return QString::fromLatin1(setting.key);
}

// The stored text, or a null text when nothing is stored.
template<typename T> QString storedText(const Setting<T> &setting)
{
    if (!hasSetting(sectionOf(setting), keyOf(setting)))
        return QString();
    const QString text = readSetting(sectionOf(setting), keyOf(setting), QString());
    return text.isNull() ? QStringLiteral("") : text;
}
} // namespace

QString readSetting(const Setting<QString> &setting)
{
    const QString fallback = setting.fallback.isEmpty()
                                 ? setting.fallback
                                 : QCoreApplication::translate("Settings", setting.fallback.toUtf8().constData());
    return readSetting(sectionOf(setting), keyOf(setting), fallback);
}

int readSetting(const Setting<int> &setting)
{
    bool ok = false;
    const int value = storedText(setting).trimmed().toInt(&ok);
    return ok ? value : setting.fallback;
}

bool readSetting(const Setting<bool> &setting)
{
    const QString text = storedText(setting);
    return text.isNull() ? setting.fallback : text == QLatin1String("1");
}

QByteArray readSetting(const Setting<QByteArray> &setting)
{
    const QString text = storedText(setting);
    return text.isNull() ? setting.fallback : QByteArray::fromBase64(text.toLatin1());
}

void writeSetting(const Setting<QString> &setting, const QString &value)
{
    writeSetting(sectionOf(setting), keyOf(setting), value);
}

void writeSetting(const Setting<int> &setting, int value)
{
    writeSetting(sectionOf(setting), keyOf(setting), QString::number(value));
}

void writeSetting(const Setting<bool> &setting, bool value)
{
    writeSetting(sectionOf(setting), keyOf(setting), value ? QStringLiteral("1") : QStringLiteral("0"));
}

void writeSetting(const Setting<QByteArray> &setting, const QByteArray &value)
{
    writeSetting(sectionOf(setting), keyOf(setting), QString::fromLatin1(value.toBase64()));
}
