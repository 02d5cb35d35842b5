#pragma once

#include <QByteArray>
#include <QString>

// One setting of the program: where the store keeps it and what it holds while nothing is stored.
template<typename T> struct Setting
{
    const char *section;
    const char *key;
    T fallback;
};

// Every setting the program keeps (the link templates keep theirs in templatesettings.h). Adding
// one is one line here; each area's controller restores and stores its own through the run's
// SettingsStore.
namespace Settings {
inline const Setting<QString> lastMessage{"data", "lastMessage", QString()};
// A text that stands in while nothing is stored goes to the reader in the user's language.
inline const Setting<QString> lastSubject{"data", "lastSubject",
                                          QStringLiteral(QT_TRANSLATE_NOOP("Settings", "Type Subject Here"))};
inline const Setting<int> lastConvert{"data", "lastConvert", 0};
inline const Setting<bool> showHelp{"Settings", "showHelp", true};
inline const Setting<QByteArray> windowGeometry{"Settings", "windowGeometry", QByteArray()};
inline const Setting<bool> noPopups{"Settings", "noPopups", true};
inline const Setting<int> autoCheckMinutes{"Settings", "autoCheckMinutes", 0};
inline const Setting<bool> keyringPasswords{"Settings", "keyringPasswords", false};
// On for a new user: the classic rules link no https:// address and leave the character that
// ended an address inside the link, which forums read as part of the target.
inline const Setting<bool> modernLinks{"Settings", "modernLinks", true};
} // namespace Settings
