// The main window's start-up and shutdown: what it reads, what it restores, what it writes.
#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "browser/websitewindow.h"
#include "browsertestmain.h"
#include "compose/composecontroller.h"
#include "compose/initialmessage.h"
#include "compose/messageeditorpanel.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessagelist.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "core/settingsstore.h"
#include "filebytes.h"
#include "recordingmessageboxes.h"
#include "testcontext.h"
#include "testenvironment.h"
#include "ui/editortext.h"
#include "watch/postspanel.h"
#include "watch/watchcontroller.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QWebEngineView>

namespace {
QStringList listTexts(const QAbstractItemView *list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data().toString());
    return texts;
}

QString setting(TestEnvironment &env, const QString &key)
{
    return env.settings().read("data", key, "<absent>");
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstRunOnEmptyFolder();
    void listFilesReadRules();
    void startWarningsComeAfterTheHelpWindow();
    void shutdownWritesExactBytes();
    void exitMenuStoresLikeClosing();
    void exitEndsWithTheSecondaryBrowserOpen();
    void restoresLastSession();
    void blankStoredMessageKeepsInstructions_data();
    void blankStoredMessageKeepsInstructions();
    void badStoredFormatSelectsText_data();
    void badStoredFormatSelectsText();
    void storedEmptySubjectIsNotRewritten();
    void forumTabsSwitchPages();
    void splashShowsMainWindowOn75thTick();
    void closingWhilePageAnswerPendingIsSafe();
    void controlsAreNamedInReadingOrder_data();
    void controlsAreNamedInReadingOrder();
    void tabLeavesMultiLineBoxes_data();
    void tabLeavesMultiLineBoxes();
    void twoRunsKeepApart();

private:
    // Counts in m_ends the times form's run is ended.
    void countEnds(MainWindow &form)
    {
        connect(&form.context().lifetime, &ProgramLifetime::ended, this, [this] { ++m_ends; });
    }

    int m_ends = 0;
};

void TestMainWindow::init()
{
    m_ends = 0;
}

void TestMainWindow::firstRunOnEmptyFolder()
{
    TestEnvironment env;
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();

    for (const char *name : {"htmltemp.txt", "messages.txt", "posts.txt", "posts2.txt", "sizes.txt"})
        QCOMPARE(readFileBytes(env.filePath(name)), QByteArray("\r\n"));
    QCOMPARE(form.postsPanel()->postList->model()->rowCount(), 0);
    QCOMPARE(form.forumsPanel()->forumList->model()->rowCount(), 0);
    QCOMPARE(form.editorPanel()->subjectBox->text(), QString("Type Subject Here"));
    QCOMPARE(setting(env, "lastSubject"), QString("Type Subject Here"));
    QCOMPARE(editorText(form.editorPanel()->messageEditor), initialMessageText());
    QCOMPARE(form.editorPanel()->formatList->currentText(), QString("text"));
    QCOMPARE(form.windowTitle(), QString("Threadloom by Marrowgate"));
}

void TestMainWindow::listFilesReadRules()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts.txt"), "http://a/1\r\n\r\n \r\n  \r\nhttp://a/2\r\n"));
    QVERIFY(writeFileBytes(env.filePath("sizes.txt"), "100\r\n\r\n200\r\n\r\n300\r\n"));
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "\r\nhttp://f/1|ann|pw\r\n\r\nhttp://f/2|bob|p1|p2\r\n \r\n"));
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();

    QCOMPARE(listTexts(form.postsPanel()->postList), (QStringList{"http://a/1", "  ", "http://a/2"}));
    QCOMPARE(form.watchedPosts.count(), 3);
    QCOMPARE(listTexts(form.forumsPanel()->forumList), (QStringList{"http://f/1", "http://f/2"}));
    QCOMPARE(form.forumLogins.at(0).userName, QString("ann"));
    QCOMPARE(form.forumLogins.at(0).password, QString("pw"));
    QCOMPARE(form.forumLogins.at(1).userName, QString("bob"));
    QCOMPARE(form.forumLogins.at(1).password, QString("p1|p2"));
}

