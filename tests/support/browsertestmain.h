#pragma once

#include <QApplication>
#include <QTest>

// main() for tests that create an embedded browser: the browser shares its drawing context with
// the widgets, which must be asked for before the application object exists.
#define THREADLOOM_BROWSER_TEST_MAIN(TestClass)                                                                        \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                                    \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
