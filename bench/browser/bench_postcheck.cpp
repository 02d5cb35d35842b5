// The post check on a large thread page in the real browser engine, while it is armed: asking the
// page whether it changed, looking at what a quick reply added, and reading the whole page (what a
// completed download costs, and what every change would cost if the page were read again).
#include "browser/enginescriptpage.h"
#include "browser/formscan.h"
#include "browser/pagechangescripts.h"
#include "browser/postcheck.h"

#include "headlessengine.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

constexpr qsizetype pageBytes = 2 * 1024 * 1024;
const QString message =
    QStringLiteral("Hello forum friends, see [url=http://example.com/a]http://example.com/a[/url]\r\n");

// A thread with many posts of markup, then the quick reply at its end.
QByteArray threadPage()
{
    const QByteArray post = "<div class=\"post\" id=\"post_%1\"><div class=\"author\"><a href=\"/member?u=7\">someone"
                            "</a><span class=\"date\">Today, 10:15</span></div><div class=\"body\">Words of a reply, "
                            "<b>some bold</b>, a <a href=\"http://example.com/x\">link</a> and a quote:<blockquote>"
                            "earlier words</blockquote></div></div>\n";
    QByteArray html = "<!DOCTYPE html><html><head><title>A long thread</title></head><body>\n<div id=\"posts\">\n";
    for (int i = 0; html.size() < pageBytes; ++i)
        html += QByteArray(post).replace("%1", QByteArray::number(i));
    html += "</div>\n<form id=\"quick_reply_form\" action=\"/reply\" method=\"post\"><textarea name=\"message\" "
            "rows=\"8\" cols=\"60\"></textarea><input type=\"submit\" value=\"Post Reply\"></form></body></html>\n";
    return html;
}

struct Browser
{
    QTemporaryDir folder;
    QWebEngineView view;
    EngineScriptPage *page = nullptr;

    QVariant run(const QString &script, quint32 world)
    {
        QEventLoop loop;
        QVariant result;
        view.page()->runJavaScript(script, world, [&](const QVariant &v) {
            result = v;
            loop.quit();
        });
        loop.exec();
        return result;
    }

    bool load()
    {
        QFile file(folder.filePath(QStringLiteral("thread.html")));
        if (!file.open(QIODevice::WriteOnly) || file.write(threadPage()) < 0)
            return false;
        file.close();
        view.resize(1000, 700);
        view.show();
        QEventLoop loop;
        bool ok = false;
        QObject::connect(view.page(), &QWebEnginePage::loadFinished, &loop, [&](bool finished) {
            ok = finished;
            loop.quit();
        });
        view.load(QUrl::fromLocalFile(file.fileName()));
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        page = new EngineScriptPage(view.page(), &view);
        return ok && run(watchPageScript(), QWebEngineScript::ApplicationWorld).toMap().contains("body");
    }
};

Browser *browser = nullptr;

QVariant ask(const QString &script)
{
    QEventLoop loop;
    QVariant answer;
    browser->page->runScript(script, [&](const QVariant &result) {
        answer = result;
        loop.quit();
    });
    loop.exec();
    return answer;
}

// One round of an armed check on a page that did not change.
void BM_PollUnchanged(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ask(pollPageChangesScript()));
}
BENCHMARK(BM_PollUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

// A quick reply's post is added by the page's script; the round that follows finds it: the poll,
// the added markup taken and searched.
void BM_QuickReplyAdded(benchmark::State &state)
{
    PostCheck check;
    check.arm(message);
    int missed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        browser->run(QStringLiteral("document.getElementById('posts').insertAdjacentHTML('beforeend', "
                                    "'\\n<div class=\"post\"><div class=\"body\">Hello forum friends, see <a "
                                    "href=\"http://example.com/a\">http://example.com/a</a></div></div>')"),
                     QWebEngineScript::MainWorld);
        // The engine lays out and draws the grown page first; that is the page's cost, not the check's.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        state.ResumeTiming();
        const QVariantMap polled = ask(pollPageChangesScript()).toMap();
        const PostCheck::Ticket ticket = check.pageChanged();
        if (polled.value("changed").toInt() > 0 && !PostCheck::boxesHold(ticket, polled.value("boxes").toStringList()))
            missed +=
                PostCheck::changeShows(ticket, ask(takePageChangesScript()).toMap().value("markup").toString()) ? 0 : 1;
        else
            ++missed;
    }
    state.counters["missed"] = missed;
}
BENCHMARK(BM_QuickReplyAdded)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

// The whole page read and searched, as after a download or an address changed without a load.
void BM_ReadWholePage(benchmark::State &state)
{
    PostCheck check;
    check.arm(message);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QString outer = ask(watchPageScript()).toMap().value("body").toString();
        bytes = outer.size();
        benchmark::DoNotOptimize(PostCheck::pageShows(check.pageChanged(), outer, bodyInnerMarkup(outer)));
    }
    state.counters["page_bytes"] = double(bytes);
}
BENCHMARK(BM_ReadWholePage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    prepareHeadlessEngine();
    QApplication app(argc, argv);
    Browser loaded;
    if (!loaded.load()) {
        fprintf(stderr, "the thread page did not load\n");
        return 1;
    }
    browser = &loaded;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
