#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "browser/pagescripts.h"
#include "browser/popupwindow.h"
#include "browser/websitewindow.h"
#include "browsertest.h"
#include "browsertestmain.h"
#include "classicforum.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "eventwait.h"
#include "fakeforum.h"
#include "filebytes.h"
#include "recordingmessageboxes.h"
#include "scriptedhttpserver.h"
#include "testcontext.h"
#include "testenvironment.h"
#include "ui/editortext.h"
#include "watch/browsercookiejar.h"
#include "watch/postspanel.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/watchcontroller.h"
#include "widgettexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

namespace {

const QString insertErrorText = QStringLiteral("Could not auto-insert your message.  Try pasting instead.");

QByteArray readFixture(const QString &name)
{
    QFile file(QStringLiteral(THREADLOOM_TEST_DATA "/forum-pages/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString normalisedLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QList<PopupWindow *> popupWindows()
{
    QList<PopupWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *popup = qobject_cast<PopupWindow *>(widget))
            found << popup;
    }
    return found;
}

} // namespace

class TestBrowserController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void roadOfAPost();
    void insertFails_data();
    void insertFails();
    void insertWhileInserting();
    void insertWithoutScratchFile();
    void postingPages_data();
    void postingPages();
    void editorPages_data();
    void editorPages();
    void composerRoad_data();
    void composerRoad();
    void insertWhileLoading();
    void postCheckWindow_data();
    void postCheckWindow();
    void urlBox_data();
    void urlBox();
    void popups_data();
    void popups();
    void pasteIndexes_data();
    void pasteIndexes();
    void visitOutlivesMainWindow();
    void watchedPostRoad();
    void membersOnlyThreadKeepsItsLogin();
    void fullRepliesKeepOneRow_data();
    void fullRepliesKeepOneRow();

private:
    bool load(const QString &path);
    bool focusInPage(const QString &id);
    bool submitLogin();
    bool autoInsert();
    QVariant page(const QString &script) { return runScript(m_form->browserPanel()->view->page(), script); }
    BrowserController &browser() { return m_form->browser(); }
    QString converted(const QString &text) { return m_form->compose().convertMessage(text); }
    // A main window as the next start makes it, on a context of its own over the same places,
    // shown, its start page done with.
    void startMainWindow();
    // The boxes the run has shown, as "title|text".
    QStringList &boxes() { return m_run->boxes().messages; }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FakeForum> m_forum;
    std::unique_ptr<TestContext> m_run;
    std::unique_ptr<MainWindow> m_form;
    int m_ends = 0;
};

void TestBrowserController::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_forum = std::make_unique<FakeForum>();
    QVERIFY(m_forum->start());
    m_forum->setPage(QStringLiteral("/plain"), "<html><head><title>Plain</title></head><body><p>Nothing here</p>"
                                               "<form><input name=q></form></body></html>");
    m_ends = 0;
    startMainWindow();
}

void TestBrowserController::cleanup()
{
    for (PopupWindow *popup : popupWindows())
        delete popup;
    if (WebsiteWindow *website = browser().websiteWindow())
        delete website;
    m_form.reset();
    m_run.reset();
    m_forum.reset();
    m_env.reset();
}

bool TestBrowserController::load(const QString &path)
{
    return loadUrl(m_form->browserPanel()->view, QUrl(m_forum->url(path)));
}

bool TestBrowserController::focusInPage(const QString &id)
{
    return runScript(m_form->browserPanel()->view->page(),
                     QStringLiteral("var e = document.getElementById(%1); e.focus(); document.activeElement === e")
                         .arg(scriptStringLiteral(id)),
                     QWebEngineScript::MainWorld)
        .toBool();
}

