#include "app/appcontext.h"
#include "app/commandline.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "app/startupchecks.h"
#include "app/translations.h"
#include "core/buildinfo.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

int main(int argc, char *argv[])
{
    // --help, --version and options we do not know are answered before anything else starts.
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;
    // No display, or root (whose browser needs its sandbox off): settled before Qt starts.
    if (const int status = runStartupChecks(argc, argv))
        return status;
    // The embedded browser shares its drawing context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    finishStartupChecks();
    installTranslations(QLocale::system());
    QApplication::setApplicationName(QStringLiteral("Threadloom"));
    QGuiApplication::setDesktopFileName(QStringLiteral(THREADLOOM_APP_ID));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/threadloom-48.png"));
    icon.addFile(QStringLiteral(":/icons/threadloom-256.png"));
    QApplication::setWindowIcon(icon);
    // The main window decides when the program ends (it may wait for the secondary browser).
    QApplication::setQuitOnLastWindowClosed(false);

    // Everything the run works on, made once and handed to the main window.
    AppContext context(AppSetup::forUser());
    // A window that finds no skin loaded loads a splash window, whose load brings the skin. A
    // splash window that is already loaded ran its load long ago: waiting for it to start its
    // timer again would wait for ever, so none is loaded then.
    context.skin.setSplashLoader([&context]() -> QWidget * {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (qobject_cast<SplashWindow *>(w))
                return nullptr;
        }
        auto *splash = new SplashWindow(context.skin);
        splash->setAttribute(Qt::WA_DeleteOnClose, false);
        return splash;
    });
    QObject::connect(&context.lifetime, &ProgramLifetime::ended, &app, [&context] {
        if (context.skin.active())
            context.skin.stop();
        // Queued, so that the window that ended the run has finished its own close first.
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    });
    SplashWindow splash(context.skin);
    QObject::connect(&splash, &SplashWindow::timeUp, &splash, [&context] { startMainWindow(context); });
    splash.show();
    const int status = app.exec();

    // Every page goes before the browser profile it was made with, or the engine complains
    // that the profile was released while a page still used it.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget() && window != &splash)
            windows.append(window);
    }
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    // The context, and the browser profile with it, goes last.
    return status;
}
