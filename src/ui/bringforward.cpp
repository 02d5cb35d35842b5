#include "ui/bringforward.h"

#include <QWidget>

void bringForward(QWidget *window, WindowFocus focus)
{
    if (!window)
        return;
    window->show();
    window->raise();
    if (focus == WindowFocus::Take)
        window->activateWindow();
}