// Submits the forum's log-in form and waits for the page it sends the user back to.
bool TestBrowserController::submitLogin()
{
    QSignalSpy loaded(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    page(QStringLiteral("document.getElementById('go').click()"));
    return waitUntil(
        [&] {
            return m_form->browserPanel()->addressBox->text() == m_forum->url(QStringLiteral("/newthread")) &&
                   !loaded.isEmpty();
        },
        20000);
}

bool TestBrowserController::autoInsert()
{
    QSignalSpy finished(&browser(), &BrowserController::autoInsertFinished);
    m_form->editorPanel()->autoInsertButton->click();
    if (!finished.wait(20000))
        return false;
    return finished.first().value(0).toBool();
}

void TestBrowserController::roadOfAPost()
{
    // Log in by pasting the forum's user name and password.
    QVERIFY(load(QStringLiteral("/newthread")));
    QCOMPARE(m_form->browserPanel()->addressBox->text(), m_forum->url(QStringLiteral("/login")));
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("Complete"));
    m_form->forumsPanel()->userNameBox->setText(QStringLiteral("alice"));
    m_form->forumsPanel()->passwordBox->setText(QStringLiteral("pa\"ss|word</script>"));
    QSignalSpy pasted(&browser(), &BrowserController::pasteFinished);
    QVERIFY(focusInPage(QStringLiteral("user")));
    m_form->forumsPanel()->pasteUserNameButton->click();
    QVERIFY(pasted.wait(10000));
    QVERIFY(focusInPage(QStringLiteral("password")));
    m_form->forumsPanel()->pastePasswordButton->click();
    QVERIFY(pasted.wait(10000));
    QVERIFY(submitLogin());
    QCOMPARE(m_forum->loggedInUser(), QStringLiteral("alice"));
    QCOMPARE(m_forum->loggedInPassword(), QStringLiteral("pa\"ss|word</script>"));

    // Subject pasted, message inserted.
    m_form->editorPanel()->subjectBox->setText(QStringLiteral("A new thread"));
    QVERIFY(focusInPage(QStringLiteral("subject")));
    m_form->editorPanel()->pasteSubjectButton->click();
    QVERIFY(pasted.wait(10000));
    const QString message = QStringLiteral("Hello forum friends\r\nsee http://example.com/x?a=1&b=2\r\nbye");
    setEditorText(m_form->editorPanel()->messageEditor, message);
    QVERIFY(autoInsert());
    const QString inserted = converted(message + QStringLiteral("\r\n\r\n"));
    QVERIFY(page(QStringLiteral("document.getElementById('message').value === ") +
                 scriptStringLiteral(normalisedLineBreaks(inserted)))
                .toBool());
    QCOMPARE(page(QStringLiteral("document.getElementById('subject').value")).toString(),
             QStringLiteral("A new thread"));
    QCOMPARE(page(QStringLiteral("document.getElementById('q').value")).toString(), QString());
    QCOMPARE(browser().postCheck().countdown(), 4);
    QCOMPARE(browser().postCheck().lastInsertedText(), inserted);
    QVERIFY(boxes().isEmpty());
    QFile scratch(m_env->filePath(QStringLiteral("htmltemp.txt")));
    QVERIFY(scratch.open(QIODevice::ReadOnly));
    QVERIFY(scratch.readAll().contains("\r\n<textarea"));

    // Submitted: the forum redirects to the new thread, whose page the post check recognises.
    QSignalSpy hits(&browser(), &BrowserController::postCheckHit);
    page(QStringLiteral("document.getElementById('post').click()"));
    QVERIFY(hits.wait(20000));
    QCOMPARE(m_form->browserPanel()->view->url().toString(), m_forum->url(QStringLiteral("/thread?id=1")));
    QCOMPARE(m_forum->posts().size(), 1);
    QCOMPARE(m_forum->posts().first().subject, QStringLiteral("A new thread"));
    QCOMPARE(normalisedLineBreaks(m_forum->posts().first().message), normalisedLineBreaks(inserted));
    QCOMPARE(browser().postCheck().countdown(), 0);

    // Further pages showing the message no longer count.
    QVERIFY(load(QStringLiteral("/thread?id=1")));
    QTest::qWait(300);
    QCOMPARE(hits.size(), 1);
}

void TestBrowserController::insertFails_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("html");

    QTest::newRow("log-in page") << "/login" << QByteArray();
    QTest::newRow("text area outside a form")
        << "/loose" << QByteArray("<html><body><textarea id=t></textarea><form><input name=a></form></body></html>");
    QTest::newRow("text area only in the markup") // the scan finds it, the page has none to fill
        << "/noscript"
        << QByteArray("<html><body><form><input name=a><noscript><textarea id=t></textarea></noscript>"
                      "<input name=b></form></body></html>");
    QTest::newRow("no HTML body") << "/text.txt" << QByteArray();
}

void TestBrowserController::insertFails()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, html);
    if (!html.isEmpty())
        m_forum->setPage(path, html);
    if (path == QLatin1String("/text.txt")) {
        QVERIFY(loadHtml(m_form->browserPanel()->view, QString(), QUrl(QStringLiteral("about:blank"))));
        page(QStringLiteral("document.documentElement.remove()"));
    } else {
        QVERIFY(load(path));
    }
    const QString before =
        page(QStringLiteral("document.documentElement ? document.documentElement.outerHTML : ''")).toString();

    QVERIFY(!autoInsert());
    QCOMPARE(boxes(), QStringList{QStringLiteral("Auto-Insert Error|") + insertErrorText});
    QCOMPARE(page(QStringLiteral("document.documentElement ? document.documentElement.outerHTML : ''")).toString(),
             before);
}

void TestBrowserController::insertWhileInserting()
{
    // Each click is one whole insert; the second one starts after the first has ended.
    QVERIFY(load(QStringLiteral("/login")));
    QSignalSpy finished(&browser(), &BrowserController::autoInsertFinished);
    m_form->editorPanel()->autoInsertButton->click();
    m_form->editorPanel()->autoInsertButton->click();
    WAIT_COMPARE(finished.size(), 2, 20000);
    QCOMPARE(boxes().size(), 2);
}

void TestBrowserController::insertWithoutScratchFile()
{
    // The scratch copy of the markup is only a record: a folder that cannot take it stops nothing.
    QVERIFY(QDir(m_env->dataFolder()).removeRecursively());
    m_forum->setPage(QStringLiteral("/form"), FakeForum::newThreadPage());
    QVERIFY(load(QStringLiteral("/form")));
    setEditorText(m_form->editorPanel()->messageEditor, QStringLiteral("Still inserted"));
    QVERIFY(autoInsert());
    QVERIFY(boxes().isEmpty());
    QVERIFY(page(QStringLiteral("document.getElementById('message').value.indexOf('Still inserted') === 0")).toBool());
    QVERIFY(!QFile::exists(m_env->filePath(QStringLiteral("htmltemp.txt"))));
}

