// The editor actions, the saved-messages window and the template editor, on the compose controller
// with its panel.
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "compose/templateset.h"
#include "compose/templatesettings.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "recordingmessageboxes.h"
#include "testenvironment.h"
#include "ui/editortext.h"
#include "ui/modalmessageboxes.h"
#include "widgettexts.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestComposeWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void subjectRememberedOnEveryChange();
    void previewAndCopy_data();
    void previewAndCopy();
    void modernLinksItem();
    void saveReportsFailure();
    void savedMessagesWindow();
    void savedMessageEntries_data();
    void savedMessageEntries();
    void keysChooseSavedMessage_data();
    void keysChooseSavedMessage();
    void enterAndDoubleClickLoadOnce();
    void questionWaitsForTheAnswer();
    void templateEditorSaveAndClose();
    void templateEditorLockAndDiscard();

private:
    QString lastSubject() const { return setting("data", "lastSubject"); }
    QString setting(const char *section, const char *key, const char *absent = "<absent>") const
    {
        return m_env->settings().read(section, key, absent);
    }
    QString messagesFile() const { return m_env->filePath(savedMessagesFileName); }
    ComposeController &compose() const { return *m_compose; }
    // What the main window does at start-up for this area: the templates, the formats, the last run.
    void startCompose();
    QString panelText(StatusPanel panel) const { return m_status.value(panel); }
    void setPanelText(StatusPanel panel, const QString &text) { m_status[panel] = text; }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<QWidget> m_window;
    MessageEditorPanel *m_panel = nullptr;
    TemplateSet m_templates;
    ComposeController *m_compose = nullptr;
    QMap<StatusPanel, QString> m_status;
    RecordingMessageBoxes m_boxes; // "title|text"
};

void TestComposeWindows::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_boxes.questions.clear();
    m_boxes.answerYes = true;
    startCompose();
    m_boxes.messages.clear(); // whatever start-up had to say
}

void TestComposeWindows::startCompose()
{
    m_window = std::make_unique<QWidget>();
    m_panel = new MessageEditorPanel(m_window.get());
    QVERIFY(ensureDataFiles(m_env->folder()).isEmpty());
    m_templates = loadTemplates(m_env->settings());
    m_compose =
        new ComposeController(*m_panel, m_templates, m_env->settings(), m_boxes, m_env->folder(), m_window.get());
    connect(m_compose, &ComposeController::statusText, this,
            [this](StatusPanel panel, const QString &text) { setPanelText(panel, text); });
    m_compose->showFormats();
    m_compose->restoreState();
}

void TestComposeWindows::cleanup()
{
    m_window.reset();
    m_status.clear();
    m_boxes.clear();
    m_env.reset();
}

void TestComposeWindows::subjectRememberedOnEveryChange()
{
    QLineEdit *subject = m_panel->subjectBox;
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    QCOMPARE(lastSubject(), QString());
    QTest::keyClicks(subject, "ab");
    QCOMPARE(lastSubject(), QString("ab"));
    compose().newMessageAction()->trigger(); // File > New Message
    QCOMPARE(lastSubject(), QString());
    QCOMPARE(editorText(m_panel->messageEditor), QString());
}

void TestComposeWindows::previewAndCopy_data()
{
    QTest::addColumn<bool>("modern"); // Tools > Modern Links
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("text") << true << "text" << "see http://h/p." << "see http://h/p.\r\n\r\n";
    QTest::newRow("classic: final address takes the full stop") << false << "html" << "see http://h/p." << "see <a href='http://h/p.'>http://h/p.</a>\n\r\n";
    QTest::newRow("modern: full stop stays out") << true << "html" << "see http://h/p." << "see <a href='http://h/p'>http://h/p</a>.\r\n\r\n";
    QTest::newRow("empty") << true << "html" << "" << "\r\n\r\n";
    QTest::newRow("classic: ubb lines") << false << "ubb" << "a\r\nj@h" << "a\r\n[url=mailto:j@h]j@h[/url]\n\r\n";
    QTest::newRow("modern: ubb e-mail code") << true << "ubb" << "a\r\nj@h.org" << "a\r\n[email]j@h.org[/email]\r\n\r\n";
    // clang-format on
}

