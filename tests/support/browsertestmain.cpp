#include "browsertestmain.h"

#include <QCoreApplication>

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
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    useThrowawayBrowserProfile(true);
    LoopbackRequestsOnly loopbackOnly;
    setBrowserRequestInterceptor(&loopbackOnly);
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
    releaseBrowserProfile();
    return status;
}
