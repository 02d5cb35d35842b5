#include "app/startup.h"

#include "app/mainwindow.h"

MainWindow *startMainWindow(AppContext &context)
{
    auto *window = new MainWindow(context);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->load();
    window->show();
    return window;
}
