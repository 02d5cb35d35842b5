#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QStringList installTranslations(const QLocale &locale, const QString &programFolder, const QString &qtFolder)
{
    const QString qt = qtFolder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : qtFolder;
    const QList<std::pair<QString, QString>> catalogues{
        {QStringLiteral("threadloom"), programFolder},
        {QStringLiteral("qtbase"), qt},
        {QStringLiteral("qtwebengine"), qt},
    };
    QStringList installed;
    for (const auto &[name, folder] : catalogues) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(locale, name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator)) {
            installed.append(translator->filePath());
        } else {
            delete translator;
        }
    }
    return installed;
}
