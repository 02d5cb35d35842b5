// Forum passwords in a real desktop keyring: keyring_road.sh runs this in a private session bus
// with a keyring of its own, first unlocked, then locked, then with no keyring at all.
#include "app/keyringoption.h"
#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumscontroller.h"
#include "browser/forumspanel.h"
#include "browser/keychainpasswordstore.h"
#include "browser/passwordkeeper.h"
#include "browsertest.h"
#include "browsertestmain.h"
#include "core/settingsstore.h"
#include "eventwait.h"
#include "fakeforum.h"
#include "filebytes.h"
#include "recordingmessageboxes.h"
#include "testcontext.h"
#include "testenvironment.h"
#include "widgettexts.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

namespace {
bool keyringIs(const char *state)
{
    return qgetenv("THREADLOOM_PRIVATE_KEYRING") == state;
}

// What the desktop keyring holds for a key ("<none>" when nothing, "<failed>" when it refused).
QString keyringEntry(const QString &key)
{
    KeychainPasswordStore keyring;
    QString entry;
    bool answered = false;
    keyring.read(key, [&](const PasswordStore::Answer &answer) {
        entry = answer.outcome == PasswordStore::Outcome::Done       ? answer.password
                : answer.outcome == PasswordStore::Outcome::NotFound ? QStringLiteral("<none>")
                                                                     : QStringLiteral("<failed>");
        answered = true;
    });
    return waitUntil([&] { return answered; }, 20000) ? entry : QStringLiteral("<no answer>");
}

QString keepingSetting(TestEnvironment &env)
{
    return env.settings().read(QStringLiteral("Settings"), QStringLiteral("keyringPasswords"), QStringLiteral("0"));
}

bool toggleKeyring(MainWindow &form)
{
    form.findChild<QAction *>(QStringLiteral("keyringPasswords"))->trigger();
    return waitUntil([&] { return !form.keyringOption().keeper().isBusy(); }, 30000);
}
} // namespace

class TestKeyringRoad : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyringRoad();
    void refusingKeyringRoad();

private:
    // Collects in m_boxes the text of every box the run shows.
    void hear(TestContext &run)
    {
        run.boxes().onMessage = [this](const QString &, const QString &text) { m_boxes << text; };
    }

    QStringList m_boxes;
};

void TestKeyringRoad::keyringRoad()
{
    if (!keyringIs("unlocked"))
        QSKIP("runs in the private keyring of keyring_road.sh");
    TestEnvironment env;
    FakeForum forum;
    QVERIFY(forum.start());
    const QString login = forum.url(QStringLiteral("/login"));
    const QString key = login + QStringLiteral("|alice");
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), (login + "|alice|se|cret\r\n\r\n").toUtf8()));

    {
        TestContext run(env);
        hear(run);
        MainWindow form(run.context());
        form.load();
        QAction *keep = form.findChild<QAction *>(QStringLiteral("keyringPasswords"));
        QVERIFY(!keep->isChecked());
        QVERIFY(toggleKeyring(form));
        QVERIFY(keep->isChecked());
        QCOMPARE(readFileBytes(env.filePath("posts2.txt")), (login + "|alice|\r\n\r\n").toUtf8());
        QCOMPARE(keyringEntry(key), QStringLiteral("se|cret"));
        QCOMPARE(keepingSetting(env), QStringLiteral("1"));
        form.close();
    }

    // Restarted: the password comes out of the keyring and is pasted into the forum's login form.
    TestContext run(env);
    hear(run);
    MainWindow form(run.context());
    form.load();
    form.show();
    QVERIFY(waitUntil([&] { return !form.keyringOption().keeper().isBusy(); }, 30000));
    QVERIFY(form.findChild<QAction *>(QStringLiteral("keyringPasswords"))->isChecked());
    chooseRow(form.forumsPanel()->forumList, 0);
    form.forums().selectForum(0);
    QCOMPARE(form.forumsPanel()->passwordBox->text(), QStringLiteral("se|cret"));
    QWebEngineView *view = form.browserPanel()->view;
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    form.forums().openForum(0);
    // The address changes as soon as the page starts to arrive; its fields are there once it loaded.
    WAIT_VERIFY(!loaded.isEmpty(), 20000);
    QCOMPARE(view->url().toString(), login);
    WAIT_VERIFY(runScript(view->page(),
                          "var e = document.getElementById('password'); e && e.focus(); "
                          "document.activeElement === e",
                          QWebEngineScript::MainWorld)
                    .toBool(),
                20000);
    QSignalSpy pasted(&form.browser(), &BrowserController::pasteFinished);
    form.forumsPanel()->pastePasswordButton->click();
    QVERIFY(pasted.wait(10000));
    QCOMPARE(runScript(view->page(), "document.getElementById('password').value").toString(),
             QStringLiteral("se|cret"));
    runScript(view->page(), "document.getElementById('user').value = 'alice'; "
                            "document.getElementById('go').click()");
    WAIT_COMPARE(forum.loggedInPassword(), QStringLiteral("se|cret"), 20000);
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), (login + "|alice|\r\n\r\n").toUtf8());

    // Off again: the password is back in the file, and only then gone from the keyring.
    QVERIFY(toggleKeyring(form));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), (login + "|alice|se|cret\r\n\r\n").toUtf8());
    QCOMPARE(keyringEntry(key), QStringLiteral("<none>"));
    QCOMPARE(keepingSetting(env), QStringLiteral("0"));
    QVERIFY(m_boxes.isEmpty());
}

void TestKeyringRoad::refusingKeyringRoad()
{
    if (!keyringIs("refusing"))
        QSKIP("runs against the locked or missing keyring of keyring_road.sh");
    TestEnvironment env;
    const QByteArray file = "http://127.0.0.1/forum|alice|secret\r\n\r\nhttp://127.0.0.1/other|bob|pw\r\n\r\n";
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), file));
    TestContext run(env);
    hear(run);
    MainWindow form(run.context());
    form.load();
    m_boxes.clear();
    QVERIFY(toggleKeyring(form));
    QCOMPARE(m_boxes.size(), 1); // said once, for both forums
    QVERIFY2(m_boxes.first().startsWith("The desktop keyring could not take your forum passwords"),
             qPrintable(m_boxes.first()));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), file);
    QVERIFY(!form.findChild<QAction *>(QStringLiteral("keyringPasswords"))->isChecked());
    QCOMPARE(keepingSetting(env), QStringLiteral("0"));
}

THREADLOOM_BROWSER_TEST(TestKeyringRoad)
#include "tst_keyringroad.moc"
