// The editor actions, the saved-messages window and the template editor, on the main window.
#include "core/appstate.h"
#include "ui/editortext.h"
#include "app/mainwindow.h"
#include "ui/messagebox.h"
#include "core/settingsstore.h"
#include "browsertestmain.h"
#include "compose/composecontroller.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "testenvironment.h"
#include "widgettexts.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
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
    void saveReportsFailure();
    void savedMessagesWindow();
    void savedMessageEntries_data();
    void savedMessageEntries();
    void templateEditorSaveAndClose();
    void templateEditorLockAndDiscard();

private:
    QString lastSubject() const { return readSetting("data", "lastSubject", "<absent>"); }
    ComposeController &compose() const { return m_form->compose(); }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;
    QStringList m_notices; // "title: text"
};

void TestComposeWindows::init()
{
    m_env = std::make_unique<TestEnvironment>();
    setMessageHookForTesting(
        [this](const QString &title, const QString &text) { m_notices.append(title + ": " + text); });
    setEndProgramHookForTesting([] {});
    m_form = std::make_unique<Form1>();
    m_form->load();
    m_notices.clear(); // whatever start-up had to say
}

void TestComposeWindows::cleanup()
{
    m_form.reset();
    setEndProgramHookForTesting({});
    setMessageHookForTesting({});
    m_env.reset();
}

void TestComposeWindows::subjectRememberedOnEveryChange()
{
    QLineEdit *subject = m_form->txtSubject;
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    QCOMPARE(lastSubject(), QString());
    QTest::keyClicks(subject, "ab");
    QCOMPARE(lastSubject(), QString("ab"));
    m_form->findChild<QAction *>("fileMenu_0")->trigger(); // New Message
    QCOMPARE(lastSubject(), QString());
    QCOMPARE(editorText(m_form->txtMessage), QString());
}

void TestComposeWindows::previewAndCopy_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("text") << "text" << "see http://h/p." << "see http://h/p.\r\n\r\n";
    QTest::newRow("final address takes the full stop") << "html" << "see http://h/p." << "see <a href='http://h/p.'>http://h/p.</a>\n\r\n";
    QTest::newRow("empty") << "html" << "" << "\r\n\r\n";
    QTest::newRow("ubb lines") << "ubb" << "a\r\nj@h" << "a\r\n[url=mailto:j@h]j@h[/url]\n\r\n";
    // clang-format on
}

void TestComposeWindows::previewAndCopy()
{
    QFETCH(QString, format);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    m_form->cmbConvert->setCurrentText(format);
    setEditorText(m_form->txtMessage, message);
    m_form->cmdPreview->click();
    QCOMPARE(m_notices, QStringList{"message preview: " + expected});
    m_form->cmdCopy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(editorText(m_form->txtMessage), message);
}

void TestComposeWindows::saveReportsFailure()
{
    setEditorText(m_form->txtMessage, "a\r\nb");
    m_form->txtSubject->setText("s");
    m_form->cmdSave->click();
    QCOMPARE(readFileBytes(savedMessagesPath()), QByteArray("a[br]b|s\r\n"));
    QCOMPARE(m_form->panelText(1), QString("MESSAGE SAVED"));

    m_form->setPanelText(1, "Complete");
    {
        const FileSizeLimit limit(8);
        m_form->cmdSave->click();
    }
    QCOMPARE(m_notices.size(), 1);
    QVERIFY2(m_notices[0].contains("messages.txt"), qPrintable(m_notices[0]));
    QCOMPARE(m_form->panelText(1), QString("Complete"));
    QCOMPARE(readFileBytes(savedMessagesPath()), QByteArray("a[br]b|s\r\n"));
}

void TestComposeWindows::savedMessagesWindow()
{
    QVERIFY(QFile::remove(savedMessagesPath()));
    m_form->cmdLoad->click();
    QCOMPARE(m_notices, QStringList{"Threadloom: you must first save a message before you can load one"});
    QVERIFY(!compose().savedMessagesWindow());

    QVERIFY(writeFileBytes(savedMessagesPath(), "a|1\r\nb|2\r\na|1\r\n"));
    m_form->cmdLoad->click();
    QPointer<Form3> window = compose().savedMessagesWindow();
    QVERIFY(window && window->isVisible());

    window->Command1->click(); // nothing selected: nothing goes
    QCOMPARE(itemTexts(window->List1), QStringList({"a|1", "b|2", "a|1"}));
    window->List1->setCurrentRow(2);
    window->Command1->click();
    QCOMPARE(readFileBytes(savedMessagesPath()), QByteArray("b|2\r\n\r\n"));
    QCOMPARE(itemTexts(window->List1), QStringList({"b|2", ""}));

    // Opened again while open: brought forward, not read again; after closing, read afresh.
    QVERIFY(writeFileBytes(savedMessagesPath(), "c|3\r\n"));
    m_form->findChild<QAction *>("viewMenu_0")->trigger();
    QCOMPARE(compose().savedMessagesWindow(), window.data());
    QCOMPARE(itemTexts(window->List1).size(), 2);
    window->close();
    QTRY_VERIFY(window.isNull());
    compose().openSavedMessages();
    QCOMPARE(itemTexts(compose().savedMessagesWindow()->List1), QStringList{"c|3"});
    QVERIFY(m_notices.size() == 1);
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
    QTest::newRow("empty entry") << "" << "before/old" << "body/main" << "Threadloom: cannot insert a blank message";
    QTest::newRow("empty message") << "|s" << "/s" << "body/main" << "Threadloom: cannot insert a blank message";
    // clang-format on
}

