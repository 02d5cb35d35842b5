#include "ui/ontop.h"

#include <QApplication>
#include <QWidget>

void setOnTop(QWidget *window, bool onTop)
{
    if (!window)
        return;
    QWidget *top = window->window();
    const bool visible = top->isVisible();
    if (top->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        const QRect geometry = top->geometry();
        // Changing the flags recreates the native window and hides it: show it again where it was.
        top->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        if (visible) {
            top->setGeometry(geometry);
            top->show();
        }
    }
    if (visible && onTop)
        top->raise();
}

bool anyWindowStaysOnTop()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows) {
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return true;
    }
    return false;
}
