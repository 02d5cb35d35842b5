#include "core/linelist.h"

#include "core/textfile.h"

bool isBlankLine(const QString &line)
{
    return line.isEmpty() || line == QLatin1String(" ");
}

QByteArray lineListBytes(const QStringList &entries, EntrySpacing spacing)
{
    const QString after = spacing == EntrySpacing::Plain ? QStringLiteral("\r\n") : QStringLiteral("\r\n\r\n");
    QString text;
    for (const QString &entry : entries)
        text += entry + after;
    return encodeTextFile(text);
}

QStringList LineListReader::read(const QString &path)
{
    const TextFileRead file = readTextFile(path);
    if (file.status == TextFileRead::Unreadable)
        fail(file.error);
    QStringList entries;
    for (const QString &line : file.lines) {
        if (!isBlankLine(line))
            entries.append(line);
    }
    return entries;
}

void LineListReader::fail(const QString &error)
{
    if (m_error.isEmpty())
        m_error = error;
}