void TestComposeWindows::savedMessageEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, viewed);
    QFETCH(QString, loaded);
    QFETCH(QString, notice);
    QVERIFY(writeFileBytes(savedMessagesPath(), "first|1\r\n" + entry.toUtf8() + "\r\n"));
    setEditorText(m_form->txtMessage, "body");
    m_form->txtSubject->setText("main");
    compose().openSavedMessages();
    Form3 *window = compose().savedMessagesWindow();
    QVERIFY(window);
    window->Text1->setPlainText("before");
    window->txtSubject->setText("old");

    window->viewEntry(1);
    QCOMPARE(window->Text1->toPlainText() + "/" + window->txtSubject->text(), viewed);
    window->loadEntry(1);
    QCOMPARE(m_form->txtMessage->toPlainText() + "/" + m_form->txtSubject->text(), loaded);
    QCOMPARE(lastSubject(), m_form->txtSubject->text());
    QCOMPARE(m_notices, notice.isEmpty() ? QStringList() : QStringList{notice});
}

void TestComposeWindows::templateEditorSaveAndClose()
{
    m_form->cmbConvert->setCurrentText("ubb");
    m_form->findChild<QAction *>("toolsMenu_3")->trigger();
    QPointer<frmCustom> editor = compose().templateEditor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->size(), QSize(485, 346));
    QCOMPARE(editor->findChild<QWidget *>("txtLinkOpen02_3")->geometry(), QRect(192, 176, 81, 19));
    QCOMPARE(editor->findChild<QWidget *>("cmdDel_7")->geometry(), QRect(456, 272, 25, 19));

    editor->Check1->click();
    editor->cmdDel[0]->click();
    QVERIFY(editor->txtName[0]->text().isEmpty() && editor->txtMailCall[0]->text().isEmpty());
    QCOMPARE(m_form->templates.entries[0].name, QString("html")); // nothing stored before saving
    editor->txtName[3]->setText(" mine ");
    editor->txtLinkOpen01[3]->setText("{");
    editor->txtLinkClose[3]->setText("}");
    editor->Command1->click();

    QVERIFY(editor && editor->isHidden());
    QCOMPARE(itemTexts(m_form->cmbConvert), QStringList({"text", "ubb", "ezboard", " mine "}));
    QCOMPARE(m_form->cmbConvert->currentIndex(), 0);
    QCOMPARE(readSetting("data", "htmlName", "?"), QString());
    QCOMPARE(readSetting("data", "cust01Name", "?"), QString(" mine "));
    m_form->cmbConvert->setCurrentIndex(3);
    QCOMPARE(compose().convertMessage("go http://h"), QString("go {http://hhttp://h}"));

    // The hidden editor comes back as it was left.
    editor->txtName[4]->setText("unsaved");
    m_form->cmdOptions->click();
    QCOMPARE(compose().templateEditor(), editor.data());
    QVERIFY(editor->isVisible() && editor->Check1->isChecked());
    QCOMPARE(editor->txtName[4]->text(), QString("unsaved"));

    compose().unloadWindows();
    QVERIFY(editor.isNull());
}

void TestComposeWindows::templateEditorLockAndDiscard()
{
    m_form->cmdOptions->click();
    QPointer<frmCustom> editor = compose().templateEditor();
    QVERIFY(editor);
    auto unlocked = [&](int row) {
        const QList<QWidget *> controls{editor->txtLinkOpen01[row], editor->txtLinkOpen02[row],
                                        editor->txtLinkClose[row], editor->txtMailCall[row], editor->cmdDel[row]};
        QString states = editor->txtName[row]->isEnabled() ? "N" : "n";
        for (QWidget *control : controls)
            states += control->isEnabled() ? "1" : "0";
        return states;
    };
    QCOMPARE(unlocked(0) + unlocked(2) + unlocked(3), QString("n00000n00000N11111"));
    editor->Check1->click();
    QCOMPARE(unlocked(0) + unlocked(2) + unlocked(3), QString("n11111n11111N11111"));
    editor->Check1->click();
    QCOMPARE(unlocked(0) + unlocked(2) + unlocked(3), QString("n00000n00000N11111"));

    editor->Check1->click();
    editor->txtName[3]->setText("discarded");
    editor->close(); // the title bar's close
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(m_form->templates.entries[3].name, QString());
    QCOMPARE(readSetting("data", "cust01Name", "<absent>"), QString("<absent>"));

    m_form->cmdOptions->click();
    editor = compose().templateEditor();
    QVERIFY(editor && editor->txtName[3]->text().isEmpty());
    QCOMPARE(unlocked(0), QString("n00000"));
}

THREADLOOM_BROWSER_TEST_MAIN(TestComposeWindows)
#include "tst_composewindows.moc"
