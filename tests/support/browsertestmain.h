#pragma once

#include "browser/browserprofile.h"

#include <QApplication>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <functional>
#include <memory>

// Keeps every browser test on loopback: the program's start page and saved forum pages name
// real sites.
class LoopbackRequestsOnly : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        const bool local = url.host() == QLatin1String("127.0.0.1") || url.scheme() == QLatin1String("data") ||
                           url.scheme() == QLatin1String("about") || url.scheme() == QLatin1String("qrc");
        if (!local)
            info.block(true);
    }
};

// main() for tests that create an embedded browser: the browser shares its drawing context with
// the widgets, which must be asked for before the application object exists.
#define THREADLOOM_BROWSER_TEST_MAIN(TestClass)                                                                        \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                                    \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        useThrowawayBrowserProfile(true);                                                                              \
        LoopbackRequestsOnly loopbackOnly;                                                                             \
        setBrowserRequestInterceptor(&loopbackOnly);                                                                   \
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&loopbackOnly);                                  \
        int status = 0;                                                                                                \
        {                                                                                                              \
            TestClass test;                                                                                            \
            QTEST_SET_MAIN_SOURCE_PATH                                                                                 \
            status = QTest::qExec(&test, argc, argv);                                                                  \
        }                                                                                                              \
        releaseBrowserProfile();                                                                                       \
        return status;                                                                                                 \
    }

// Several test classes may share one program, and with it one start of the engine: each file ends
// with THREADLOOM_BROWSER_TEST(TestClass), and the program links browsertestmain.cpp, whose main()
// runs them all.
using BrowserTestFactory = std::function<std::unique_ptr<QObject>()>;
int registerBrowserTest(const char *name, BrowserTestFactory make);
#define THREADLOOM_BROWSER_TEST(TestClass)                                                                             \
    [[maybe_unused]] static const int TestClass##Registered =                                                          \
        registerBrowserTest(#TestClass, [] { return std::unique_ptr<QObject>(new TestClass); });
