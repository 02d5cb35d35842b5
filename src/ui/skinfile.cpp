#include "ui/skinfile.h"

#include <QList>

namespace {

bool parseColour(const QByteArray &value, unsigned *out)
{
    if (value.size() != 7 || value.at(0) != '#')
        return false;
    bool ok = false;
    const unsigned v = value.mid(1).toUInt(&ok, 16);
    if (!ok)
        return false;
    *out = v;
    return true;
}

} // namespace

bool parseSkin(const QByteArray &text, SkinDefinition *skin, QString *error)
{
    SkinDefinition result;
    bool seen[3] = {false, false, false};
    static const char *const keys[3] = {"controlBackground", "controlText", "pictureBackground"};
    unsigned *targets[3] = {&result.controlBackground, &result.controlText, &result.pictureBackground};

    QByteArray normalised = text;
    normalised.replace('\r', '\n');
    const QList<QByteArray> lines = normalised.split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if (key == "name") {
            result.name = QString::fromUtf8(value);
            continue;
        }
        for (int i = 0; i < 3; ++i) {
            if (key != keys[i])
                continue;
            if (!parseColour(value, targets[i])) {
                if (error)
                    *error = QStringLiteral("The skin colour %1 is not a #RRGGBB value: %2")
                                 .arg(QLatin1String(keys[i]), QString::fromUtf8(value));
                return false;
            }
            seen[i] = true;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (!seen[i]) {
            if (error)
                *error = QStringLiteral("The skin has no colour %1.").arg(QLatin1String(keys[i]));
            return false;
        }
    }
    if (skin)
        *skin = result;
    return true;
}
