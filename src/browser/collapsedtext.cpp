#include "browser/collapsedtext.h"

bool isInvisibleCharacter(QChar c)
{
    switch (c.unicode()) {
    case 0x00AD:
    case 0x200B:
    case 0x200C:
    case 0x200D:
    case 0x2060:
    case 0xFEFF: return true;
    default: return false;
    }
}

QString collapsedWhiteSpace(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool blank = false;
    for (const QChar c : text) {
        if (isInvisibleCharacter(c))
            continue;
        if (c.isSpace()) {
            blank = !out.isEmpty();
            continue;
        }
        if (blank)
            out += QLatin1Char(' ');
        blank = false;
        out += c;
    }
    return out;
}
