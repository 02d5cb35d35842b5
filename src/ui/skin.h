#pragma once

#include "ui/skinfile.h"

#include <QString>

#include <functional>

class QWidget;

// The optional skin of every window. The branding switch turns it on; it is off in the delivered
// build, and then none of this runs.

// Whether windows skin themselves: the branding switch, or a test that turned skinning on.
bool skinActive();
void setSkinEnabledForTesting(bool enabled);

// The program-wide skin, or null until the splash window has loaded it.
const SkinDefinition *programSkin();
// Where the skin stored with the program lives.
QString storedSkinPath();

// The splash window's start: loads the stored skin as the program-wide one, skins the splash
// window and starts the application-wide skin. Failures leave the program unskinned.
void startSkin(QWidget *splash);
// The program's end: stops the application-wide skin and gives the standard colours back.
void stopSkin();

// Recolours the window's buttons, text boxes, lists and pictures with the skin's colours and
// skins the window itself. When no skin is loaded yet, loads it through the splash window and
// tries once more. Returns whether the window was skinned.
bool applySkin(QWidget *window);

// Puts a skin label over every plain label of the window whose container holds a skin label
// array ("SkinLabel1_0", "SkinLabel2_0", "SkinLabel3_0", first match wins). The plain labels
// stay as they are.
void replaceLabels(QWidget *window);

// The kind of control a widget stands for, by the names of the original control kinds
// ("CommandButton", "TextBox", "ListBox", "PictureBox", "Label", ...).
QString controlTypeName(const QWidget *control);

// How a window that finds no skin loaded reaches the splash window, whose load brings the skin.
// The loader returns null when no new splash window should be loaded.
void setSkinSplashLoader(std::function<QWidget *()> loader);

// Tests: forget the loaded skin.
void unloadSkinForTesting();
