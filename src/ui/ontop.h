#pragma once

class QWidget;

// Keeps window above all other windows (onTop true) or lets it fall back into the normal
// stacking order (false). Position and size stay as they are; asking for the state the window
// already has changes nothing.
void setOnTop(QWidget *window, bool onTop);
// Whether a window of the program that stays on top is on screen: a box shown now must stay on
// top too, or it opens under that window.
bool anyWindowStaysOnTop();
