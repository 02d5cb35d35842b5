#pragma once

#include <QString>

// The per-user key/value store, addressed by section and key under the program's name.
// Every write is flushed at once so that a crash never loses a setting already written.
QString readSetting(const QString &section, const QString &key, const QString &defaultValue);
void writeSetting(const QString &section, const QString &key, const QString &value);
bool hasSetting(const QString &section, const QString &key);

// Tests only: forget every stored value.
void clearSettingsForTesting();
