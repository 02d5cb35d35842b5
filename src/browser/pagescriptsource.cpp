#include "browser/pagescriptsource.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>

static void initPageScriptResources()
{
    // The scripts live in a resource of the static core library; naming it here links it in.
    Q_INIT_RESOURCE(pagescripts);
}

namespace {

const QString folder = QStringLiteral(":/scripts/");

QHash<QString, QString> readScripts()
{
    initPageScriptResources();
    QHash<QString, QString> scripts;
    for (QDirIterator files(folder, QDir::Files); files.hasNext();) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            // Without the last line break, so that the arguments follow the function at once.
            scripts.insert(file.fileName().mid(folder.size()), QString::fromUtf8(file.readAll()).trimmed());
    }
    return scripts;
}

const QString &source(const QString &fileName)
{
    static const QHash<QString, QString> scripts = readScripts();
    static const QString none;
    const auto found = scripts.constFind(fileName);
    Q_ASSERT_X(found != scripts.cend(), "pageScriptCall", qPrintable(fileName));
    return found != scripts.cend() ? *found : none;
}

} // namespace

QString pageScriptCall(const QString &fileName, const QStringList &arguments, const QStringList &helperFiles)
{
    const QString call = QLatin1Char('(') + arguments.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (helperFiles.isEmpty())
        return source(fileName) + call;
    QString script = QStringLiteral("(function () {\n");
    for (const QString &helpers : helperFiles)
        script += source(helpers) + QLatin1Char('\n');
    return script + QStringLiteral("return (") + source(fileName) + QStringLiteral(");\n})()") + call;
}