void TestBrowserController::postingPages_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<bool>("ok");

    const QByteArray search = "<form action=\"/search\"><input name=q></form>";
    const QByteArray post = "<form action=\"/post\"><input name=subject><textarea id=message></textarea></form>";
    // The engine builds these forms empty and puts their fields after them; the fields still
    // belong to the form.
    QTest::newRow("form between table and row")
        << search + "<table><form action=\"/post\" method=post><tr><td><input name=subject></td></tr>"
                    "<tr><td><textarea id=message></textarea></td></tr></form></table>"
        << true;
    QTest::newRow("form closed before its fields")
        << QByteArray("<div><form action=\"/post\"><input name=subject></div><p><textarea id=message></textarea>"
                      "<input type=submit></form>")
        << true;
    // Only look like forms.
    QTest::newRow("commented-out form first")
        << "<!-- <form action=\"/old\"><input name=x><textarea></textarea></form> -->" + search + post << true;
    QTest::newRow("form in a script string")
        << "<script>var box = '<form><input name=a>';</script>" + search + post << true;

    const QList<std::pair<const char *, bool>> realPages = {
        {"generic-posting-1.html", true}, // its form sits between <table> and <tr>
        {"generic-posting-2.html", true},
        {"generic-posting-3.html", true},
        {"mitbbs-thread-1.html", true},
        {"vbulletin-contact-1.html", true},
        {"vbulletin-posting-1.html", true},
        {"vbulletin-thread-1.html", true},
        {"wordpress-thread-1.html", true},
        // Its only text area sits in a <noscript> block, which a page with scripts does not build.
        {"vbulletin-register-1.html", false},
        {"phpbb-login-1.html", false},
        {"phpbb2-login-1.html", false},
        {"vanilla-login-1.html", false},
        {"jive-login-1.html", false},
    };
    for (const auto &[file, ok] : realPages)
        QTest::newRow(file) << readFixture(QString::fromLatin1(file)) << ok;
}

void TestBrowserController::postingPages()
{
    QFETCH(QByteArray, html);
    QFETCH(bool, ok);

    if (!html.contains("<html") && !html.contains("<HTML"))
        html = "<html><body>" + html + "</body></html>";
    m_forum->setPage(QStringLiteral("/page.html"), html);
    QVERIFY(load(QStringLiteral("/page.html")));
    // The message box as the page has built it: the first text area that belongs to a form.
    const QString messageBox =
        QStringLiteral("Array.prototype.find.call(document.querySelectorAll('textarea'), function (t) {"
                       " return !!t.form; })");
    QCOMPARE(page(QStringLiteral("!!") + messageBox).toBool(), ok);

    const QString message = QStringLiteral("Insert me \"quoted\"\r\nsecond line");
    setEditorText(m_form->editorPanel()->messageEditor, message);
    QCOMPARE(autoInsert(), ok);
    if (!ok) {
        QCOMPARE(boxes(), QStringList{QStringLiteral("Auto-Insert Error|") + insertErrorText});
        return;
    }
    QVERIFY(boxes().isEmpty());
    QCOMPARE(browser().postCheck().countdown(), 4);
    const QString expected = normalisedLineBreaks(converted(message + QStringLiteral("\r\n\r\n")));
    // Exactly one text area holds the message: the message box.
    const QString receivers = QStringLiteral("Array.prototype.filter.call(document.querySelectorAll('textarea'),"
                                             " function (t) { return t.value === %1; }).map(function (t) {"
                                             " return t === %2; })");
    QCOMPARE(page(receivers.arg(scriptStringLiteral(expected), messageBox)).toList(), QVariantList{true});
}

void TestBrowserController::editorPages_data()
{
    QTest::addColumn<QString>("page");   // in tests/data/editor-pages, or inline markup
    QTest::addColumn<QString>("format"); // the format chosen in the editor panel
    QTest::addColumn<QString>("posted"); // a pattern the recorded message holds; empty: nothing goes in
    QTest::addColumn<QString>("before"); // a format inserted first; empty: none

    // The links in the forum's own markup, as each editor writes them.
    const QString anchor = QStringLiteral(
        "<a href=\"http://example\\.com/forum/page\\.html\"[^>]*>http://example\\.com/forum/page\\.html</a>");
    const QString code =
        QRegularExpression::escape("[url=http://example.com/forum/page.html]http://example.com/forum/page.html[/url]");
    QTest::newRow("TinyMCE, html") << "tinymce.html"
                                   << "html" << anchor << QString();
    QTest::newRow("CKEditor 5, html") << "ckeditor5.html"
                                      << "html" << anchor << QString();
    QTest::newRow("Quill, html") << "quill.html"
                                 << "html" << anchor << QString();
    QTest::newRow("SCEditor in BBCode mode, ubb") << "sceditor.html"
                                                  << "ubb" << code << QString();
    QTest::newRow("SCEditor in BBCode mode, html") // the editor writes the anchor as its own code
        << "sceditor.html"
        << "html" << code << QString();
    QTest::newRow("CodeMirror 5 markdown composer, text") // a code editor replaced the text area
        << "codemirror5.html"
        << "text" << QRegularExpression::escape("see http://example.com/forum/page.html") << QString();
    QTest::newRow("CodeMirror 6 markdown composer, text")
        << "codemirror6.html"
        << "text" << QRegularExpression::escape("see http://example.com/forum/page.html") << QString();
    QTest::newRow("Jodit, html") // it asks how to paste HTML
        << "jodit.html"
        << "html" << anchor << QString();
    QTest::newRow("Jodit, html over its text") // it looks the same until it asks
        << "jodit.html"
        << "html" << anchor << "text";
    QTest::newRow("Jodit, text") << "jodit.html"
                                 << "text" << QRegularExpression::escape("see http://example.com/forum/page.html")
                                 << QString();
    QTest::newRow("TinyMCE, text") << "tinymce.html"
                                   << "text" << QRegularExpression::escape("see http://example.com/forum/page.html")
                                   << QString();
    QTest::newRow("editor that refuses the message")
        << "<form action=\"/submit\" method=\"post\"><input name=subject id=subject>"
           "<textarea name=message id=message style=\"display: none\">Old draft</textarea>"
           "<div id=box contenteditable=true>Old draft</div><input type=submit id=post value=Post></form>"
           "<script>var box = document.getElementById('box'), no = function (e) { e.preventDefault(); };"
           "box.addEventListener('paste', no); box.addEventListener('beforeinput', no);"
           "document.body.dataset.editorReady = 'yes';</script>"
        << "html" << QString() << QString();
    QTest::newRow("code editor that ignores its input") // its own text goes out on submit
        << "<form action=\"/submit\" method=\"post\"><input name=subject id=subject>"
           "<textarea name=message id=message style=\"display: none\">Old draft</textarea>"
           "<div id=view><div style=\"overflow: hidden; height: 0\"><textarea></textarea></div><pre id=lines>Old "
           "draft</pre>"
           "</div><input type=submit id=post value=Post></form>"
           "<script>document.forms[0].addEventListener('submit', function () {"
           " document.getElementById('message').value = document.getElementById('lines').textContent; });"
           "document.body.dataset.editorReady = 'yes';</script>"
        << "text" << QString() << QString();
}

