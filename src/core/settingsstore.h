#pragma once

#include "core/settings.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QSettings;

// The per-user key/value store: one settings file of sections and keys. Every write is flushed at
// once so that a crash never loses a setting already written. A run keeps its store on the file
// where the program's settings have always been (userFile); a test keeps one on a scratch file.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The file the program's settings live in: the one the platform keeps for the program's name
    // as both organisation and application (~/.config/Threadloom/Threadloom.conf).
    static QString userFile();
    QString filePath() const;

    // A value by section and key, as the text it is stored as (the link templates are kept so).
    QString read(const QString &section, const QString &key, const QString &defaultValue) const;
    void write(const QString &section, const QString &key, const QString &value);
    bool contains(const QString &section, const QString &key) const;

    // A setting of the table in settings.h, the one way each of them is read and written. The
    // store holds text:
    // - text as it is;
    // - a number as decimal text; blanks around it are allowed, anything else reads as the fallback;
    // - a yes/no as "1" or "0"; only "1" reads as yes, so a value stored by hand as "" or "yes" is no;
    // - bytes as Base64.
    // A setting that is not stored at all reads as its fallback.
    QString read(const Setting<QString> &setting) const;
    int read(const Setting<int> &setting) const;
    bool read(const Setting<bool> &setting) const;
    QByteArray read(const Setting<QByteArray> &setting) const;
    void write(const Setting<QString> &setting, const QString &value);
    void write(const Setting<int> &setting, int value);
    void write(const Setting<bool> &setting, bool value);
    void write(const Setting<QByteArray> &setting, const QByteArray &value);

private:
    // The stored text, or a null text when nothing is stored.
    QString storedText(const char *section, const char *key) const;

    std::unique_ptr<QSettings> m_settings;
};
