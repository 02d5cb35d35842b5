// Auto-insert on a large thread page, from the click to the message read back from the page, in
// the real browser engine; and the markup scan alone on the same page.
#include "browser/enginescriptpage.h"
#include "browser/formscan.h"
#include "browser/insertcontroller.h"
#include "browser/pagescripts.h"
#include "browser/postcheck.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

namespace {

constexpr qsizetype pageBytes = 2 * 1024 * 1024;

// A thread with many posts of markup, then the reply form at its end.
QByteArray threadPage()
{
    const QByteArray post = "<div class=\"post\" id=\"p%1\"><div class=\"author\"><a href=\"/member?u=7\">someone</a>"
                            "<span class=\"date\">Today, 10:15</span></div><div class=\"body\">Words of a reply, "
                            "<b>some bold</b>, a <a href=\"http://example.com/x\">link</a> and a quote:<blockquote>"
                            "earlier words</blockquote><input type=\"button\" value=\"Quote\"></div></div>\n";
    QByteArray html = "<!DOCTYPE html><html><head><title>A long thread</title></head><body>\n"
                      "<form action=\"/search\"><input name=\"q\"></form>\n";
    for (int i = 0; html.size() < pageBytes; ++i)
        html += QByteArray(post).replace("%1", QByteArray::number(i));
    html += "<form action=\"/reply\" method=\"post\"><input type=\"hidden\" name=\"t\" value=\"1\">"
            "<input name=\"subject\"><textarea name=\"message\" rows=\"10\" cols=\"60\"></textarea>"
            "<input type=\"submit\" value=\"Post\"></form></body></html>\n";
    return html;
}

struct Browser
{
    QTemporaryDir folder;
    QWebEngineView view;
    EngineScriptPage *page = nullptr;
    QString markup;

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
        view.page()->runJavaScript(QStringLiteral("document.body.outerHTML"), [this, &loop](const QVariant &v) {
            markup = v.toString();
            loop.quit();
        });
        loop.exec();
        return ok && !markup.isEmpty();
    }
};

Browser *browser = nullptr;

void BM_AutoInsert(benchmark::State &state)
{
    PostCheck postCheck;
    const QString message = QStringLiteral("Hello forum friends\r\nsee http://example.com/page.html\r\n\r\n");
    InsertController insert(
        *browser->page, postCheck,
        [&] {
            return InsertController::Message{message, false, message};
        },
        [](std::function<void()> dismissed) { dismissed(); }, browser->folder.filePath(QStringLiteral("htmltemp.txt")));
    int failures = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&insert, &InsertController::finished, &loop, [&](bool inserted) {
            failures += inserted ? 0 : 1;
            loop.quit();
        });
        insert.autoInsert();
        loop.exec();
        // What follows the answer (the scan's record on disk) is not part of the wait.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["failures"] = failures;
    state.counters["page_bytes"] = double(browser->markup.size());
}
BENCHMARK(BM_AutoInsert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// One trip for the page's markup: the body's outer and inner markup (as the post check reads
// it, and as auto-insert once did), or the outer markup alone (as auto-insert reads it now).
void BM_ReadMarkup(benchmark::State &state)
{
    const QString script = state.range(0) ? readBodyScript() : readBodyOuterScript();
    for (auto _ : state) {
        QEventLoop loop;
        browser->page->runScript(script, [&](const QVariant &answer) {
            benchmark::DoNotOptimize(answer);
            loop.quit();
        });
        loop.exec();
    }
}
BENCHMARK(BM_ReadMarkup)
    ->ArgName("outer_and_inner")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

void BM_ScanMarkup(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(scanForPostForm(browser->markup, browser->markup));
}
BENCHMARK(BM_ScanMarkup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    // Headless, as the browser tests run; the engine's sandbox cannot work for root.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
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