// The help window stays on top: a warning shown before it would open under it.
void TestMainWindow::startWarningsComeAfterTheHelpWindow()
{
    TestEnvironment env;
    QVERIFY(QFile::copy(THREADLOOM_SOURCE_DIR "/resources/Help.rtf", env.filePath("Help.rtf")));
    QVERIFY(writeFileBytes(env.filePath("posts.txt"), QByteArray("\x7f"
                                                                 "ELF\0\0\0",
                                                                 7)));
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    QStringList warnings;
    run.boxes().onMessage = [&](const QString &, const QString &text) {
        const HelpWindow *help = form.context().help.window();
        warnings << (help && help->isVisible() ? "after help: " : "before help: ") + text;
    };
    form.load();
    run.boxes().onMessage = {};
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().startsWith("after help: Could not read") && warnings.first().contains("posts.txt"),
             qPrintable(warnings.first()));
}

void TestMainWindow::shutdownWritesExactBytes()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts.txt"), "http://a/1\r\nhttp://a/2\r\n"));
    QVERIFY(writeFileBytes(env.filePath("sizes.txt"), "100\r\n200\r\n"));
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://f/1|ann|pw\r\n"));
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    setEditorText(form.editorPanel()->messageEditor, "line one\r\nline two");
    form.close();

    QCOMPARE(readFileBytes(env.filePath("posts.txt")), QByteArray("http://a/1\r\n\r\nhttp://a/2\r\n\r\n"));
    QCOMPARE(readFileBytes(env.filePath("sizes.txt")), QByteArray("100\r\n\r\n200\r\n\r\n"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://f/1|ann|pw\r\n\r\n"));
    QCOMPARE(setting(env, "lastMessage"), QString("line one\r\nline two"));
    QCOMPARE(setting(env, "lastConvert"), QString("0"));
    QCOMPARE(m_ends, 1);
}

void TestMainWindow::exitMenuStoresLikeClosing()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts.txt"), "http://a/1\r\n"));
    QVERIFY(writeFileBytes(env.filePath("sizes.txt"), "7\r\n"));
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    form.show();
    setEditorText(form.editorPanel()->messageEditor, "kept");
    auto *exitItem = form.findChild<QAction *>("fileMenu_3");
    QVERIFY(exitItem);
    exitItem->trigger();

    QCOMPARE(setting(env, "lastMessage"), QString("kept"));
    QCOMPARE(readFileBytes(env.filePath("posts.txt")), QByteArray("http://a/1\r\n\r\n"));
    QCOMPARE(readFileBytes(env.filePath("sizes.txt")), QByteArray("7\r\n\r\n"));
    QCOMPARE(m_ends, 1);
    QVERIFY(!form.isVisible());
}

void TestMainWindow::exitEndsWithTheSecondaryBrowserOpen()
{
    TestEnvironment env;
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    form.show();
    form.browser().openWebsiteWindow();
    QVERIFY(form.browser().websiteWindowVisible());
    form.findChild<QAction *>("fileMenu_3")->trigger();
    QCOMPARE(m_ends, 1);
    QVERIFY(!form.context().lifetime.endPending());
    QVERIFY(!form.browser().websiteWindowVisible());
}

void TestMainWindow::restoresLastSession()
{
    TestEnvironment env;
    const QSize size(820, 640);
    {
        TestContext run(env);
        MainWindow form(run.context());
        countEnds(form);
        form.load();
        form.show();
        form.resize(size);
        form.editorPanel()->subjectBox->setText("my subject");
        setEditorText(form.editorPanel()->messageEditor, "a\r\nb\r\n");
        form.browserPanel()->noPopupsBox->setChecked(false);
        form.findChild<QAction *>("autoCheckMenu_2")->trigger(); // every 30 minutes
        form.close();
    }
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    QCOMPARE(form.editorPanel()->subjectBox->text(), QString("my subject"));
    QCOMPARE(editorText(form.editorPanel()->messageEditor), QString("a\r\nb\r\n"));
    QCOMPARE(form.size(), size);
    QVERIFY(!form.browserPanel()->noPopupsBox->isChecked());
    QCOMPARE(form.watch().autoCheckMinutes(), 30);
    QVERIFY(form.findChild<QAction *>("autoCheckMenu_2")->isChecked());
}

