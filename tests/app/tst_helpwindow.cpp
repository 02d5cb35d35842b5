#include "app/helpwindow.h"
#include "app/helpwindowkeeper.h"
#include "core/datafolder.h"
#include "core/settingsstore.h"
#include "testenvironment.h"
#include "ui/modalmessageboxes.h"
#include "ui/skin.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("showHelp");
const QString kAbsent = QStringLiteral("<absent>");
const QString kHelpSource = QStringLiteral(THREADLOOM_SOURCE_DIR "/resources/Help.rtf");

QString storedShowHelp(const SettingsStore &settings)
{
    return settings.contains(kSection, kKey) ? settings.read(kSection, kKey, QString()) : kAbsent;
}

bool showsOurHelp(const HelpWindow *window)
{
    return window && window->helpText->toPlainText().startsWith(QStringLiteral("Threadloom Help"));
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opening_data();
    void opening();
    void clearingTheBoxKeepsItAwayAtTheNextStart();
    void openingTwiceShowsTheSameWindow();
    void closingUnloadsTheWindow();
    void showsTheHelpTextOnTop();
    void boxesOpenAboveIt();
    void helpFileFound_data();
    void helpFileFound();
    void damagedHelpFileStillOpens();

private:
    QString storedShowHelp() const { return ::storedShowHelp(m_env->settings()); }
    QString helpFile() const { return m_env->filePath(QStringLiteral("Help.rtf")); }

    std::unique_ptr<TestEnvironment> m_env;
    Skin m_skin{false};
    std::unique_ptr<HelpWindowKeeper> m_help;
};

void TestHelpWindow::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_help = std::make_unique<HelpWindowKeeper>(m_env->settings(), m_skin, m_env->folder());
}

void TestHelpWindow::cleanup()
{
    m_help->unload();
    QVERIFY(!m_help->window());
    m_help.reset();
    m_env.reset();
}

void TestHelpWindow::opening_data()
{
    QTest::addColumn<bool>("atStart"); // else from the menu
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("helpPresent");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("storedAfter");

    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    QTest::newRow("start, first run: nothing written") << true << kAbsent << true << true << true << kAbsent;
    QTest::newRow("start, stored 1") << true << one << true << true << true << one;
    QTest::newRow("start, stored 0") << true << zero << true << false << false << zero;
    QTest::newRow("start, stored empty") << true << QString() << true << false << false << QString();
    QTest::newRow("start, stored 1 with a blank")
        << true << QStringLiteral("1 ") << true << false << false << QStringLiteral("1 ");
    QTest::newRow("start, no help file") << true << one << false << false << false << one;
    QTest::newRow("menu, nothing stored") << false << kAbsent << true << true << true << kAbsent;
    // The load clears the box, and that change is stored like a click.
    QTest::newRow("menu, stored 0") << false << zero << true << true << false << zero;
    QTest::newRow("menu, stored 0 with blanks") << false << QStringLiteral(" 0 ") << true << true << false << zero;
    // Read as at start: only "1" is yes. The load clears the box and stores that.
    QTest::newRow("menu, not a number clears it") << false << QStringLiteral("maybe") << true << true << false << zero;
    QTest::newRow("menu, no help file") << false << kAbsent << false << false << false << kAbsent;
}

void TestHelpWindow::opening()
{
    QFETCH(bool, atStart);
    QFETCH(QString, stored);
    QFETCH(bool, helpPresent);
    QFETCH(bool, shown);
    QFETCH(bool, ticked);
    QFETCH(QString, storedAfter);

    if (stored != kAbsent)
        m_env->settings().write(kSection, kKey, stored);
    if (helpPresent)
        QVERIFY(QFile::copy(kHelpSource, helpFile()));
    QCOMPARE(helpAvailable(m_env->folder()), helpPresent);

    if (atStart)
        m_help->showAtStartup(nullptr);
    else
        m_help->show(nullptr);
    QCOMPARE(m_help->window() != nullptr, shown);
    if (shown) {
        QVERIFY(m_help->window()->isVisible());
        QCOMPARE(m_help->window()->showAtStartupBox->isChecked(), ticked);
    }
    QCOMPARE(storedShowHelp(), storedAfter);
}

