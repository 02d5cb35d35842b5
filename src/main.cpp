#include "app/splashwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The embedded browser shares its drawing context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Threadloom"));
    // The main window decides when the program ends (it may wait for the secondary browser).
    QApplication::setQuitOnLastWindowClosed(false);

    frmSplash splash;
    splash.show();
    return app.exec();
}
