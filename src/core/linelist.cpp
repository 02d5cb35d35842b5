#include "core/linelist.h"

#include "core/textfile.h"

#include <QCoreApplication>
#include <QDir>

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

QStringList LineListReader::read(const QString &path, LineRule rule, const QString &what)
{
    QStringList entries;
    if (!readEach(
            path, [&entries](QString &&entry) { entries.append(std::move(entry)); }, rule, what))
        return {};
    return entries;
}

bool LineListReader::readEach(const QString &path, const std::function<void(QString &&)> &take, LineRule rule,
                              const QString &what)
{
    qsizetype entries = 0;
    qsizetype odd = 0;
    QString error;
    const TextFileRead::Status status = forEachTextLine(
        path,
        [&](QString &&line) {
            if (isBlankLine(line))
                return;
            ++entries;
            if (rule && !rule(line))
                ++odd;
            take(std::move(line));
        },
        &error);
    if (status == TextFileRead::Missing)
        return true;
    if (status != TextFileRead::Read) {
        fail(error);
        return false;
    }
    if (odd * 2 > entries) {
        fail(notAListError(path, what));
        return false;
    }
    return true;
}

QString notAListError(const QString &path, const QString &what)
{
    return QCoreApplication::translate(
               "Core", "Could not read %1: most of its lines are not %2, so it is not taken for one of this "
                       "program's files.")
        .arg(QDir::toNativeSeparators(path), what);
}

bool isMostlyOdd(const QStringList &lines, LineRule rule)
{
    qsizetype entries = 0;
    qsizetype odd = 0;
    for (const QString &line : lines) {
        if (isBlankLine(line))
            continue;
        ++entries;
        if (!rule(line))
            ++odd;
    }
    return odd * 2 > entries;
}

void LineListReader::fail(const QString &error)
{
    if (m_error.isEmpty())
        m_error = error;
}
