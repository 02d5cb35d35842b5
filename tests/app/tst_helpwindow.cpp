#include "app/datafolder.h"
#include "app/helpwindow.h"
#include "app/settingsstore.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("showHelp");
const QString kAbsent = QStringLiteral("<absent>");

QString storedShowHelp()
{
    return hasSetting(kSection, kKey) ? readSetting(kSection, kKey, QString()) : kAbsent;
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void atStartup_data();
    void atStartup();
    void fromMenu_data();
    void fromMenu();
    void clearingTheBoxKeepsItAwayAtTheNextStart();
    void tickingTheBoxAgainStoresOne();
    void openingTwiceShowsTheSameWindow();
    void closingUnloadsTheWindow();
    void showsTheHelpTextOnTop();
    void helpFileFoundWhateverItsLetterCase();
    void damagedHelpFileStillOpens();
    void helpFileBesideTheProgram();

private:
    void putHelpFile(const QString &name = QStringLiteral("Help.rtf"));

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestHelpWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestHelpWindow::init()
{
    clearSettingsForTesting();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    setDataFolder(m_folder->path());
}

void TestHelpWindow::cleanup()
{
    unloadHelpWindow();
    QVERIFY(!helpWindow());
    m_folder.reset();
}

void TestHelpWindow::putHelpFile(const QString &name)
{
    QVERIFY(QFile::copy(QStringLiteral(THREADLOOM_SOURCE_DIR "/resources/Help.rtf"), m_folder->filePath(name)));
}

void TestHelpWindow::atStartup_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("helpPresent");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("storedAfter");

    QTest::newRow("first start: shown, nothing written") << kAbsent << true << true << kAbsent;
    QTest::newRow("stored 1") << QStringLiteral("1") << true << true << QStringLiteral("1");
    QTest::newRow("stored 0") << QStringLiteral("0") << true << false << QStringLiteral("0");
    QTest::newRow("stored empty") << QString() << true << false << QString();
    QTest::newRow("stored text") << QStringLiteral("yes") << true << false << QStringLiteral("yes");
    QTest::newRow("stored 1 with a blank") << QStringLiteral("1 ") << true << false << QStringLiteral("1 ");
    QTest::newRow("no help file") << kAbsent << false << false << kAbsent;
    QTest::newRow("no help file, stored 1") << QStringLiteral("1") << false << false << QStringLiteral("1");
}

void TestHelpWindow::atStartup()
{
    QFETCH(QString, stored);
    QFETCH(bool, helpPresent);
    QFETCH(bool, shown);
    QFETCH(QString, storedAfter);

    if (stored != kAbsent)
        writeSetting(kSection, kKey, stored);
    if (helpPresent)
        putHelpFile();

    showHelpAtStartup(nullptr);
    QCOMPARE(helpWindow() != nullptr, shown);
    if (shown) {
        QVERIFY(helpWindow()->isVisible());
        QVERIFY(helpWindow()->Check1->isChecked());
    }
    QCOMPARE(storedShowHelp(), storedAfter);
}

void TestHelpWindow::fromMenu_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("helpPresent");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("storedAfter");

    QTest::newRow("nothing stored") << kAbsent << true << true << true << kAbsent;
    QTest::newRow("stored 1") << QStringLiteral("1") << true << true << true << QStringLiteral("1");
    // The load clears the box, and that change is stored like a click.
    QTest::newRow("stored 0") << QStringLiteral("0") << true << true << false << QStringLiteral("0");
    QTest::newRow("stored 0 with blanks") << QStringLiteral(" 0 ") << true << true << false << QStringLiteral("0");
    QTest::newRow("not a number leaves it ticked")
        << QStringLiteral("maybe") << true << true << true << QStringLiteral("maybe");
    QTest::newRow("empty leaves it ticked") << QString() << true << true << true << QString();
    QTest::newRow("no help file") << QStringLiteral("1") << false << false << false << QStringLiteral("1");
}

