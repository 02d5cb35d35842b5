#include "ui/skinrecolour.h"

SkinRecolour skinRecolourFor(const QString &controlType)
{
    using C = SkinRecolour::Colour;
    if (controlType == QLatin1String("CommandButton"))
        return {C::ControlBackground, C::Unchanged};
    static const char *const textLike[] = {"TextBox",      "ComboBox", "FileListBox", "DirListBox",
                                           "DriveListBox", "ListBox",  "ListView"};
    for (const char *name : textLike) {
        if (controlType == QLatin1String(name))
            return {C::ControlBackground, C::ControlText};
    }
    if (controlType == QLatin1String("PictureBox"))
        return {C::PictureBackground, C::Unchanged};
    return {};
}
