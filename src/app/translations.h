#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// Where the build puts the program's translations (threadloom_<language>.qm): its resources.
inline constexpr char programTranslationsFolder[] = ":/i18n";

// Installs the translations for locale's languages into the application: the program's own
// texts from programFolder, and Qt's own (the standard buttons of its dialogs, the browser's
// menus) from qtFolder, where Debian's qt6-translations-l10n puts them; empty means Qt's
// translations folder. A language with no file keeps the English texts. Returns the files
// installed. Needs the application object.
QStringList installTranslations(const QLocale &locale, const QString &programFolder = programTranslationsFolder,
                                const QString &qtFolder = QString());