void TestBrowserController::editorPages()
{
    QFETCH(QString, page);
    QFETCH(QString, format);
    QFETCH(QString, posted);
    QFETCH(QString, before);

    m_forum->serveFolder(QStringLiteral("/node_modules/"), QStringLiteral(THREADLOOM_EDITOR_PACKAGES));
    if (page.endsWith(QLatin1String(".html"))) {
        QFile file(QStringLiteral(THREADLOOM_TEST_DATA "/editor-pages/") + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_forum->setPage(QStringLiteral("/editor"), file.readAll());
    } else {
        m_forum->setPage(QStringLiteral("/editor"), "<html><body>" + page.toUtf8() + "</body></html>");
    }
    QVERIFY(load(QStringLiteral("/editor")));
    WAIT_COMPARE(this->page(QStringLiteral("document.body.dataset.editorReady")).toString(), QStringLiteral("yes"),
                 20000);

    setEditorText(m_form->editorPanel()->messageEditor,
                  QStringLiteral("Hello forum friends\r\nsee http://example.com/forum/page.html\r\nbye"));
    if (!before.isEmpty()) {
        m_form->editorPanel()->formatList->setCurrentText(before);
        QVERIFY(autoInsert());
    }
    m_form->editorPanel()->formatList->setCurrentText(format);
    QCOMPARE(m_form->editorPanel()->formatList->currentText(), format);
    const bool ok = !posted.isEmpty();
    QCOMPARE(autoInsert(), ok);
    QCOMPARE(browser().postCheck().countdown(), ok ? 4 : 0);
    QCOMPARE(boxes(), ok ? QStringList() : QStringList{QStringLiteral("Auto-Insert Error|") + insertErrorText});
    if (!ok)
        return;
    // No question of the editor's is left open.
    QVERIFY(!this->page(QStringLiteral("Array.prototype.some.call(document.querySelectorAll('[role=dialog], dialog'),"
                                       " function (e) { return e.getClientRects().length > 0; })"))
                 .toBool());

    // The page's own button posts what its editor holds.
    this->page(QStringLiteral("document.getElementById('subject').value = 'Rich'"));
    this->page(QStringLiteral("document.getElementById('post').click()"));
    WAIT_COMPARE(m_forum->posts().size(), 1, 20000);
    // Some editors write every blank as a non-breaking one.
    const QString message = m_forum->posts().first().message.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    QVERIFY2(message.count(QStringLiteral("Hello forum friends")) == 1, qPrintable(message));
    QVERIFY2(message.contains(QRegularExpression(posted)), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("bye")), qPrintable(message));
    QVERIFY2(!message.contains(QStringLiteral("Old draft")), qPrintable(message));
}

void TestBrowserController::composerRoad_data()
{
    QTest::addColumn<int>("composer"); // ClassicComposer
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("focused"); // left focused as it opened, or the user clicked elsewhere since

    QTest::newRow("composer open and focused") << int(ClassicComposer::TextArea) << true << true;
    QTest::newRow("composer open, not focused") << int(ClassicComposer::TextArea) << true << false;
    QTest::newRow("composer closed: the quick reply") << int(ClassicComposer::TextArea) << false << false;
    QTest::newRow("composer with an editor from npm") << int(ClassicComposer::Editor) << true << false;
}

