#include "core/textfile.h"

#include <QFile>
#include <QStringDecoder>

namespace {
QString decodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
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
    qsizetype start = 0;
    qsizetype i = 0;
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

QStringList readTextLines(const QString &path, bool *ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (ok)
        *ok = file.error() == QFileDevice::NoError;
    return splitTextLines(bytes);
}

QByteArray encodeText(const QString &text)
{
    return text.toUtf8();
}
