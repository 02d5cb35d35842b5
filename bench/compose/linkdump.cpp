// Prints the addresses the modern link rules find in each text of a JSON array of texts: one JSON
// array per text of [start, end, target] (UTF-16 positions, html markup's targets), one text a
// line. bench/links/agreement.mjs compares them with a reference autolinker.
#include "compose/modernlinkencoder.h"
#include "compose/modernlinkscanner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s texts.json\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QJsonArray texts = QJsonDocument::fromJson(file.readAll()).array();
    QTextStream out(stdout);
    const QString mailto = QStringLiteral("mailto:");
    for (const QJsonValue &value : texts) {
        const QString text = value.toString();
        QJsonArray links;
        ModernLinkScanner scanner(text);
        ModernLink link{};
        while (scanner.next(link)) {
            const QString target =
                modernLinkTarget(QStringView(text).mid(link.start, link.length), link.kind, mailto, false);
            links.append(QJsonArray{double(link.start), double(link.start + link.length), target});
        }
        out << QJsonDocument(links).toJson(QJsonDocument::Compact) << '\n';
    }
    return 0;
}