void TestHelpWindow::fromMenu()
{
    QFETCH(QString, stored);
    QFETCH(bool, helpPresent);
    QFETCH(bool, shown);
    QFETCH(bool, ticked);
    QFETCH(QString, storedAfter);

    if (stored != kAbsent)
        writeSetting(kSection, kKey, stored);
    if (helpPresent)
        putHelpFile();
    QCOMPARE(helpAvailable(), helpPresent);

    Form8 *window = showHelpWindow(nullptr);
    QCOMPARE(window != nullptr, shown);
    QCOMPARE(helpWindow() != nullptr, shown);
    if (shown) {
        QVERIFY(window->isVisible());
        QCOMPARE(window->Check1->isChecked(), ticked);
    }
    QCOMPARE(storedShowHelp(), storedAfter);
}

void TestHelpWindow::clearingTheBoxKeepsItAwayAtTheNextStart()
{
    putHelpFile();
    showHelpAtStartup(nullptr);
    QVERIFY(helpWindow());
    QTest::mouseClick(helpWindow()->Check1, Qt::LeftButton);
    QCOMPARE(storedShowHelp(), QStringLiteral("0")); // written at once
    unloadHelpWindow();

    showHelpAtStartup(nullptr); // the next start
    QVERIFY(!helpWindow());

    Form8 *window = showHelpWindow(nullptr); // the menu still opens it, with the box clear
    QVERIFY(window);
    QVERIFY(!window->Check1->isChecked());
}

void TestHelpWindow::tickingTheBoxAgainStoresOne()
{
    putHelpFile();
    writeSetting(kSection, kKey, QStringLiteral("0"));
    Form8 *window = showHelpWindow(nullptr);
    QVERIFY(window);
    QTest::mouseClick(window->Check1, Qt::LeftButton);
    QCOMPARE(storedShowHelp(), QStringLiteral("1"));
    unloadHelpWindow();
    showHelpAtStartup(nullptr);
    QVERIFY(helpWindow());
}

void TestHelpWindow::openingTwiceShowsTheSameWindow()
{
    putHelpFile();
    Form8 *first = showHelpWindow(nullptr);
    QVERIFY(first);
    first->hide();
    first->Check1->setChecked(false);
    Form8 *second = showHelpWindow(nullptr);
    QCOMPARE(second, first);
    QVERIFY(second->isVisible());
    QVERIFY(!second->Check1->isChecked()); // not loaded again
}

void TestHelpWindow::closingUnloadsTheWindow()
{
    putHelpFile();
    QPointer<Form8> window = showHelpWindow(nullptr);
    QVERIFY(window);
    window->close();
    QTRY_VERIFY(!window);
    QVERIFY(!helpWindow());
    QVERIFY(showHelpWindow(nullptr)); // and it can be opened again
}

void TestHelpWindow::showsTheHelpTextOnTop()
{
    putHelpFile();
    Form8 *window = showHelpWindow(nullptr);
    QVERIFY(window);
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QString text = window->rtf1->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Threadloom Help")));
    QVERIFY(!text.contains(QLatin1Char('\\')));
    // The title keeps its weight when it reaches the text box.
    QTextCursor cursor(window->rtf1->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    // It opens at the top of the text.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->rtf1->verticalScrollBar()->value(), 0);
}

void TestHelpWindow::helpFileFoundWhateverItsLetterCase()
{
    putHelpFile(QStringLiteral("help.RTF"));
    Form8 *window = showHelpWindow(nullptr);
    QVERIFY(window);
    QVERIFY(window->rtf1->toPlainText().startsWith(QStringLiteral("Threadloom Help")));
}

void TestHelpWindow::damagedHelpFileStillOpens()
{
    QFile file(m_folder->filePath(QStringLiteral("Help.rtf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("{\\rtf1{\\colortbl;\\red9") + QByteArray(100000, '{') + QByteArray("\\'4"));
    file.close();
    Form8 *window = showHelpWindow(nullptr);
    QVERIFY(window);
    QVERIFY(window->isVisible());
}

void TestHelpWindow::helpFileBesideTheProgram()
{
    // The data folder may be elsewhere when the program's own folder cannot be written; the help
    // document shipped with the program is still found.
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Help.rtf");
    if (QFile::exists(beside))
        QSKIP("a help file already lies beside the test program");
    if (!QFile::copy(QStringLiteral(THREADLOOM_SOURCE_DIR "/resources/Help.rtf"), beside))
        QSKIP("the test program's folder cannot be written");
    Form8 *window = showHelpWindow(nullptr);
    QFile::remove(beside);
    QVERIFY(window);
    QVERIFY(window->rtf1->toPlainText().startsWith(QStringLiteral("Threadloom Help")));
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