void TestComposeWindows::previewAndCopy()
{
    QFETCH(bool, modern);
    QFETCH(QString, format);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    compose().modernLinksAction()->setChecked(modern);
    m_panel->formatList->setCurrentText(format);
    setEditorText(m_panel->messageEditor, message);
    m_panel->previewButton->click();
    QCOMPARE(m_boxes.messages, QStringList{"message preview|" + expected});
    m_panel->copyButton->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(editorText(m_panel->messageEditor), message);
}

void TestComposeWindows::modernLinksItem()
{
    const QString message = "see https://h.org/p?q=1 and www.h.org.";
    const QString hint = "2 addresses left as plain text: see Tools > Modern Links";
    const QString modernPreview = "message preview|see <a href='https://h.org/p?q=1'>https://h.org/p?q=1</a> and "
                                  "<a href='http://www.h.org'>www.h.org</a>.\r\n\r\n";
    m_panel->formatList->setCurrentText("html");
    setEditorText(m_panel->messageEditor, message);
    setPanelText(StatusPanel::State, "Complete");
    auto *item = m_window->findChild<QAction *>("modernLinksItem");

    // A new user has the modern rules, and no choice is stored until one is made.
    QVERIFY(item && item->isCheckable() && item->isChecked());
    m_panel->previewButton->click();
    QCOMPARE(m_boxes.messages, QStringList{modernPreview});
    QCOMPARE(panelText(StatusPanel::State), QString("Complete"));
    QCOMPARE(setting("Settings", "modernLinks"), QString("<absent>"));

    item->trigger();
    QCOMPARE(setting("Settings", "modernLinks"), QString("0"));
    m_boxes.messages.clear();
    m_panel->previewButton->click();
    QCOMPARE(m_boxes.messages, QStringList{"message preview|" + message + "\r\n\r\n"});
    QCOMPARE(panelText(StatusPanel::State), hint);
    setPanelText(StatusPanel::State, "Complete");
    m_panel->copyButton->click();
    QCOMPARE(panelText(StatusPanel::State), hint);

    // The stored choice outlives the run, either way.
    for (const bool modern : {false, true}) {
        m_window.reset();
        startCompose();
        item = m_window->findChild<QAction *>("modernLinksItem");
        QCOMPARE(item->isChecked(), modern);
        QCOMPARE(compose().linkRules(), modern ? LinkRules::Modern : LinkRules::Classic);
        item->trigger();
    }
}

void TestComposeWindows::saveReportsFailure()
{
    setEditorText(m_panel->messageEditor, "a\r\nb");
    m_panel->subjectBox->setText("s");
    m_panel->saveButton->click();
    QCOMPARE(readFileBytes(messagesFile()), QByteArray("a[br]b|s\r\n"));
    QCOMPARE(panelText(StatusPanel::State), QString("MESSAGE SAVED"));

    setPanelText(StatusPanel::State, "Complete");
    {
        const FileSizeLimit limit(8);
        m_panel->saveButton->click();
    }
    QCOMPARE(m_boxes.messages.size(), 1);
    QVERIFY2(m_boxes.messages[0].contains("messages.txt"), qPrintable(m_boxes.messages[0]));
    QCOMPARE(panelText(StatusPanel::State), QString("Complete"));
    QCOMPARE(readFileBytes(messagesFile()), QByteArray("a[br]b|s\r\n"));
}

