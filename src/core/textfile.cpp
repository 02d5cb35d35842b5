#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
QString decodeLine(QByteArrayView bytes)
{
    // A mark at the start of a line is a character the user typed or pasted; only the file's own
    // first bytes may be a mark, and splitTextLines drops those before any line is decoded.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}
} // namespace

QStringList splitTextLines(const QByteArray &bytes)
{
    QStringList lines;
    const qsizetype size = bytes.size();
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype i = start;
    while (i < size) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(decodeLine(QByteArrayView(bytes).sliced(start, i - start)));
            if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < size)
        lines.append(decodeLine(QByteArrayView(bytes).sliced(start)));
    return lines;
}

TextFileRead readTextFile(const QString &path)
{
    TextFileRead result;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return result;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        result.status = TextFileRead::Unreadable;
        result.error = QStringLiteral("Could not read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    result.status = TextFileRead::Read;
    result.lines = splitTextLines(bytes);
    return result;
}

QStringList readTextLines(const QString &path, bool *ok)
{
    TextFileRead read = readTextFile(path);
    if (ok)
        *ok = read.status == TextFileRead::Read;
    return read.lines;
}

QByteArray encodeText(const QString &text)
{
    return text.toUtf8();
}

QByteArray encodeTextFile(const QString &text)
{
    QByteArray bytes = encodeText(text);
    if (text.startsWith(QChar(0xFEFF)))
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}
