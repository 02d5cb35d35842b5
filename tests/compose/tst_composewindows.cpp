#include "app/messagebox.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "filebytes.h"
#include "testenvironment.h"
#include "widgettexts.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

QList<QLineEdit *> rowBoxes(const frmCustom &editor, int row)
{
    return {editor.txtName[row], editor.txtLinkOpen01[row], editor.txtLinkOpen02[row], editor.txtLinkClose[row],
            editor.txtMailCall[row]};
}

} // namespace

class TestComposeWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editorGeometry_data();
    void editorGeometry();
    void editorLock();
    void editorDelThenSaveStoresAsTyped();
    void editorTitleBarCloseDiscards();

    void viewEntry_data();
    void viewEntry();
    void loadEntry_data();
    void loadEntry();
    void deleteEntry_data();
    void deleteEntry();

private:
    std::unique_ptr<TestEnvironment> m_env;
    QStringList m_notices;
};

void TestComposeWindows::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_notices.clear();
    setMessageHookForTesting([this](const QString &, const QString &text) { m_notices.append(text); });
}

void TestComposeWindows::cleanup()
{
    setMessageHookForTesting({});
    m_env.reset();
}

void TestComposeWindows::editorGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");

    QTest::newRow("first name box") << "txtName_0" << QRect(16, 104, 81, 19);
    QTest::newRow("last email box") << "txtMailCall_7" << QRect(368, 272, 81, 19);
    QTest::newRow("middle of row 3") << "txtLinkOpen02_3" << QRect(192, 176, 81, 19);
    QTest::newRow("last del") << "cmdDel_7" << QRect(456, 272, 25, 19);
    QTest::newRow("save and close") << "Command1" << QRect(280, 296, 169, 45);
}

void TestComposeWindows::editorGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    TemplateSet templates;
    frmCustom editor(templates);
    QCOMPARE(editor.size(), QSize(485, 346));
    auto *widget = editor.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), pixels);
}

void TestComposeWindows::editorLock()
{
    TemplateSet templates = defaultTemplates();
    frmCustom editor(templates);
    QVERIFY(!editor.Check1->isChecked());
    auto check = [&](bool defaultsUnlocked) {
        for (int row = 0; row < frmCustom::rowCount; ++row) {
            const bool open = row >= TemplateSet::defaultSlotCount || defaultsUnlocked;
            QCOMPARE(editor.txtName[row]->isEnabled(), row >= TemplateSet::defaultSlotCount);
            for (QLineEdit *box : rowBoxes(editor, row).mid(1))
                QCOMPARE(box->isEnabled(), open);
            QCOMPARE(editor.cmdDel[row]->isEnabled(), open);
        }
    };
    check(false);
    editor.Check1->click();
    check(true);
    editor.Check1->click();
    check(false);
}

void TestComposeWindows::editorDelThenSaveStoresAsTyped()
{
    TemplateSet templates = defaultTemplates();
    frmCustom editor(templates);
    QSignalSpy stored(&editor, &frmCustom::templatesStored);
    editor.show();
    QCOMPARE(editor.txtLinkClose[1]->text(), QString("[/url]"));

    editor.Check1->click();
    editor.cmdDel[0]->click();
    for (QLineEdit *box : rowBoxes(editor, 0))
        QVERIFY(box->text().isEmpty());
    QCOMPARE(templates.entries[0].name, QString("html")); // nothing stored before saving
    editor.txtName[4]->setText(" mine ");
    editor.txtLinkOpen01[4]->setText("<<");

    editor.Command1->click();
    QCOMPARE(stored.count(), 1);
    QVERIFY(editor.isHidden());
    TemplateSet expected = defaultTemplates();
    expected.entries[0] = LinkTemplate();
    expected.entries[4] = {" mine ", "<<", "", "", ""};
    QCOMPARE(templates, expected);
}

void TestComposeWindows::editorTitleBarCloseDiscards()
{
    TemplateSet templates = defaultTemplates();
    QPointer<frmCustom> editor = new frmCustom(templates);
    QSignalSpy stored(editor.data(), &frmCustom::templatesStored);
    editor->show();
    editor->txtName[3]->setText("changed");
    editor->close();
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(stored.count(), 0);
    QCOMPARE(templates, defaultTemplates());
}

void TestComposeWindows::viewEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("subject");

    QTest::newRow("lines and subject") << "a[br]b[BR]c|s"
                                       << "a\nb\nc"
                                       << "s";
    QTest::newRow("no bar keeps subject") << "hand made"
                                          << "hand made"
                                          << "old";
    QTest::newRow("bar cuts message") << "x|y|z"
                                      << "x"
                                      << "y";
    QTest::newRow("empty entry changes nothing") << ""
                                                 << "before"
                                                 << "old";
    QTest::newRow("only bar") << "|"
                              << ""
                              << "";
}

void TestComposeWindows::viewEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, shown);
    QFETCH(QString, subject);
    Form3 window;
    window.setEntries({"other|x", entry});
    window.Text1->setPlainText("before");
    window.txtSubject->setText("old");
    window.viewEntry(1);
    QCOMPARE(window.Text1->toPlainText(), shown);
    QCOMPARE(window.txtSubject->text(), subject);
}

void TestComposeWindows::loadEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("hasSubject");
    QTest::addColumn<QString>("subject");

    QTest::newRow("message and subject") << "a[br]b|s"
                                         << ""
                                         << "a\r\nb" << true << "s";
    QTest::newRow("no subject") << "a"
                                << ""
                                << "a" << false << "";
    QTest::newRow("empty entry") << ""
                                 << "cannot insert a blank message"
                                 << "" << false << "";
    QTest::newRow("empty message") << "|s"
                                   << "cannot insert a blank message"
                                   << "" << false << "";
}

void TestComposeWindows::loadEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, notice);
    QFETCH(QString, message);
    QFETCH(bool, hasSubject);
    QFETCH(QString, subject);
    Form3 window;
    window.setEntries({entry});
    QSignalSpy chosen(&window, &Form3::messageChosen);
    window.loadEntry(0);
    if (!notice.isEmpty()) {
        QCOMPARE(m_notices, QStringList{notice});
        QCOMPARE(chosen.count(), 0);
        return;
    }
    QVERIFY(m_notices.isEmpty());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), message);
    QCOMPARE(chosen.at(0).at(1).toString(), subject);
    QCOMPARE(chosen.at(0).at(2).toBool(), hasSubject);
}

void TestComposeWindows::deleteEntry_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("list");

    const QByteArray before = "a|1\r\nb|2\r\na|1\r\n";
    QTest::newRow("both copies go") << 2 << QByteArray("b|2\r\n\r\n") << QStringList{"b|2", ""};
    QTest::newRow("nothing selected") << -1 << before << QStringList{"a|1", "b|2", "a|1"};
}

void TestComposeWindows::deleteEntry()
{
    QFETCH(int, row);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, list);
    QVERIFY(writeFileBytes(savedMessagesPath(), "a|1\r\nb|2\r\na|1\r\n"));
    Form3 window;
    window.setEntries(readSavedMessages().lines);
    if (row >= 0)
        window.List1->setCurrentRow(row);
    window.Command1->click();
    QCOMPARE(readFileBytes(savedMessagesPath()), file);
    QCOMPARE(itemTexts(window.List1), list);
    QVERIFY(m_notices.isEmpty());
}

QTEST_MAIN(TestComposeWindows)
#include "tst_composewindows.moc"
