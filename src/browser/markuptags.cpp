#include "browser/markuptags.h"

qsizetype tagEnd(const QString &markup, qsizetype start)
{
    qsizetype i = start + 1;
    QChar previous;
    while (i < markup.size()) {
        const QChar c = markup.at(i);
        if (c == QLatin1Char('>'))
            return i + 1;
        // Only a quote right after "=" opens a value: an apostrophe elsewhere in a tag is just text.
        if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && previous == QLatin1Char('=')) {
            const qsizetype close = markup.indexOf(c, i + 1);
            if (close < 0)
                return markup.size();
            i = close + 1;
            previous = c;
            continue;
        }
        if (!c.isSpace())
            previous = c;
        ++i;
    }
    return markup.size();
}
