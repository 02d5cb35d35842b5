#include "browsertest.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

QVariant runScript(QWebEnginePage *page, const QString &script, quint32 world)
{
    bool answered = false;
    QVariant result;
    // A local event loop wakes the moment the answer arrives; polling would add a sleep to every
    // one of the several hops a script's answer makes between the engine's processes.
    QEventLoop loop;
    page->runJavaScript(script, world, [&](const QVariant &value) {
        result = value;
        answered = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!answered)
        loop.exec();
    if (!answered)
        qWarning("the page did not answer a script");
    return result;
}

namespace {
bool waitForLoad(QWebEngineView *view, const std::function<void()> &start)
{
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    start();
    if (!finished.wait(20000))
        return false;
    return finished.last().value(0).toBool();
}
} // namespace

bool loadUrl(QWebEngineView *view, const QUrl &url)
{
    return waitForLoad(view, [&] { view->load(url); });
}

bool loadHtml(QWebEngineView *view, const QString &html, const QUrl &baseUrl)
{
    return waitForLoad(view, [&] { view->setHtml(html, baseUrl); });
}
