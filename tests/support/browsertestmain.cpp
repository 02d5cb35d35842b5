#include "browsertestmain.h"

#include "loopbackguard.h"

#include <QApplication>
#include <QTest>
#include <QWebEngineProfile>

#include <algorithm>
#include <map>
#include <string>

namespace {

std::map<std::string, BrowserTestFactory> &registeredTests()
{
    static std::map<std::string, BrowserTestFactory> tests; // by name, so the order never depends on linking
    return tests;
}
} // namespace

int registerBrowserTest(const char *name, BrowserTestFactory make)
{
    registeredTests().emplace(name, std::move(make));
    return 0;
}

// Runs every test class of the program, or, when the first argument names one, that class alone
// with the arguments after it (its function names, QTest's options).
int main(int argc, char *argv[])
{
    // The browser shares its drawing context with the widgets, which must be asked for before
    // the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // Pages made without a profile of their own use the engine's default one: it stays on loopback
    // too. Every other page's profile comes from the test's context, guarded the same way.
    LoopbackGuard loopbackOnly;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&loopbackOnly);

    std::vector<char *> args(argv, argv + argc);
    const auto &tests = registeredTests();
    const auto chosen = argc > 1 ? tests.find(argv[1]) : tests.end();
    if (chosen != tests.end())
        args.erase(args.begin() + 1);
    int status = 0;
    for (const auto &[name, make] : tests) {
        if (chosen != tests.end() && chosen->first != name)
            continue;
        const std::unique_ptr<QObject> test = make();
        status |= QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return status;
}
