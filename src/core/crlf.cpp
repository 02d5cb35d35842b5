#include "core/crlf.h"

QString toLf(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out.append(QLatin1Char('\n'));
            if (i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

QString toCrLf(const QString &text)
{
    const QString lf = toLf(text);
    QString out;
    out.reserve(lf.size() + lf.count(QLatin1Char('\n')));
    for (const QChar c : lf) {
        if (c == QLatin1Char('\n'))
            out.append(QLatin1Char('\r'));
        out.append(c);
    }
    return out;
}