void TestMainWindow::blankStoredMessageKeepsInstructions_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << QString("");
    QTest::newRow("one blank") << QString(" ");
}

void TestMainWindow::blankStoredMessageKeepsInstructions()
{
    QFETCH(QString, stored);
    TestEnvironment env;
    env.settings().write("data", "lastMessage", stored);
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    QCOMPARE(editorText(form.editorPanel()->messageEditor), initialMessageText());
}

void TestMainWindow::badStoredFormatSelectsText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("not a number") << QString("abc");
    QTest::newRow("past the end") << QString("99");
    QTest::newRow("negative") << QString("-1");
    QTest::newRow("empty") << QString("");
}

void TestMainWindow::badStoredFormatSelectsText()
{
    QFETCH(QString, stored);
    TestEnvironment env;
    env.settings().write("data", "lastConvert", stored);
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    QCOMPARE(form.editorPanel()->formatList->currentIndex(), 0);
    QCOMPARE(form.editorPanel()->formatList->currentText(), QString("text"));
}

void TestMainWindow::storedEmptySubjectIsNotRewritten()
{
    TestEnvironment env;
    env.settings().write("data", "lastSubject", "");
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    QCOMPARE(form.editorPanel()->subjectBox->text(), QString());
    QCOMPARE(setting(env, "lastSubject"), QString());
}

void TestMainWindow::forumTabsSwitchPages()
{
    TestEnvironment env;
    TestContext run(env);
    MainWindow form(run.context());
    countEnds(form);
    form.load();
    form.show();
    QVERIFY(form.forumsPanel()->isVisible());
    QVERIFY(!form.postsPanel()->isVisible());
    form.pageTabs()->setCurrentIndex(1);
    QVERIFY(form.postsPanel()->isVisible());
    QVERIFY(!form.forumsPanel()->isVisible());
    form.pageTabs()->setCurrentIndex(0);
    QVERIFY(form.forumsPanel()->isVisible());
    QVERIFY(!form.postsPanel()->isVisible());
}

void TestMainWindow::splashShowsMainWindowOn75thTick()
{
    TestEnvironment env;
    TestContext run(env);
    SplashWindow splash(run.context().skin);
    MainWindow *main = nullptr;
    connect(&splash, &SplashWindow::timeUp, &splash, [&] { main = startMainWindow(run.context()); });
    splash.show();
    QSignalSpy shown(&splash, &SplashWindow::timeUp);
    QVERIFY(shown.wait(10000));
    QVERIFY(!splash.isVisible());
    QVERIFY(main && main->isVisible());
    QCOMPARE(main->windowTitle(), QString("Threadloom by Marrowgate"));
    main->close();
    delete main;
}

void TestMainWindow::closingWhilePageAnswerPendingIsSafe()
{
    TestEnvironment env;
    TestContext run(env);
    auto *form = new MainWindow(run.context());
    form->load();
    form->browser().armPostCheck();
    QSignalSpy loaded(form->browserPanel()->view, &QWebEngineView::loadFinished);
    form->browserPanel()->view->setHtml("<p>a page</p>");
    QVERIFY(loaded.wait(20000));
    // The post check has just asked the page for its text; the window goes before the answer.
    delete form;
    QTest::qWait(200);
}