void TestComposeWindows::savedMessagesWindow()
{
    QVERIFY(QFile::remove(messagesFile()));
    m_panel->loadButton->click();
    QCOMPARE(m_boxes.messages, QStringList{"Threadloom|you must first save a message before you can load one"});
    QVERIFY(!compose().savedMessagesWindow());

    QVERIFY(writeFileBytes(messagesFile(), "a|1\r\nb|2\r\na|1\r\n"));
    m_panel->loadButton->click();
    QPointer<SavedMessagesWindow> window = compose().savedMessagesWindow();
    QVERIFY(window && window->isVisible());

    window->deleteButton->click(); // nothing selected: nothing goes
    QCOMPARE(itemTexts(window->messageList), QStringList({"a|1", "b|2", "a|1"}));
    QVERIFY(m_boxes.questions.isEmpty());
    chooseRow(window->messageList, 2);
    window->deleteButton->click();
    QCOMPARE(m_boxes.questions, QStringList{"Threadloom|Delete this saved message?\n\na|1"});
    QCOMPARE(readFileBytes(messagesFile()), QByteArray("b|2\r\n\r\n"));
    QCOMPARE(itemTexts(window->messageList), QStringList({"b|2", ""}));

    // Opened again while open: brought forward, not read again; after closing, read afresh.
    QVERIFY(writeFileBytes(messagesFile(), "c|3\r\n"));
    compose().loadAction()->trigger(); // View > saved messages
    QCOMPARE(compose().savedMessagesWindow(), window.data());
    QCOMPARE(itemTexts(window->messageList).size(), 2);
    window->close();
    QTRY_VERIFY(window.isNull());
    compose().openSavedMessages();
    QCOMPARE(itemTexts(compose().savedMessagesWindow()->messageList), QStringList{"c|3"});
    QVERIFY(m_boxes.messages.size() == 1);

    // A message saved while the window is open is listed at once.
    setEditorText(m_panel->messageEditor, "d");
    m_panel->subjectBox->setText("4");
    m_panel->saveButton->click();
    QCOMPARE(itemTexts(compose().savedMessagesWindow()->messageList), QStringList({"c|3", "d|4"}));
}

void TestComposeWindows::savedMessageEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("viewed"); // Text1 and the window's subject after a click
    QTest::addColumn<QString>("loaded"); // the main window's message and subject after a double-click
    QTest::addColumn<QString>("notice");

    // clang-format off
    QTest::newRow("lines and subject") << "a[br]b[BR]c|s" << "a\nb\nc/s" << "a\nb\nc/s" << "";
    QTest::newRow("no bar keeps subject") << "hand made" << "hand made/old" << "hand made/main" << "";
    QTest::newRow("subject follows the last bar") << "x|y|z" << "x|y/z" << "x|y/z" << "";
    QTest::newRow("empty entry") << "" << "before/old" << "body/main" << "Threadloom|cannot insert a blank message";
    QTest::newRow("empty message") << "|s" << "/s" << "body/main" << "Threadloom|cannot insert a blank message";
    // clang-format on
}

void TestComposeWindows::savedMessageEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, viewed);
    QFETCH(QString, loaded);
    QFETCH(QString, notice);
    QVERIFY(writeFileBytes(messagesFile(), "first|1\r\n" + entry.toUtf8() + "\r\n"));
    setEditorText(m_panel->messageEditor, "body");
    m_panel->subjectBox->setText("main");
    compose().openSavedMessages();
    SavedMessagesWindow *window = compose().savedMessagesWindow();
    QVERIFY(window);
    window->messageView->setPlainText("before");
    window->subjectBox->setText("old");

    window->viewEntry(1);
    QCOMPARE(window->messageView->toPlainText() + "/" + window->subjectBox->text(), viewed);
    window->loadEntry(1);
    QCOMPARE(m_panel->messageEditor->toPlainText() + "/" + m_panel->subjectBox->text(), loaded);
    QCOMPARE(lastSubject(), m_panel->subjectBox->text());
    QCOMPARE(m_boxes.messages, notice.isEmpty() ? QStringList() : QStringList{notice});
}

