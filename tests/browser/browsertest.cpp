#include "browsertest.h"

#include "browser/browserprofile.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

void LoopbackOnly::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    const bool local = url.host() == QLatin1String("127.0.0.1") || url.scheme() == QLatin1String("data") ||
                       url.scheme() == QLatin1String("about") || url.scheme() == QLatin1String("qrc");
    if (!local)
        info.block(true);
}

void LoopbackOnly::install()
{
    static LoopbackOnly interceptor;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&interceptor);
    setBrowserRequestInterceptor(&interceptor);
}

QVariant runScript(QWebEnginePage *page, const QString &script, quint32 world)
{
    bool answered = false;
    QVariant result;
    page->runJavaScript(script, world, [&](const QVariant &value) {
        result = value;
        answered = true;
    });
    if (!QTest::qWaitFor([&] { return answered; }, 10000))
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
