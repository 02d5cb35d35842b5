#pragma once

#include "ui/skinfile.h"

#include <QPalette>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The optional skin of every window, one for a run. The branding switch turns it on; it is off in
// the delivered build, and then none of this runs.
class Skin
{
public:
    explicit Skin(bool enabled);
    // Gives the standard colours back if the skin is still started.
    ~Skin();
    Skin(const Skin &) = delete;
    Skin &operator=(const Skin &) = delete;

    // Whether windows skin themselves.
    bool active() const { return m_enabled; }

    // The loaded skin, or null until the splash window has loaded it.
    const SkinDefinition *definition() const;

    // The splash window's start: loads the stored skin, skins the splash window and starts the
    // application-wide skin. Failures leave the program unskinned.
    void start(QWidget *splash);
    // The program's end: stops the application-wide skin and gives the standard colours back.
    void stop();

    // Recolours the window's buttons, text boxes, lists and pictures with the skin's colours and
    // skins the window itself. When no skin is loaded yet, loads it through the splash window and
    // tries once more. Returns whether the window was skinned.
    bool apply(QWidget *window);

    // How a window that finds no skin loaded reaches the splash window, whose load brings the
    // skin. The loader returns null when no new splash window should be loaded.
    void setSplashLoader(std::function<QWidget *()> loader);

private:
    bool loadStored();
    bool skinOnce(QWidget *window) const;

    bool m_enabled;
    std::optional<SkinDefinition> m_skin;
    bool m_started = false;
    std::optional<QPalette> m_paletteBeforeStart;
    std::function<QWidget *()> m_splashLoader;
};

// Where the skin stored with the program lives.
QString storedSkinPath();

// Puts a skin label over every plain label of the window whose container holds a skin label
// array ("SkinLabel1_0", "SkinLabel2_0", "SkinLabel3_0", first match wins). The plain labels
// stay as they are.
void replaceLabels(QWidget *window);

// The kind of control a widget stands for, by the names of the original control kinds
// ("CommandButton", "TextBox", "ListBox", "PictureBox", "Label", ...).
QString controlTypeName(const QWidget *control);
