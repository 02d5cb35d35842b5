#include "app/appstate.h"
#include "app/editortext.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "app/settingsstore.h"
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
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

QString lastSubject()
{
    return readSetting("data", "lastSubject", "<absent>");
}

struct Notice
{
    QString title;
    QString text;
};

} // namespace

class TestComposeController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void subjectRememberedOnEveryChange();
    void previewAndCopy_data();
    void previewAndCopy();
    void saveMessage();
    void failedSaveIsReported();
    void savedMessagesWindow();
    void templateEditorSaveAndClose();
    void templateEditorTitleBarClose();
    void newMessage();
    void unloadWindowsClosesBoth();

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;
    QList<Notice> m_notices;
    ComposeController &compose() { return m_form->compose(); }
};

void TestComposeController::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_notices.clear();
    setMessageHookForTesting([this](const QString &title, const QString &text) { m_notices.append({title, text}); });
    setEndProgramHookForTesting([] {});
    m_form = std::make_unique<Form1>();
    m_form->load();
    m_notices.clear(); // whatever start-up had to say
}

void TestComposeController::cleanup()
{
    m_form.reset();
    setEndProgramHookForTesting({});
    setMessageHookForTesting({});
    m_env.reset();
}

void TestComposeController::subjectRememberedOnEveryChange()
{
    QLineEdit *subject = m_form->txtSubject;
    subject->setFocus();
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    QCOMPARE(lastSubject(), QString());
    QTest::keyClicks(subject, "ab");
    QCOMPARE(lastSubject(), QString("ab"));
    QTest::keyClick(subject, Qt::Key_Backspace);
    QCOMPARE(lastSubject(), QString("a"));
}

void TestComposeController::previewAndCopy_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    QTest::newRow("text") << "text"
                          << "see http://h/p."
                          << "see http://h/p.\r\n\r\n";
    QTest::newRow("html takes the full stop") << "html"
                                              << "see http://h/p."
                                              << "see <a href='http://h/p.'>http://h/p.</a>\n\r\n";
    QTest::newRow("empty") << "html"
                           << ""
                           << "\r\n\r\n";
    QTest::newRow("ubb lines") << "ubb"
                               << "a\r\nj@h"
                               << "a\r\n[url=mailto:j@h]j@h[/url]\n\r\n";
}

void TestComposeController::previewAndCopy()
{
    QFETCH(QString, format);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    m_form->cmbConvert->setCurrentText(format);
    QCOMPARE(m_form->cmbConvert->currentText(), format);
    setEditorText(m_form->txtMessage, message);

    m_form->cmdPreview->click();
    QCOMPARE(m_notices.size(), 1);
    QCOMPARE(m_notices[0].title, QString("message preview"));
    QCOMPARE(m_notices[0].text, expected);

    m_form->cmdCopy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(editorText(m_form->txtMessage), message);
}

void TestComposeController::saveMessage()
{
    QVERIFY(writeFileBytes(savedMessagesPath(), "\r\nold|1\r\n\r\n"));
    setEditorText(m_form->txtMessage, "a\r\nb");
    m_form->txtSubject->setText("s");
    m_form->cmdSave->click();
    QCOMPARE(readFileBytes(savedMessagesPath()), QByteArray("old|1\r\na[br]b|s\r\n"));
    QCOMPARE(m_form->panelText(1), QString("MESSAGE SAVED"));
    QCOMPARE(editorText(m_form->txtMessage), QString("a\r\nb"));
}

void TestComposeController::failedSaveIsReported()
{
    const QByteArray before = QByteArray(4096, 'x') + "|1\r\n";
    QVERIFY(writeFileBytes(savedMessagesPath(), before));
    m_form->setPanelText(1, "Complete");
    {
        const FileSizeLimit limit(100);
        compose().saveMessage();
    }
    QCOMPARE(m_notices.size(), 1);
    QVERIFY2(m_notices[0].text.contains("messages.txt"), qPrintable(m_notices[0].text));
    QCOMPARE(m_form->panelText(1), QString("Complete"));
    QCOMPARE(readFileBytes(savedMessagesPath()), before);
}