// A board whose thread page has a quick-reply form above a composer that a button opens without a
// load, its message box in no form: the message goes where the user writes, and the page's own
// button posts it.
void TestBrowserController::composerRoad()
{
    QFETCH(int, composer);
    QFETCH(bool, open);
    QFETCH(bool, focused);

    ClassicForum forum;
    QVERIFY(forum.start());
    forum.setComposer(ClassicComposer(composer));
    const int thread = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPosts(thread, 3);
    QWebEngineView *view = m_form->browserPanel()->view;
    view->page()->profile()->cookieStore()->setCookie(forum.memberCookie(), QUrl(forum.url(QStringLiteral("/"))));
    QVERIFY(loadUrl(view, QUrl(forum.threadUrl(thread))));
    auto inPage = [&](const QString &script) { return runScript(view->page(), script, QWebEngineScript::MainWorld); };
    QVERIFY(inPage(QStringLiteral("!!document.getElementById('quick_reply_form')")).toBool());
    if (open) {
        inPage(QStringLiteral("document.getElementById('composer_open').click()"));
        WAIT_VERIFY(inPage(QStringLiteral("!!document.querySelector('#composer[data-ready=yes]')")).toBool(), 20000);
        if (!focused) // a click on the posts
            inPage(QStringLiteral("document.activeElement.blur(); document.getElementById('posts').click()"));
        QCOMPARE(inPage(QStringLiteral("document.activeElement.id")).toString(),
                 focused ? QStringLiteral("composer_message") : QString());
    }

    m_form->editorPanel()->formatList->setCurrentText(QStringLiteral("ubb"));
    setEditorText(m_form->editorPanel()->messageEditor,
                  QStringLiteral("Hello forum friends\r\nsee http://example.com/forum/page.html\r\nbye"));
    QVERIFY(autoInsert());
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("Message inserted"));
    QVERIFY(boxes().isEmpty());
    // Only the box the user writes in holds it.
    QCOMPARE(inPage(QStringLiteral("document.getElementById('message').value.indexOf('Hello') >= 0")).toBool(), !open);

    inPage(open ? QStringLiteral("document.getElementById('composer_submit').click()")
                : QStringLiteral("document.getElementById('quick_reply_submit').click()"));
    WAIT_VERIFY(!forum.submissions().isEmpty(), 20000);
    const ClassicForumSubmission sent = forum.lastSubmission();
    QVERIFY2(sent.post > 0, qPrintable(sent.refusal));
    QCOMPARE(forum.submissions().size(), 1);
    QVERIFY2(sent.message.contains(QStringLiteral("Hello forum friends")), qPrintable(sent.message));
    QCOMPARE(forum.linkTargets(sent.post), QStringList{QStringLiteral("http://example.com/forum/page.html")});
    WAIT_VERIFY(inPage(QStringLiteral("!!document.getElementById('post_%1')").arg(sent.post)).toBool(), 20000);
}

void TestBrowserController::insertWhileLoading()
{
    // A style sheet and a script whose server takes the connection and never answers: the load
    // never completes, but the form is there and takes the message.
    ScriptedHttpServer silent;
    QVERIFY(silent.start());
    silent.setDefaultScript({ServerStep::stall()});
    m_forum->setPage(QStringLiteral("/slow"),
                     "<html><head><link rel=stylesheet href=\"" + silent.url(QStringLiteral("/s.css")).toUtf8() +
                         "\"></head><body><form><input name=subject><textarea id=message></textarea></form>"
                         "<script src=\"" +
                         silent.url(QStringLiteral("/s.js")).toUtf8() + "\"></script></body></html>");
    QSignalSpy finished(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    m_form->browserPanel()->view->load(QUrl(m_forum->url(QStringLiteral("/slow"))));
    WAIT_VERIFY(page(QStringLiteral("!!document.getElementById('message')")).toBool(), 20000);
    WAIT_COMPARE(silent.connectionCount(), 2, 20000);

    setEditorText(m_form->editorPanel()->messageEditor, QStringLiteral("While loading"));
    QVERIFY(autoInsert());
    QVERIFY(page(QStringLiteral("document.getElementById('message').value.indexOf('While loading') === 0")).toBool());
    QVERIFY(finished.isEmpty());
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("Message inserted"));
}

void TestBrowserController::postCheckWindow_data()
{
    QTest::addColumn<bool>("insertFirst"); // else armed as when a watched post is opened
    QTest::addColumn<int>("othersBefore"); // downloads without the message before the one with it
    QTest::addColumn<bool>("hit");

    QTest::newRow("first download") << true << 0 << true;
    QTest::newRow("fourth download") << true << 3 << true;
    QTest::newRow("fifth download") << true << 4 << false;
    QTest::newRow("opened post, nothing inserted yet") << false << 0 << true;
}

void TestBrowserController::postCheckWindow()
{
    QFETCH(bool, insertFirst);
    QFETCH(int, othersBefore);
    QFETCH(bool, hit);

    m_forum->setPage(QStringLiteral("/shows"), "<html><body><div>Unique words of the post</div></body></html>");
    if (insertFirst) {
        QVERIFY(load(QStringLiteral("/login")));
        m_forum->setPage(QStringLiteral("/form"), FakeForum::newThreadPage());
        QVERIFY(load(QStringLiteral("/form")));
        setEditorText(m_form->editorPanel()->messageEditor, QStringLiteral("Unique words of the post\r\nmore"));
        QVERIFY(autoInsert());
    } else {
        browser().armPostCheck();
    }
    QSignalSpy hits(&browser(), &BrowserController::postCheckHit);
    for (int i = 0; i < othersBefore; ++i)
        QVERIFY(load(QStringLiteral("/plain")));
    QVERIFY(load(QStringLiteral("/shows")));
    if (hit)
        QVERIFY(hits.wait(10000));
    else
        QTest::qWait(500);
    QCOMPARE(hits.size(), hit ? 1 : 0);
}

void TestBrowserController::urlBox_data()
{
    QTest::addColumn<bool>("useEnter");
    QTest::newRow("Enter in the box") << true;
    QTest::newRow("browse button") << false;
}