void TestComposeWindows::keysChooseSavedMessage_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("shown"); // Text1 and the window's subject
    QTest::addColumn<QByteArray>("file");

    const QByteArray all = "a|1\r\nb|2\r\nc|3\r\n";
    // clang-format off
    QTest::newRow("up, deleted") << QList<int>{Qt::Key_Up} << true << "a/1" << QByteArray("b|2\r\nc|3\r\n\r\n");
    QTest::newRow("up, kept") << QList<int>{Qt::Key_Up} << false << "a/1" << all;
    QTest::newRow("end, home") << QList<int>{Qt::Key_End, Qt::Key_Home} << true << "a/1" << QByteArray("b|2\r\nc|3\r\n\r\n");
    QTest::newRow("type-ahead") << QList<int>{Qt::Key_C} << true << "c/3" << QByteArray("a|1\r\nb|2\r\n\r\n");
    // clang-format on
}

// Click the second message, move with the keys: the message shown is the one deleted.
void TestComposeWindows::keysChooseSavedMessage()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, answer);
    QFETCH(QString, shown);
    QFETCH(QByteArray, file);
    QVERIFY(writeFileBytes(messagesFile(), "a|1\r\nb|2\r\nc|3\r\n"));
    compose().openSavedMessages();
    SavedMessagesWindow *window = compose().savedMessagesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QListView *list = window->messageList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(rowIndex(list, 1)).center());
    QCOMPARE(window->messageView->toPlainText() + "/" + window->subjectBox->text(), QString("b/2"));
    for (int key : keys)
        QTest::keyClick(list, Qt::Key(key));
    QCOMPARE(window->messageView->toPlainText() + "/" + window->subjectBox->text(), shown);

    m_boxes.answerYes = answer;
    window->deleteButton->click();
    QCOMPARE(m_boxes.questions, QStringList{"Threadloom|Delete this saved message?\n\n" + shown.replace('/', '|')});
    QCOMPARE(readFileBytes(messagesFile()), file);
}

