// Writes a translation of the program's template in which every text is its English source
// between "[~" and "~]", so a test can see which texts on screen went through the translation.
#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {
// A text as the template writes it: characters, and control characters as <byte value="xd"/>.
struct Piece
{
    bool isByte;
    QString text; // the characters, or the byte's value
};

QList<Piece> readText(QXmlStreamReader &reader)
{
    QList<Piece> pieces;
    while (reader.readNext() != QXmlStreamReader::EndElement && !reader.atEnd()) {
        if (reader.isCharacters()) {
            pieces.append({false, reader.text().toString()});
        } else if (reader.isStartElement() && reader.name() == QLatin1String("byte")) {
            pieces.append({true, reader.attributes().value(QLatin1String("value")).toString()});
            reader.skipCurrentElement();
        }
    }
    return pieces;
}

void writeText(QXmlStreamWriter &writer, const QString &element, const QList<Piece> &pieces)
{
    writer.writeStartElement(element);
    for (const Piece &piece : pieces) {
        if (piece.isByte) {
            writer.writeEmptyElement(QStringLiteral("byte"));
            writer.writeAttribute(QStringLiteral("value"), piece.text);
        } else {
            writer.writeCharacters(piece.text);
        }
    }
    writer.writeEndElement();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: pseudotranslate TEMPLATE.ts OUTPUT.ts\n");
        return 2;
    }
    QFile in(arguments.at(1));
    QFile out(arguments.at(2));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "pseudotranslate: cannot open %s or %s\n", qPrintable(arguments.at(1)),
                     qPrintable(arguments.at(2)));
        return 1;
    }
    QXmlStreamReader reader(&in);
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    QList<Piece> source;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("TS")) {
            writer.writeStartElement(QStringLiteral("TS"));
            writer.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
            writer.writeAttribute(QStringLiteral("language"), QStringLiteral("en"));
        } else if (reader.isStartElement() && reader.name() == QLatin1String("translation")) {
            // The template's translations are empty and unfinished: each becomes the marked source.
            reader.skipCurrentElement();
            QList<Piece> marked = source;
            marked.prepend({false, QStringLiteral("[~")});
            marked.append({false, QStringLiteral("~]")});
            writeText(writer, QStringLiteral("translation"), marked);
        } else if (reader.isStartElement() && reader.name() == QLatin1String("source")) {
            source = readText(reader);
            writeText(writer, QStringLiteral("source"), source);
        } else if (reader.isStartElement() && reader.name() == QLatin1String("location")) {
            reader.skipCurrentElement();
        } else if (reader.isStartElement()) {
            writer.writeStartElement(reader.name().toString());
            writer.writeAttributes(reader.attributes());
        } else if (reader.isEndElement()) {
            writer.writeEndElement();
        } else if (reader.isCharacters() && !reader.isWhitespace()) {
            writer.writeCharacters(reader.text().toString());
        }
    }
    writer.writeEndDocument();
    if (reader.hasError()) {
        std::fprintf(stderr, "pseudotranslate: %s\n", qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