void TestBrowserController::urlBox()
{
    QFETCH(bool, useEnter);

    QSignalSpy loaded(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    m_form->browserPanel()->addressBox->setText(m_forum->url(QStringLiteral("/plain")));
    if (useEnter)
        QTest::keyClick(m_form->browserPanel()->addressBox, Qt::Key_Return);
    else
        m_form->browserPanel()->goButton->click();
    QVERIFY(loaded.wait(20000));
    QCOMPARE(m_forum->servedPaths().last(), QStringLiteral("/plain"));
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("Complete"));

    // Typing is replaced by the address at the next title change, not by the title.
    m_form->browserPanel()->addressBox->setText(QStringLiteral("half typed"));
    page(QStringLiteral("document.title = 'Another title'"));
    WAIT_COMPARE(m_form->browserPanel()->addressBox->text(), m_forum->url(QStringLiteral("/plain")), 5000);
}

void TestBrowserController::popups_data()
{
    QTest::addColumn<bool>("noPopups");
    QTest::newRow("No Popups checked") << true;
    QTest::newRow("No Popups cleared") << false;
}

void TestBrowserController::popups()
{
    QFETCH(bool, noPopups);

    QVERIFY(m_form->browserPanel()->noPopupsBox->isChecked());
    m_form->browserPanel()->noPopupsBox->setChecked(noPopups);
    m_forum->setPage(QStringLiteral("/links"),
                     "<html><body><a id=out href=\"/plain\" target=\"_blank\">new window</a></body></html>");
    QVERIFY(load(QStringLiteral("/links")));
    page(QStringLiteral("document.getElementById('out').click()"));
    if (noPopups) {
        QTest::qWait(800);
        QVERIFY(popupWindows().isEmpty());
    } else {
        WAIT_COMPARE(popupWindows().size(), 1, 10000);
        WAIT_COMPARE(popupWindows().first()->view()->url().toString(), m_forum->url(QStringLiteral("/plain")), 10000);
    }
    QCOMPARE(m_form->browserPanel()->view->url().toString(), m_forum->url(QStringLiteral("/links")));
}

void TestBrowserController::pasteIndexes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected"); // empty: what the message converts to

    QTest::newRow("subject") << 0 << "Subject & more";
    QTest::newRow("user name") << 1 << "bob";
    QTest::newRow("password") << 2 << "p\\w'd";
    QTest::newRow("message, converted, no line breaks added") << 3 << "";
    QTest::newRow("no such button") << 4 << "unchanged";
}

void TestBrowserController::pasteIndexes()
{
    QFETCH(int, index);
    QFETCH(QString, expected);

    m_form->editorPanel()->subjectBox->setText(QStringLiteral("Subject & more"));
    m_form->forumsPanel()->userNameBox->setText(QStringLiteral("bob"));
    m_form->forumsPanel()->passwordBox->setText(QStringLiteral("p\\w'd"));
    const QString message = QStringLiteral("See http://example.com\r\nbye");
    setEditorText(m_form->editorPanel()->messageEditor, message);
    if (expected.isEmpty())
        expected = normalisedLineBreaks(converted(message));

    m_forum->setPage(QStringLiteral("/area"), "<html><body><textarea id=t>unchanged</textarea></body></html>");
    QVERIFY(load(QStringLiteral("/area")));
    runScript(m_form->browserPanel()->view->page(),
              QStringLiteral("var t = document.getElementById('t'); t.focus(); t.select()"),
              QWebEngineScript::MainWorld);
    QSignalSpy pasted(&browser(), &BrowserController::pasteFinished);
    if (index <= 3) {
        // A click on the button takes the focus away from the page first, as the user's would.
        QTest::mouseClick(m_form->findChild<QPushButton *>(QStringLiteral("cmdPaste_%1").arg(index)), Qt::LeftButton);
        QVERIFY(m_form->findChild<QPushButton *>(QStringLiteral("cmdPaste_%1").arg(index))->hasFocus());
    } else {
        browser().pasteIntoPage(PasteTarget(index));
    }
    if (index <= 3)
        QVERIFY(pasted.wait(10000));
    else
        QTest::qWait(300);
    QCOMPARE(page(QStringLiteral("document.getElementById('t').value")).toString(), expected);
    QCOMPARE(browser().postCheck().countdown(), 0);
    QVERIFY(boxes().isEmpty());
}

void TestBrowserController::visitOutlivesMainWindow()
{
    m_form->visitButton()->click();
    QVERIFY(browser().websiteWindowVisible());
    QPointer<WebsiteWindow> website = browser().websiteWindow();
    QVERIFY(website);

    m_form->close();
    WAIT_VERIFY(m_form->context().lifetime.endPending(), 5000);
    QCOMPARE(m_ends, 0);
    website->close();
    QCOMPARE(m_ends, 1);
}