void TestHelpWindow::clearingTheBoxKeepsItAwayAtTheNextStart()
{
    QVERIFY(QFile::copy(kHelpSource, helpFile()));
    m_help->showAtStartup(nullptr);
    QVERIFY(m_help->window());
    QTest::mouseClick(m_help->window()->showAtStartupBox, Qt::LeftButton);
    QCOMPARE(storedShowHelp(), QStringLiteral("0")); // written at once
    m_help->unload();

    m_help->showAtStartup(nullptr); // the next start
    QVERIFY(!m_help->window());

    HelpWindow *window = m_help->show(nullptr); // the menu still opens it, with the box clear
    QVERIFY(window);
    QVERIFY(!window->showAtStartupBox->isChecked());
    QTest::mouseClick(window->showAtStartupBox, Qt::LeftButton); // and ticking it again brings it back
    QCOMPARE(storedShowHelp(), QStringLiteral("1"));
}

void TestHelpWindow::openingTwiceShowsTheSameWindow()
{
    QVERIFY(QFile::copy(kHelpSource, helpFile()));
    HelpWindow *first = m_help->show(nullptr);
    QVERIFY(first);
    first->hide();
    first->showAtStartupBox->setChecked(false);
    m_env->settings().write(kSection, kKey, QStringLiteral("1"));
    QCOMPARE(m_help->show(nullptr), first);
    QVERIFY(first->isVisible());
    QVERIFY(!first->showAtStartupBox->isChecked()); // shown again, not loaded again
}

void TestHelpWindow::closingUnloadsTheWindow()
{
    QVERIFY(QFile::copy(kHelpSource, helpFile()));
    QPointer<HelpWindow> window = m_help->show(nullptr);
    QVERIFY(window);
    window->close();
    QTRY_VERIFY(!window);
    QVERIFY(!m_help->window());
    QVERIFY(m_help->show(nullptr)); // and it can be opened again
}

void TestHelpWindow::showsTheHelpTextOnTop()
{
    QVERIFY(QFile::copy(kHelpSource, helpFile()));
    HelpWindow *window = m_help->show(nullptr);
    QVERIFY(showsOurHelp(window));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window->helpText->toPlainText().contains(QLatin1Char('\\')));
    // The title keeps its weight when it reaches the text box.
    QTextCursor cursor(window->helpText->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    // It opens at the top of the text.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->helpText->verticalScrollBar()->value(), 0);
}

// A warning shown while the help window stays on top would open under it.
void TestHelpWindow::boxesOpenAboveIt()
{
    QVERIFY(QFile::copy(kHelpSource, helpFile()));
    QVERIFY(QTest::qWaitForWindowExposed(m_help->show(nullptr)));
    ModalMessageBoxes().showMessage(nullptr, QStringLiteral("Threadloom"),
                                    QStringLiteral("posts.txt could not be read"), QMessageBox::Warning);
    QMessageBox *box = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<QMessageBox *>(window); found && found->isVisible())
            box = found;
    }
    QVERIFY(box);
    QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    box->close();
}

void TestHelpWindow::helpFileFound_data()
{
    QTest::addColumn<bool>("besideProgram");
    QTest::addColumn<QString>("name");

    // The existence test ignores letter case: the file found must also be the file read.
    QTest::newRow("other letter case") << false << QStringLiteral("help.RTF");
    // With the data folder elsewhere (the program's folder cannot be written) the document
    // shipped beside the program is still found.
    QTest::newRow("beside the program") << true << QStringLiteral("Help.rtf");
}

void TestHelpWindow::helpFileFound()
{
    QFETCH(bool, besideProgram);
    QFETCH(QString, name);

    const QString folder = besideProgram ? QCoreApplication::applicationDirPath() : m_env->dataFolder();
    const QString path = folder + QLatin1Char('/') + name;
    if (QFile::exists(path))
        QSKIP("a help file already lies there");
    if (!QFile::copy(kHelpSource, path))
        QSKIP("the folder cannot be written");
    HelpWindow *window = m_help->show(nullptr);
    if (besideProgram)
        QFile::remove(path);
    QVERIFY(showsOurHelp(window));
}

void TestHelpWindow::damagedHelpFileStillOpens()
{
    QFile file(helpFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("{\\rtf1{\\colortbl;\\red9") + QByteArray(100000, '{') + QByteArray("\\'4"));
    file.close();
    HelpWindow *window = m_help->show(nullptr);
    QVERIFY(window);
    QVERIFY(window->isVisible());
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
