// What start-up settles before Qt starts: what the command line asks for, whether a display can
// be reached, and the browser sandbox for root.
#include "app/commandline.h"
#include "app/startupchecks.h"

#include <QTest>

class TestStartupChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void displayAvailable_data();
    void displayAvailable();
    void sandbox_data();
    void sandbox();
};

using Action = CommandLineRequest::Action;
Q_DECLARE_METATYPE(Action)

void TestStartupChecks::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("refused"); // the argument the refusal names

    QTest::newRow("none") << QStringList() << Action::Run << "";
    QTest::newRow("--help") << QStringList{"--help"} << Action::Help << "";
    QTest::newRow("-h") << QStringList{"-h"} << Action::Help << "";
    QTest::newRow("--version") << QStringList{"--version"} << Action::Version << "";
    QTest::newRow("Qt's options, then --help")
        << QStringList{"-platform", "offscreen", "--reverse", "--help"} << Action::Help << "";
    QTest::newRow("Qt's options with two dashes")
        << QStringList{"--style", "fusion", "--display", ":1"} << Action::Run << "";
    QTest::newRow("Qt's attached values")
        << QStringList{"-style=fusion", "--qmljsdebugger=port:1"} << Action::Run << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << Action::Refuse << "--bogus";
    QTest::newRow("unknown before --help") << QStringList{"-x", "--help"} << Action::Refuse << "-x";
    QTest::newRow("value missing") << QStringList{"-platform"} << Action::Refuse << "-platform";
    QTest::newRow("a value Qt does not take attached")
        << QStringList{"-platform=xcb"} << Action::Refuse << "-platform=xcb";
    QTest::newRow("no option") << QStringList{"forum.example.org"} << Action::Refuse << "forum.example.org";
    QTest::newRow("a browser switch alone") << QStringList{"--disable-gpu"} << Action::Refuse << "--disable-gpu";
    QTest::newRow("browser switches after --webEngineArgs")
        << QStringList{"--webEngineArgs", "--remote-debugging-port=9222", "--help", "x"} << Action::Run << "";
}

void TestStartupChecks::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, refused);
    const CommandLineRequest request = readCommandLine(QStringList{"threadloom"} + arguments);
    QCOMPARE(request.action, action);
    if (!refused.isEmpty()) {
        QVERIFY2(request.refusal.contains(QLatin1Char('"') + refused + QLatin1Char('"')), qPrintable(request.refusal));
        QVERIFY(!request.refusal.contains(QLatin1Char('\n')));
    }
}

void TestStartupChecks::displayAvailable_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("qpaPlatform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<bool>("available");

    const QStringList plain{"threadloom"};
    QTest::newRow("nothing set") << plain << ""
                                 << ""
                                 << "" << false;
    QTest::newRow("X11") << plain << ""
                         << ":0"
                         << "" << true;
    QTest::newRow("Wayland") << plain << ""
                             << ""
                             << "wayland-0" << true;
    QTest::newRow("offscreen needs none") << plain << "offscreen"
                                          << ""
                                          << "" << true;
    QTest::newRow("offscreen with options") << plain << "offscreen:size=800x600"
                                            << ""
                                            << "" << true;
    QTest::newRow("xcb named, no DISPLAY") << plain << "xcb"
                                           << ""
                                           << "wayland-0" << false;
    QTest::newRow("wayland named, no WAYLAND_DISPLAY") << plain << "wayland"
                                                       << ":0"
                                                       << "" << false;
    QTest::newRow("a list: any one serves") << plain << "wayland;xcb"
                                            << ":0"
                                            << "" << true;
    QTest::newRow("command line beats environment") << QStringList{"threadloom", "-platform", "offscreen"} << "xcb"
                                                    << ""
                                                    << "" << true;
    QTest::newRow("command line xcb, no DISPLAY") << QStringList{"threadloom", "--platform", "xcb"} << "offscreen"
                                                  << ""
                                                  << "" << false;
    QTest::newRow("-platform without a value") << QStringList{"threadloom", "-platform"} << ""
                                               << ""
                                               << "" << false;
}

void TestStartupChecks::displayAvailable()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, qpaPlatform);
    QFETCH(QString, display);
    QFETCH(QString, waylandDisplay);
    QFETCH(bool, available);
    QCOMPARE(::displayAvailable(platformArgument(arguments), qpaPlatform, display, waylandDisplay), available);
}

void TestStartupChecks::sandbox_data()
{
    QTest::addColumn<bool>("root");
    QTest::addColumn<bool>("disableSet");
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<bool>("turnOff");

    QTest::newRow("ordinary user") << false << false << QByteArray() << false;
    QTest::newRow("root") << true << false << QByteArray() << true;
    QTest::newRow("root, other flags") << true << false << QByteArray("--disable-gpu --no-sandboxes") << true;
    QTest::newRow("root, already off by variable") << true << true << QByteArray() << false;
    QTest::newRow("root, already off by flag") << true << false << QByteArray("--disable-gpu  --no-sandbox") << false;
}

void TestStartupChecks::sandbox()
{
    QFETCH(bool, root);
    QFETCH(bool, disableSet);
    QFETCH(QByteArray, flags);
    QFETCH(bool, turnOff);
    QCOMPARE(sandboxMustBeTurnedOff(root, disableSet, flags), turnOff);
}

QTEST_APPLESS_MAIN(TestStartupChecks)
#include "tst_startupchecks.moc"
