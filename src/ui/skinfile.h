#pragma once

#include <QByteArray>
#include <QString>

// A skin as the program stores it: a name and the three colours the windows are recoloured
// with. The file is plain text, one "key=value" a line, "#" starting a comment:
//   name=Standard Skin
//   controlBackground=#DDE6EE
//   controlText=#102030
//   pictureBackground=#FFFFFF
struct SkinDefinition
{
    QString name;
    unsigned controlBackground = 0; // 0xRRGGBB
    unsigned controlText = 0;
    unsigned pictureBackground = 0;
};

// Reads a skin file's text. Fails, with a reason in *error, when one of the three colours is
// missing or is not a "#RRGGBB" value; unknown keys are ignored.
bool parseSkin(const QByteArray &text, SkinDefinition *skin, QString *error = nullptr);