namespace {
// Every control Tab reaches in the window, in the order it reaches them, each as "object name=the
// name a screen reader announces". Controls that are disabled for now count too.
void tabStops(QWidget *window, QStringList &stops)
{
    QWidget *widget = window;
    while ((widget = widget->nextInFocusChain()) != window) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window) || widget->window() != window)
            continue;
        // The page view takes focus through a child of the engine's own.
        QWidget *control = widget;
        while (control->objectName().isEmpty() && control->parentWidget() != window)
            control = control->parentWidget();
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(accessible, qPrintable(control->objectName()));
        QString stop = control->objectName() + '=' + accessible->text(QAccessible::Name);
        // A drop-down list's name is its choice; its label comes as a relation.
        const auto labels = accessible->relations(QAccessible::Label);
        if (!labels.isEmpty() && labels.first().first->role() == QAccessible::StaticText &&
            labels.first().first->text(QAccessible::Name) != accessible->text(QAccessible::Name))
            stop += " labelled " + labels.first().first->text(QAccessible::Name);
        stops << stop;
    }
}
} // namespace

// One row per window (and per page of the main window).
void TestMainWindow::controlsAreNamedInReadingOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("stops");
    const QStringList editor{
        "txtSubject=Subject:",    "cmdPaste_0=Paste Subject", "txtMessage=Message:", "cmbConvert=text labelled as",
        "cmdMessage=Auto-Insert", "cmdPaste_3=Paste Message", "cmdOptions=Options",  "cmdSave=Save",
        "cmdLoad=Load",           "cmdPreview=Preview",       "cmdCopy=Copy"};
    const QStringList browser{"Command1=Visit threadloom.example.org",
                              "Text5=URL:",
                              "Command3=browse the entered url",
                              "Command4=back",
                              "Command5=forward",
                              "Command6=stop",
                              "Command7_1=refresh",
                              "Check1=No Popups",
                              "WebBrowser1=Web page"};
    QTest::newRow("main window, forums page")
        << "Form1"
        << editor + QStringList{"TabStrip2=Your Forums",     "cmdAdd2=Add Current URL",   "cmdDel2=Remove URL",
                                "txtUsername=Username:",     "cmdPaste_1=Paste Username", "txtPassword=Password:",
                                "cmdPaste_2=Paste Password", "lstPosts2=Your Forums"} +
               browser;
    QTest::newRow("main window, posts page")
        << "Form1 posts"
        << editor +
               QStringList{"TabStrip2=Your Posts", "cmdAdd=Watch This Post", "cmdDel=Remove Watch",
                           "TabStrip1=Show All", "lstPosts=Your Posts"} +
               browser;
    QTest::newRow("saved messages") << "Form3"
                                    << QStringList{"List1=Saved messages", "Text1=Message",
                                                   "txtSubject=Subject:", "Command1=delete message"};
    QStringList templateRows;
    for (int row = 0; row < 8; ++row) {
        const QString n = QString::number(row);
        const QString shown = QString::number(row + 1);
        templateRows << "txtName_" + n + "=Name " + shown << "txtLinkOpen01_" + n + "=Link Open " + shown
                     << "txtLinkOpen02_" + n + "=Link Middle " + shown << "txtLinkClose_" + n + "=Link End " + shown
                     << "txtMailCall_" + n + "=Email " + shown << "txtMailOpen_" + n + "=Email Open " + shown
                     << "txtMailClose_" + n + "=Email End " + shown << "cmdDel_" + n + "=Clear template " + shown;
    }
    QTest::newRow("template editor") << "frmCustom"
                                     << templateRows + QStringList{"Command1=Save and Close",
                                                                   "Check1=Enable changing of default templates"};
    QTest::newRow("help") << "Form8" << QStringList{"rtf1=Help", "Check1=Show at Startup"};
    QTest::newRow("about") << "frmAbout" << QStringList{"lblWebsite=threadloom.example.org"};
    QTest::newRow("website") << "frmWebsite" << QStringList{"Text1=URL:",    "Command3=browse the entered url",
                                                            "Command4=back", "Command5=forward",
                                                            "Command6=stop", "Command7=refresh"};
}