void TestBrowserController::startMainWindow()
{
    m_form.reset();
    m_run = std::make_unique<TestContext>(*m_env);
    m_form = std::make_unique<MainWindow>(m_run->context());
    connect(&m_form->context().lifetime, &ProgramLifetime::ended, this, [this] { ++m_ends; });
    // The start page is a real address, which the test engine refuses: wait for that to end.
    QSignalSpy started(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    m_form->load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(started.wait(20000));
    boxes().clear();
}

// A post from the editor to the forum, watched, checked for replies and shown again after a restart.
void TestBrowserController::watchedPostRoad()
{
    // A visitor the forum does not know yet: a new profile, without the login of the roads before.
    startMainWindow();
    m_form->pageTabs()->setCurrentIndex(1);
    auto focusAndPaste = [&](const QString &id, int button) {
        QSignalSpy pasted(&browser(), &BrowserController::pasteFinished);
        QVERIFY(focusInPage(id));
        m_form->findChild<QPushButton *>(QStringLiteral("cmdPaste_%1").arg(button))->click();
        QVERIFY(pasted.wait(10000));
    };

    // 1. Compose.
    m_form->editorPanel()->subjectBox->setText(QStringLiteral("Spring meeting"));
    setEditorText(m_form->editorPanel()->messageEditor,
                  QStringLiteral("Come along, details at http://example.com/meet\r\nBring a friend"));
    m_form->editorPanel()->formatList->setCurrentIndex(1);

    // 2. Log in by pasting.
    m_form->forumsPanel()->userNameBox->setText(QStringLiteral("alice"));
    m_form->forumsPanel()->passwordBox->setText(QStringLiteral("secret"));
    QVERIFY(load(QStringLiteral("/newthread")));
    focusAndPaste(QStringLiteral("user"), 1);
    focusAndPaste(QStringLiteral("password"), 2);
    QVERIFY(submitLogin());
    QCOMPARE(m_forum->loggedInUser(), QStringLiteral("alice"));

    // 3. Auto-Insert, subject pasted.
    QVERIFY(autoInsert());
    focusAndPaste(QStringLiteral("subject"), 0);

    // 4 and 5. Submitted: the thread page is recognised, watched by itself and measured.
    QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    page(QStringLiteral("document.getElementById('post').click()"));
    QVERIFY(recorded.wait(20000));
    const QString thread = m_forum->url(QStringLiteral("/thread?id=1"));
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{thread});
    QCOMPARE(recorded.first().value(0).toString(), thread);
    const qint64 baseline = recorded.first().value(1).toLongLong();
    QVERIFY2(baseline > m_forum->posts().first().message.size(), qPrintable(QString::number(baseline)));
    // Already on disk: a crash from here on loses nothing.
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), thread.toUtf8() + "\r\n\r\n");
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray::number(baseline) + "\r\n\r\n");

    // 6. Someone replies; the check lists the thread.
    m_forum->addReply(1, QStringLiteral("Count me in! ") + QString(600, QLatin1Char('!')));
    m_form->watch().selectPostsTab(PostsView::NewReplies);
    QSignalSpy finished(&m_form->watch().replyCheck(), &ReplyCheckRun::finished);
    m_form->postsPanel()->checkRepliesButton->click();
    QVERIFY(finished.wait(20000));
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("finished - 1 new replies found"));
    QCOMPARE(itemTexts(m_form->postsPanel()->newRepliesList), QStringList{thread});

    // 7. Closing writes both files; the next start shows the thread again.
    m_form->close();
    QCOMPARE(m_ends, 1);
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), thread.toUtf8() + "\r\n\r\n");
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray::number(baseline) + "\r\n\r\n");
    QVERIFY(boxes().isEmpty());
    m_form.reset();
    startMainWindow();
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{thread});
    QCOMPARE(m_form->watchedPosts.at(0).size, QString::number(baseline));

    // 8. Opened from the list, the thread is shown in the browser and measured again; the post
    // check is not armed for it.
    m_form->pageTabs()->setCurrentIndex(1);
    QListView *posts = m_form->postsPanel()->postList;
    QSignalSpy loaded(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    QSignalSpy remeasured(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    chooseRow(posts, 0);
    QTest::keyClick(posts, Qt::Key_Return);
    QVERIFY(!browser().postCheck().isArmed());
    WAIT_VERIFY(!loaded.isEmpty() && !remeasured.isEmpty(), 20000);
    QCOMPARE(remeasured.first().value(0).toString(), thread);
    QCOMPARE(m_form->browserPanel()->view->url().toString(), thread);
}

// A thread only members can see is measured as the members see it, with the login the user made
// in the embedded browser, and still after a restart.
void TestBrowserController::membersOnlyThreadKeepsItsLogin()
{
    // The login has to outlive a restart, so this road runs on a stored profile (in the test's
    // own places). Whatever happens, cleanup() gets a window to close.
    std::unique_ptr<TestContext> run;
    std::unique_ptr<MainWindow> window;
    const auto backToThrowaway = qScopeGuard([&] {
        window.reset();
        run.reset();
        m_run = std::make_unique<TestContext>(*m_env);
        m_form = std::make_unique<MainWindow>(m_run->context());
    });
    m_form.reset();
    m_run.reset();
    const QString members = m_forum->url(QStringLiteral("/members"));
    auto startProgram = [&] {
        run = std::make_unique<TestContext>(*m_env, TestContext::Browser::Stored);
        auto started = std::make_unique<MainWindow>(run->context());
        started->load();
        return started;
    };
    auto loadAndWait = [&](const QString &url) {
        QSignalSpy finished(window->browserPanel()->view, &QWebEngineView::loadFinished);
        window->browserPanel()->view->load(QUrl(url));
        QVERIFY(finished.wait(20000));
    };

    window = startProgram();
    loadAndWait(m_forum->url(QStringLiteral("/login")));
    QSignalSpy loggedIn(window->browserPanel()->view, &QWebEngineView::loadFinished);
    window->browserPanel()->view->page()->runJavaScript(
        QStringLiteral("document.getElementById('user').value='alice';document.getElementById('loginform').submit();"));
    QVERIFY(loggedIn.wait(20000)); // the forum's next page, after the login
    WAIT_VERIFY(window->watch().cookieJar().count() > 0, 20000);

    loadAndWait(members);
    window->postsPanel()->watchButton->click();
    // The row comes once the page has said what its thread is called.
    WAIT_VERIFY(window->watchedPosts.count() == 1 && window->watchedPosts.at(0).size.toLongLong() > 20000, 20000);
    window->close();
    window.reset(); // the next start: a new main window and a new profile over the same folder
    run.reset();

    m_forum->addReply(0, QString(2000, QLatin1Char('r')));
    window = startProgram();
    WAIT_VERIFY(window->watch().cookieJar().count() > 0, 20000);
    window->watch().startReplyCheck();
    QAbstractItemModel *found = window->postsPanel()->newRepliesList->model();
    WAIT_COMPARE(found->rowCount(), 1, 20000);
    QCOMPARE(found->index(0, 0).data().toString(), members);
}

void TestBrowserController::fullRepliesKeepOneRow_data()
{
    QTest::addColumn<ForumShape>("shape"); // where the board sends the browser after a post
    QTest::addColumn<QString>("anchor");   // how its page anchors a post

    QTest::newRow("thread and post in the address") << ForumShape::MyBB << "pid";
    QTest::newRow("post alone, the thread in the canonical link") << ForumShape::PhpBB << "p";
}

// Two full replies through the board's own reply page and its editor, each shown at a pointer to
// the new post: one row for the thread, the user's posts no replies, the links as the board reads
// them; someone else's replies open at the first of them.
void TestBrowserController::fullRepliesKeepOneRow()
{
    QFETCH(ForumShape, shape);
    QFETCH(QString, anchor);
    ClassicForum forum;
    QVERIFY(forum.start());
    forum.setShape(shape);
    forum.setCanonicalLinks(true);
    const int topic = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPosts(topic, 2);
    QWebEngineView *view = m_form->browserPanel()->view;
    QVERIFY(loadUrl(view, QUrl(forum.loginUrl())));
    QSignalSpy loggedIn(view, &QWebEngineView::loadFinished);
    page(QStringLiteral("var f = document.querySelector('#content input[name=password]').form;"
                        "f.username.value = 'alice'; f.password.value = 'secret'; f.submit.click()"));
    QVERIFY(loggedIn.wait(20000));
    WAIT_VERIFY(m_form->watch().cookieJar().cookieHeader(QUrl(forum.url("/"))).contains("mybbuser="), 20000);

    m_form->editorPanel()->formatList->setCurrentText(QStringLiteral("ubb"));
    setEditorText(m_form->editorPanel()->messageEditor,
                  QStringLiteral("Count me in, the plan is at https://example.com/plan?day=1 or mail "
                                 "me@example.org\r\nSee you there"));
    const QString thread = forum.threadUrl(topic, 1, shape);
    for (int round = 1; round <= 2; ++round) {
        QVERIFY(loadUrl(view, QUrl(forum.newReplyUrl(topic))));
        WAIT_COMPARE(page(QStringLiteral("document.body.dataset.editorReady")).toString(), QStringLiteral("yes"),
                     20000);
        QVERIFY(autoInsert());
        QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
        page(QStringLiteral("document.querySelector('input[name=submit]').click()"));
        QVERIFY(recorded.wait(30000));
        const ClassicForumSubmission sent = forum.lastSubmission();
        QVERIFY2(sent.post > 0 && !sent.quick, qPrintable(sent.refusal));
        QCOMPARE(view->url().toString(), forum.postUrl(sent.post, shape));
        QCOMPARE(forum.linkTargets(sent.post),
                 (QStringList{"https://example.com/plan?day=1", "mailto:me@example.org"}));
        QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{thread});
        QVERIFY(m_form->watchedPosts.at(0).postNumbers.contains(sent.post));
    }
    m_form->watch().selectPostsTab(PostsView::NewReplies);
    QSignalSpy finished(&m_form->watch().replyCheck(), &ReplyCheckRun::finished);
    m_form->postsPanel()->checkRepliesButton->click();
    QVERIFY(finished.wait(20000));
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("finished - 0 new replies found"));

    // Twice: the second time the browser shows the thread already, and the new post is not on
    // the page it has.
    QListView *flagged = m_form->postsPanel()->newRepliesList;
    const QString shown = QStringLiteral("(function (id) { var e = document.getElementById(id);"
                                         " if (!e) return false; var r = e.getBoundingClientRect();"
                                         " return window.scrollY > 0 && r.top >= 0 && r.top < window.innerHeight; })");
    for (const QString &reply : {QStringLiteral("See you both there"), QStringLiteral("Me too")}) {
        const int first = forum.addPost(topic, reply);
        forum.addPost(topic, QStringLiteral("Hooray"));
        m_form->postsPanel()->checkRepliesButton->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(itemTexts(flagged), QStringList{thread});
        QCOMPARE(flagged->model()->index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("2 new posts"));
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
        chooseRow(flagged, 0);
        QTest::keyClick(flagged, Qt::Key_Return);
        QVERIFY(loaded.wait(20000));
        QCOMPARE(view->url().toString(), thread);
        const QString at = scriptStringLiteral(anchor + QString::number(first));
        WAIT_VERIFY(page(shown + QLatin1Char('(') + at + QLatin1Char(')')).toBool(), 20000);
        // Opened, it is measured again: what it shows is seen.
        QVERIFY(recorded.count() > 0 || recorded.wait(20000));
    }
    QCOMPARE(boxes(), QStringList());
}

THREADLOOM_BROWSER_TEST(TestBrowserController)
#include "tst_browsercontroller.moc"
