// Auto-insert in the real browser engine, from the click to the message read back from the page:
// on a large thread page whose reply form has a plain text area, and on a classic board's reply
// page whose message box is a rich editor (the loopback board of the tests, with the editor from
// npm); and the parts of the first: the markup's trip out of the page and its scan.
#include "browser/enginescriptpage.h"
#include "browser/formscan.h"
#include "browser/insertcontroller.h"
#include "browser/pagescripts.h"
#include "browser/postcheck.h"
#include "classicforum.h"

#include "headlessengine.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

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

// Waits in an event loop until done() says so, at most limitMs.
template<typename Done> bool waitFor(Done done, int limitMs = 30000)
{
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    tick.start(10);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

// Runs script in the page and gives its answer, woken the moment it arrives.
QVariant answerOf(ScriptPage &page, const QString &script)
{
    QVariant answer;
    bool answered = false;
    QEventLoop loop;
    page.runScript(script, [&](const QVariant &value) {
        answer = value;
        answered = true;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!answered)
        loop.exec();
    return answer;
}

// A page in a view with the insert controller the program gives it, made before the page loads as
// the program's is; each insert takes the outgoing message of the last ubb or html template.
struct Page
{
    QWebEngineView view;
    EngineScriptPage *page = nullptr;
    PostCheck postCheck;
    QTemporaryDir scratch; // where the scan's record, htmltemp.txt, is written
    bool htmlTemplate = false;
    std::unique_ptr<InsertController> insert;

    explicit Page(QWebEngineProfile *profile = nullptr)
    {
        if (profile)
            view.setPage(new QWebEnginePage(profile, &view));
        view.resize(1000, 700);
        view.show();
        page = new EngineScriptPage(view.page(), &view);
        const QString plain = QStringLiteral("Hello forum friends\r\nsee http://example.com/page.html\r\n\r\n");
        const QString anchor = QStringLiteral("Hello forum friends\r\nsee <a href=\"http://example.com/page.html\">"
                                              "http://example.com/page.html</a>\r\n\r\n");
        insert = std::make_unique<InsertController>(
            *page, postCheck,
            [this, plain, anchor] {
                return InsertController::Message{htmlTemplate ? anchor : plain, htmlTemplate, plain};
            },
            [](std::function<void()> dismissed) { dismissed(); }, scratch.filePath(QStringLiteral("htmltemp.txt")));
    }

    bool load(const QUrl &url)
    {
        bool loaded = false;
        QObject::connect(view.page(), &QWebEnginePage::loadFinished, [&](bool ok) { loaded = ok; });
        view.load(url);
        return waitFor([&] { return loaded; });
    }
};

// The 2 MiB thread page, from a file.
struct ThreadPage : Page
{
    QTemporaryDir folder;
    QString markup;

    bool load()
    {
        QFile file(folder.filePath(QStringLiteral("thread.html")));
        if (!file.open(QIODevice::WriteOnly) || file.write(threadPage()) < 0)
            return false;
        file.close();
        if (!Page::load(QUrl::fromLocalFile(file.fileName())))
            return false;
        markup = answerOf(*page, readBodyOuterScript()).toString();
        return !markup.isEmpty();
    }
};

// The classic board's full reply page as a logged-in member sees it, its editor ready.
struct ReplyPage
{
    ClassicForum forum;
    QWebEngineProfile profile; // off the record: the member's cookie lives for this run only
    std::unique_ptr<Page> shown;

    bool load()
    {
        if (!forum.start())
            return false;
        const int thread = forum.openThread(QStringLiteral("Spring meeting"));
        forum.addPosts(thread, 5);
        profile.cookieStore()->setCookie(forum.memberCookie(), QUrl(forum.url(QStringLiteral("/"))));
        shown = std::make_unique<Page>(&profile);
        if (!shown->load(QUrl(forum.newReplyUrl(thread))))
            return false;
        return waitFor([&] {
            return answerOf(*shown->page, QStringLiteral("document.body.dataset.editorReady || ''")).toString() ==
                   QLatin1String("yes");
        });
    }
};

ThreadPage *threadPageShown = nullptr;
ReplyPage *replyPage = nullptr;

// One insert per iteration, each as a first click on the page is: with nothing focused in it.
void insertEachIteration(benchmark::State &state, Page &shown)
{
    int failures = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(shown.insert.get(), &InsertController::finished, &loop, [&](bool inserted) {
            failures += inserted ? 0 : 1;
            loop.quit();
        });
        shown.insert->autoInsert();
        loop.exec();
        // What follows the answer (the scan's record on disk) is not part of the wait.
        state.PauseTiming();
        QCoreApplication::processEvents();
        answerOf(*shown.page, QStringLiteral("(function () {"
                                             " var e = document.activeElement; if (e && e.blur) e.blur();"
                                             " window.getSelection().removeAllRanges(); })()"));
        state.ResumeTiming();
    }
    state.counters["failures"] = failures;
}

void BM_AutoInsert(benchmark::State &state)
{
    threadPageShown->htmlTemplate = false;
    insertEachIteration(state, *threadPageShown);
    state.counters["page_bytes"] = double(threadPageShown->markup.size());
}
BENCHMARK(BM_AutoInsert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The reply page's editor in BBCode mode, given the ubb template's codes (as text) or the html
// template's anchors (as markup, which the editor turns into its own codes).
void BM_AutoInsertReplyEditor(benchmark::State &state)
{
    if (!replyPage) {
        state.SkipWithError("the reply page did not load (are the editor packages installed?)");
        return;
    }
    replyPage->shown->htmlTemplate = state.range(0) != 0;
    insertEachIteration(state, *replyPage->shown);
}
BENCHMARK(BM_AutoInsertReplyEditor)
    ->ArgName("markup")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

// One trip for the page's markup: 1 the body's outer and inner markup (as the post check reads it),
// 0 the outer markup alone (as auto-insert reads it), 2 the outer markup made in the page but only
// its length sent back (what making it costs without the trip).
void BM_ReadMarkup(benchmark::State &state)
{
    const QString script = state.range(0) == 1   ? readBodyScript()
                           : state.range(0) == 0 ? readBodyOuterScript()
                                                 : QStringLiteral("document.body.outerHTML.length");
    for (auto _ : state)
        benchmark::DoNotOptimize(answerOf(*threadPageShown->page, script));
}
BENCHMARK(BM_ReadMarkup)
    ->ArgName("kind")
    ->Arg(1)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

void BM_ScanMarkup(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(scanForPostForm(threadPageShown->markup, threadPageShown->markup));
}
BENCHMARK(BM_ScanMarkup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    prepareHeadlessEngine();
    QApplication app(argc, argv);
    ThreadPage thread;
    if (!thread.load()) {
        fprintf(stderr, "the thread page did not load\n");
        return 1;
    }
    threadPageShown = &thread;
    ReplyPage reply;
    if (reply.load())
        replyPage = &reply;
    else
        fprintf(stderr, "the reply page did not load\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
