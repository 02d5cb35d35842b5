#pragma once

class QWidget;

// Whether a window brought forward also takes the keyboard: a window the user asked for does; one
// that shows itself (the help at start-up) or opens beside the window the user works in does not.
enum class WindowFocus { Take, Leave };

// Shows window in front of the program's other windows, as it is (a window the user minimised
// stays so).
void bringForward(QWidget *window, WindowFocus focus = WindowFocus::Take);