namespace {
// The window a row names ("Form1 posts": the main window on its "Your Posts" page).
std::unique_ptr<QWidget> openWindow(const QString &window, AppContext &context, TemplateSet &templates)
{
    std::unique_ptr<QWidget> shown;
    if (window.startsWith("Form1")) {
        auto form = std::make_unique<MainWindow>(context);
        form->load();
        if (window.endsWith("posts"))
            form->pageTabs()->setCurrentIndex(1);
        shown = std::move(form);
    } else if (window == "Form3") {
        static SavedMessageList messages(context.dataFolder.filePath(savedMessagesFileName));
        shown = std::make_unique<SavedMessagesWindow>(messages, *context.messageBoxes);
    } else if (window == "frmCustom") {
        shown = std::make_unique<TemplateEditor>(templates);
    } else if (window == "Form8") {
        shown = std::make_unique<HelpWindow>(context.settings, context.skin, context.dataFolder);
    } else if (window == "frmAbout") {
        shown = std::make_unique<AboutWindow>(context.skin);
    } else if (window == "frmWebsite") {
        shown = std::make_unique<WebsiteWindow>(context.browser.profile(), context.skin, QStringLiteral("127.0.0.1"));
    }
    if (shown)
        shown->setAttribute(Qt::WA_DeleteOnClose, false);
    return shown;
}
} // namespace

void TestMainWindow::controlsAreNamedInReadingOrder()
{
    QFETCH(QString, window);
    TestEnvironment env;
    TestContext run(env);
    TemplateSet templates;
    const std::unique_ptr<QWidget> shown = openWindow(window, run.context(), templates);
    QVERIFY(shown);
    QStringList stops;
    tabStops(shown.get(), stops);
    QTEST(stops, "stops");
}

void TestMainWindow::tabLeavesMultiLineBoxes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("next");
    QTest::newRow("message") << "Form1"
                             << "txtMessage"
                             << "cmbConvert";
    QTest::newRow("saved message") << "Form3"
                                   << "Text1"
                                   << "txtSubject";
}

void TestMainWindow::tabLeavesMultiLineBoxes()
{
    QFETCH(QString, window);
    QFETCH(QString, box);
    TestEnvironment env;
    TestContext run(env);
    TemplateSet templates;
    const std::unique_ptr<QWidget> shown = openWindow(window, run.context(), templates);
    shown->show();
    QVERIFY(QTest::qWaitForWindowActive(shown.get()));
    auto *text = shown->findChild<QPlainTextEdit *>(box);
    text->setFocus();
    const QString before = text->toPlainText();
    QTest::keyClick(text, Qt::Key_Tab);
    QTEST(QApplication::focusWidget()->objectName(), "next");
    QCOMPARE(text->toPlainText(), before);
}

// Two runs side by side on two places share nothing: what one keeps, the other never sees.
void TestMainWindow::twoRunsKeepApart()
{
    TestEnvironment placesA;
    TestEnvironment placesB;
    TestContext runA(placesA);
    TestContext runB(placesB);
    MainWindow a(runA.context());
    MainWindow b(runB.context());
    a.load();
    b.load();
    a.editorPanel()->subjectBox->setText("only in A");
    setEditorText(a.editorPanel()->messageEditor, "hello");
    a.compose().saveMessage();
    a.watchedPosts.watch("http://a.example/thread");
    a.close();

    QCOMPARE(setting(placesA, "lastSubject"), QString("only in A"));
    QCOMPARE(readFileBytes(placesA.filePath("messages.txt")), QByteArray("hello|only in A\r\n"));
    QCOMPARE(setting(placesB, "lastSubject"), QString("Type Subject Here"));
    QCOMPARE(setting(placesB, "lastMessage"), QString("<absent>"));
    for (const char *name : {"messages.txt", "posts.txt", "sizes.txt"})
        QCOMPARE(readFileBytes(placesB.filePath(name)), QByteArray("\r\n"));
    QCOMPARE(b.editorPanel()->subjectBox->text(), QString("Type Subject Here"));
    QCOMPARE(runA.boxes().messages + runB.boxes().messages, QStringList());
}

THREADLOOM_BROWSER_TEST(TestMainWindow)
#include "tst_mainwindow.moc"
