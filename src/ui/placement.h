#pragma once

class QSize;
class QWidget;

// Call before a secondary window is first shown: moves it so that it opens centred over its
// owner's window and wholly on the screen that holds the owner, shrinking it when it is larger
// than that screen (a fixed-size window cannot shrink; it then keeps its title bar on screen).
// Without a visible owner it is centred on the owner's screen, or on the primary one.
void placeOverOwner(QWidget *window, const QWidget *owner);

// Call before the main window is first shown: sizes it to the designed size shrunk to fit its
// screen, and lowers its minimum size where the screen is smaller still, so the first start fits
// the screen at any scale.
void fitToScreen(QWidget *window, QSize designed, QSize minimum);

// Escape closes the window, as it does a dialog.
void closeOnEscape(QWidget *window);
