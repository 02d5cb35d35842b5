#pragma once

#include <QString>

// Which of the skin's colours a control of a given type takes. Type names are those of the
// original control kinds ("CommandButton", "TextBox", ...); the windows map their Qt classes
// onto them.
struct SkinRecolour
{
    enum class Colour { Unchanged, ControlBackground, ControlText, PictureBackground };

    Colour background = Colour::Unchanged;
    Colour foreground = Colour::Unchanged;
};

SkinRecolour skinRecolourFor(const QString &controlType);