void TestComposeController::savedMessagesWindow()
{
    QVERIFY(QFile::remove(savedMessagesPath()));
    m_form->cmdLoad->click();
    QCOMPARE(m_notices.size(), 1);
    QCOMPARE(m_notices[0].text, QString("you must first save a message before you can load one"));
    QVERIFY(!compose().savedMessagesWindow());

    QVERIFY(writeFileBytes(savedMessagesPath(), "one[br]two|first\r\nno subject\r\n"));
    m_form->txtSubject->setText("kept");
    m_form->cmdLoad->click();
    QPointer<Form3> window = compose().savedMessagesWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(itemTexts(window->List1), QStringList({"one[br]two|first", "no subject"}));

    window->loadEntry(1);
    QCOMPARE(editorText(m_form->txtMessage), QString("no subject"));
    QCOMPARE(m_form->txtSubject->text(), QString("kept"));
    window->loadEntry(0);
    QCOMPARE(editorText(m_form->txtMessage), QString("one\r\ntwo"));
    QCOMPARE(m_form->txtSubject->text(), QString("first"));
    QCOMPARE(lastSubject(), QString("first"));

    // Opened again while open: brought forward, not read again.
    QVERIFY(writeFileBytes(savedMessagesPath(), "changed|x\r\n"));
    compose().openSavedMessages();
    QCOMPARE(compose().savedMessagesWindow(), window.data());
    QCOMPARE(itemTexts(window->List1).size(), 2);

    window->close();
    QTRY_VERIFY(window.isNull());
    compose().openSavedMessages();
    QVERIFY(compose().savedMessagesWindow());
    QCOMPARE(itemTexts(compose().savedMessagesWindow()->List1), QStringList{"changed|x"});
}

void TestComposeController::templateEditorSaveAndClose()
{
    m_form->cmbConvert->setCurrentText("ubb");
    m_form->findChild<QAction *>("toolsMenu_3")->trigger();
    QPointer<frmCustom> editor = compose().templateEditor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->txtName[2]->text(), QString("ezboard"));

    editor->txtName[3]->setText("mine");
    editor->txtLinkOpen01[3]->setText("{");
    editor->txtLinkOpen02[3]->setText("|");
    editor->txtLinkClose[3]->setText("}");
    editor->Command1->click();

    QVERIFY(editor && editor->isHidden());
    QCOMPARE(itemTexts(m_form->cmbConvert), QStringList({"text", "html", "ubb", "ezboard", "mine"}));
    QCOMPARE(m_form->cmbConvert->currentIndex(), 0);
    QCOMPARE(readSetting("data", "cust01Name", "<absent>"), QString("mine"));
    QCOMPARE(readSetting("data", "htmlName", "<absent>"), QString("html"));
    m_form->cmbConvert->setCurrentText("mine");
    QCOMPARE(compose().convertMessage("go http://h"), QString("go {http://h|http://h}"));

    // The hidden editor comes back as it was left.
    editor->txtName[4]->setText("unsaved");
    m_form->cmdOptions->click();
    QCOMPARE(compose().templateEditor(), editor.data());
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->txtName[4]->text(), QString("unsaved"));
}

void TestComposeController::templateEditorTitleBarClose()
{
    m_form->cmdOptions->click();
    QPointer<frmCustom> editor = compose().templateEditor();
    QVERIFY(editor);
    editor->Check1->click();
    editor->txtName[3]->setText("discarded");
    editor->close();
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(itemTexts(m_form->cmbConvert), QStringList({"text", "html", "ubb", "ezboard"}));
    QCOMPARE(readSetting("data", "cust01Name", "<absent>"), QString("<absent>"));

    m_form->cmdOptions->click();
    editor = compose().templateEditor();
    QVERIFY(editor);
    QVERIFY(editor->txtName[3]->text().isEmpty());
    QVERIFY(!editor->Check1->isChecked());
    QVERIFY(!editor->txtLinkOpen01[0]->isEnabled());
}

void TestComposeController::newMessage()
{
    setEditorText(m_form->txtMessage, "body");
    m_form->txtSubject->setText("subject");
    m_form->findChild<QAction *>("fileMenu_0")->trigger();
    QCOMPARE(editorText(m_form->txtMessage), QString());
    QCOMPARE(m_form->txtSubject->text(), QString());
    QCOMPARE(lastSubject(), QString());
}

void TestComposeController::unloadWindowsClosesBoth()
{
    compose().openSavedMessages();
    compose().openTemplateEditor();
    QPointer<Form3> saved = compose().savedMessagesWindow();
    QPointer<frmCustom> editor = compose().templateEditor();
    QVERIFY(saved && editor);
    editor->Command1->click(); // hidden windows go too
    compose().unloadWindows();
    QVERIFY(saved.isNull());
    QVERIFY(editor.isNull());
}

THREADLOOM_BROWSER_TEST_MAIN(TestComposeController)
#include "tst_composecontroller.moc"