void TestComposeWindows::enterAndDoubleClickLoadOnce()
{
    QVERIFY(writeFileBytes(messagesFile(), "a|1\r\nb|2\r\n"));
    compose().openSavedMessages();
    SavedMessagesWindow *window = compose().savedMessagesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QListView *list = window->messageList;
    QSignalSpy chosen(window, &SavedMessagesWindow::messageChosen);
    QTest::keyClick(list, Qt::Key_Return); // nothing chosen yet
    QCOMPARE(chosen.count(), 0);
    const QPoint first = list->visualRect(rowIndex(list, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first); // a double-click starts as a click
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(chosen.count(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(editorText(m_panel->messageEditor) + "/" + m_panel->subjectBox->text(), QString("b/2"));
    QVERIFY(window->isVisible());
}

// The real box, answered No (the default), Yes, and Yes once its receiver has gone: only the
// second answer runs the action.
void TestComposeWindows::questionWaitsForTheAnswer()
{
    ModalMessageBoxes boxes;
    QWidget parent;
    auto receiver = std::make_unique<QObject>();
    int yes = 0;
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes}) {
        boxes.askYesNo(&parent, "T", "Sure?\n\n<b>x</b>", receiver.get(), [&] { ++yes; });
        QPointer<QMessageBox> box = parent.findChild<QMessageBox *>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        if (yes == 1)
            receiver.reset();
        box->button(answer)->click();
        QTRY_VERIFY(box.isNull());
    }
    QCOMPARE(yes, 1);
}

void TestComposeWindows::templateEditorSaveAndClose()
{
    m_panel->formatList->setCurrentText("ubb");
    compose().templatesAction()->trigger(); // Tools > templates
    QPointer<TemplateEditor> editor = compose().templateEditor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->size(), QSize(661, 346));
    QCOMPARE(editor->findChild<QWidget *>("txtLinkOpen02_3")->geometry(), QRect(192, 176, 81, 19));
    QCOMPARE(editor->findChild<QWidget *>("txtMailClose_3")->geometry(), QRect(544, 176, 81, 19));
    QCOMPARE(editor->findChild<QWidget *>("cmdDel_7")->geometry(), QRect(632, 272, 25, 19));
    QCOMPARE(editor->mailOpenBoxes[1]->text() + editor->mailCloseBoxes[1]->text(), QString("[email][/email]"));

    editor->lockBox->click();
    editor->mailCloseBoxes[0]->setText("typed");
    editor->clearButtons[0]->click();
    QVERIFY(editor->nameBoxes[0]->text().isEmpty() && editor->mailCallBoxes[0]->text().isEmpty() &&
            editor->mailCloseBoxes[0]->text().isEmpty());
    QCOMPARE(m_templates.entries[0].name, QString("html")); // nothing stored before saving
    editor->nameBoxes[3]->setText(" mine ");
    editor->linkOpenBoxes[3]->setText("{");
    editor->linkCloseBoxes[3]->setText("}");
    editor->mailOpenBoxes[3]->setText("(");
    editor->mailCloseBoxes[3]->setText(")");
    editor->saveAndCloseButton->click();

    QVERIFY(editor && editor->isHidden());
    QCOMPARE(itemTexts(m_panel->formatList), QStringList({"text", "ubb", "ezboard", " mine "}));
    QCOMPARE(m_panel->formatList->currentIndex(), 0);
    QCOMPARE(setting("data", "htmlName", "?"), QString());
    QCOMPARE(setting("data", "cust01Name", "?"), QString(" mine "));
    QCOMPARE(setting("data", "cust01MailClose01", "?"), QString(")"));
    m_panel->formatList->setCurrentIndex(3);
    compose().modernLinksAction()->setChecked(true); // the rules that use e-mail codes
    QCOMPARE(compose().convertMessage("go http://h j@h.org"), QString("go {http://hhttp://h} (j@h.org)"));

    // The hidden editor comes back as it was left.
    editor->nameBoxes[4]->setText("unsaved");
    m_panel->optionsButton->click();
    QCOMPARE(compose().templateEditor(), editor.data());
    QVERIFY(editor->isVisible() && editor->lockBox->isChecked());
    QCOMPARE(editor->nameBoxes[4]->text(), QString("unsaved"));

    compose().unloadWindows();
    QVERIFY(editor.isNull());
}

void TestComposeWindows::templateEditorLockAndDiscard()
{
    m_panel->optionsButton->click();
    QPointer<TemplateEditor> editor = compose().templateEditor();
    QVERIFY(editor);
    auto unlocked = [&](int row) {
        const QList<QWidget *> controls{editor->linkOpenBoxes[row],  editor->linkOpenEndBoxes[row],
                                        editor->linkCloseBoxes[row], editor->mailCallBoxes[row],
                                        editor->mailOpenBoxes[row],  editor->mailCloseBoxes[row],
                                        editor->clearButtons[row]};
        QString states = editor->nameBoxes[row]->isEnabled() ? "N" : "n";
        for (QWidget *control : controls)
            states += control->isEnabled() ? "1" : "0";
        return states;
    };
    QCOMPARE(unlocked(0) + unlocked(2) + unlocked(3), QString("n0000000n0000000N1111111"));
    editor->lockBox->click();
    QCOMPARE(unlocked(0) + unlocked(2) + unlocked(3), QString("n1111111n1111111N1111111"));
    editor->lockBox->click();
    QCOMPARE(unlocked(0) + unlocked(2) + unlocked(3), QString("n0000000n0000000N1111111"));

    editor->lockBox->click();
    editor->nameBoxes[3]->setText("discarded");
    editor->close(); // the title bar's close
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(m_templates.entries[3].name, QString());
    QCOMPARE(setting("data", "cust01Name", "<absent>"), QString("<absent>"));

    m_panel->optionsButton->click();
    editor = compose().templateEditor();
    QVERIFY(editor && editor->nameBoxes[3]->text().isEmpty());
    QCOMPARE(unlocked(0), QString("n0000000"));
}

QTEST_MAIN(TestComposeWindows)
#include "tst_composewindows.moc"
