#include "app/translations.h"
#include "core/programlifetime.h"
#include "watch/replyschedule.h"

#include <QLibraryInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>

#include <QtTest>

// The small rules behind the shell: the automatic reply check's stored choice, what the desktop
// notification says, when the program ends, and which translations a locale brings.
class TestShellRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedAutoCheck_data();
    void storedAutoCheck();
    void notificationText();
    void programEnds_data();
    void programEnds();
    void translations_data();
    void translations();
};

void TestShellRules::storedAutoCheck_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("minutes");
    QTest::newRow("nothing stored") << "" << 0;
    QTest::newRow("off") << "0" << 0;
    QTest::newRow("offered") << "30" << 30;
    QTest::newRow("blanks around") << " 60 " << 60;
    QTest::newRow("not offered") << "7" << 0;
    QTest::newRow("negative") << "-15" << 0;
    QTest::newRow("text") << "often" << 0;
}

void TestShellRules::storedAutoCheck()
{
    QFETCH(QString, stored);
    QFETCH(int, minutes);
    QCOMPARE(ReplySchedule::minutesFromSetting(stored), minutes);
}

void TestShellRules::notificationText()
{
    QCOMPARE(ReplySchedule::notificationText(1), QStringLiteral("1 watched thread has new replies."));
    QCOMPARE(ReplySchedule::notificationText(3), QStringLiteral("3 watched threads have new replies."));
}

void TestShellRules::programEnds_data()
{
    QTest::addColumn<QString>("events"); // m: main window closed, M: closed with the browser open, b: browser closed
    QTest::addColumn<int>("ends");
    QTest::addColumn<bool>("pending");

    QTest::newRow("main window alone") << "m" << 1 << false;
    QTest::newRow("browser still open") << "M" << 0 << true;
    QTest::newRow("browser closed after") << "Mb" << 1 << false;
    QTest::newRow("browser closed first") << "bm" << 1 << false;
    QTest::newRow("browser closed twice") << "Mbb" << 1 << false;
}

void TestShellRules::programEnds()
{
    QFETCH(QString, events);
    ProgramLifetime lifetime;
    QSignalSpy ended(&lifetime, &ProgramLifetime::ended);
    for (const QChar event : events) {
        if (event == QLatin1Char('b'))
            lifetime.browserWindowClosed();
        else
            lifetime.mainWindowClosed(event == QLatin1Char('M'));
    }
    QTEST(int(ended.size()), "ends");
    QTEST(lifetime.endPending(), "pending");
}

void TestShellRules::translations_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("programHasGerman"); // a threadloom_de.qm among the program's translations
    QTest::addColumn<bool>("qtTranslations");   // Qt's from Debian's folder, else none
    QTest::addColumn<QString>("cancel");        // what the standard Cancel button then says

    QTest::newRow("Qt's German") << "de_DE" << false << true << "Abbrechen";
    QTest::newRow("a region falls back to its language") << "fr_CA" << false << true << "Annuler";
    QTest::newRow("English keeps the texts") << "en_US" << false << true << "Cancel";
    QTest::newRow("the program's own German") << "de_AT" << true << false << "Abbrechen";
    QTest::newRow("the program has no French") << "fr_FR" << true << false << "Cancel";
}

void TestShellRules::translations()
{
    QFETCH(QString, locale);
    QFETCH(bool, programHasGerman);
    QFETCH(bool, qtTranslations);
    const QString debianFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString qtbaseGerman = debianFolder + QStringLiteral("/qtbase_de.qm");
    QVERIFY2(QFile::exists(qtbaseGerman), "Qt's translations are missing: install qt6-translations-l10n");
    QTemporaryDir program;
    QTemporaryDir noQt;
    // Qt's German catalogue stands in for a translation of the program's own texts.
    if (programHasGerman)
        QVERIFY(QFile::copy(qtbaseGerman, program.filePath(QStringLiteral("threadloom_de.qm"))));

    const QStringList installed =
        installTranslations(QLocale(locale), program.path(), qtTranslations ? debianFolder : noQt.path());
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
    QTEST(cancel, "cancel");
    for (const QString &file : installed)
        QVERIFY2(QFileInfo(file).fileName().contains(QLocale(locale).name().left(2)), qPrintable(file));
}

QTEST_GUILESS_MAIN(TestShellRules)
#include "tst_shellrules.moc"
