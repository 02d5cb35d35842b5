#pragma once

class QWidget;

// Keeps window above all other windows (onTop true) or lets it fall back into the normal
// stacking order (false). Position and size stay as they are; asking for the state the window
// already has changes nothing.
void setOnTop(QWidget *window, bool onTop);
