// Moving forum passwords between posts2.txt and a password store, against a store in memory that
// answers, refuses, or never answers.
#include "browser/forumloginlist.h"
#include "browser/passwordkeeper.h"
#include "filebytes.h"
#include "testenvironment.h"

#include <QMap>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
using Answer = PasswordStore::Answer;
using Outcome = PasswordStore::Outcome;

// Answers later, as a keyring does. "refuses" says no to everything, "refuses after 1" takes one
// call first, "silent" never answers.
class FakeStore : public PasswordStore
{
public:
    QMap<QString, QString> entries;
    QString behaviour = QStringLiteral("answers");
    int answered = 0;

    void read(const QString &key, Reply reply) override
    {
        answer(std::move(reply), [this, key] {
            return entries.contains(key) ? Answer{Outcome::Done, entries.value(key), {}}
                                         : Answer{Outcome::NotFound, {}, {}};
        });
    }
    void write(const QString &key, const QString &password, Reply reply) override
    {
        answer(std::move(reply), [this, key, password] {
            entries.insert(key, password);
            return Answer{Outcome::Done, {}, {}};
        });
    }
    void remove(const QString &key, Reply reply) override
    {
        answer(std::move(reply), [this, key] {
            entries.remove(key);
            return Answer{Outcome::Done, {}, {}};
        });
    }
    QString contents() const
    {
        QStringList pairs;
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            pairs << it.key() + '=' + it.value();
        return pairs.join(';');
    }

private:
    void answer(Reply reply, const std::function<Answer()> &act)
    {
        if (behaviour == QLatin1String("silent"))
            return;
        const bool refuses =
            behaviour == QLatin1String("refuses") || (behaviour == QLatin1String("refuses after 1") && answered >= 1);
        const Answer result = refuses ? Answer{Outcome::Failed, {}, QStringLiteral("the keyring is locked")} : act();
        ++answered;
        QTimer::singleShot(0, [reply, result] { reply(result); });
    }
};

QMap<QString, QString> entriesFrom(const QString &text)
{
    QMap<QString, QString> entries;
    for (const QString &pair : text.split(';', Qt::SkipEmptyParts))
        entries.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return entries;
}

QString passwords(const ForumLoginList &list)
{
    QStringList all;
    for (int i = 0; i < list.count(); ++i)
        all << list.at(i).password;
    return all.join(',');
}

// posts2.txt in a data folder of its own, its list, a store and the keeper between them.
struct Keeping
{
    TestEnvironment env;
    bool written;
    ForumLoginList list{env.folder()};
    FakeStore store;
    PasswordKeeper keeper{list, store};
    QSignalSpy problems{&keeper, &PasswordKeeper::problem};

    Keeping(const QByteArray &file, const QString &behaviour, const QString &stored = QString())
        : written(writeFileBytes(env.filePath("posts2.txt"), file))
    {
        list.load();
        store.behaviour = behaviour;
        store.entries = entriesFrom(stored);
        keeper.setAnswerLimit(100);
    }
    QByteArray file() const { return readFileBytes(env.filePath("posts2.txt")); }
    bool settle()
    {
        return QTest::qWaitFor([this] { return !keeper.isBusy(); }, 5000);
    }
};

const QByteArray twoForums = "http://a|ann|pa\r\n\r\nhttp://b|bob|\r\n\r\n";
} // namespace

class TestPasswordKeeper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void turningOn_data();
    void turningOn();
    void restarting_data();
    void restarting();
    void editing_data();
    void editing();
};

void TestPasswordKeeper::turningOn_data()
{
    QTest::addColumn<QString>("behaviour");
    QTest::addColumn<QString>("storedBefore");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("answers") << "answers"
                             << "http://b|bob=stale" << QByteArray("http://a|ann|\r\n\r\nhttp://b|bob|\r\n\r\n")
                             << "http://a|ann=pa" << true;
    QTest::newRow("refuses") << "refuses" << QString() << twoForums << QString() << false;
    // The first forum moved, the second could not: the first comes back into the file.
    QTest::newRow("refuses half-way") << "refuses after 1" << QString() << twoForums << "http://a|ann=pa" << false;
    QTest::newRow("never answers") << "silent" << QString() << twoForums << QString() << false;
}

void TestPasswordKeeper::turningOn()
{
    QFETCH(QString, behaviour);
    QFETCH(QString, storedBefore);
    QFETCH(bool, on);
    Keeping k(twoForums, behaviour, storedBefore);
    QVERIFY(k.written);
    QSignalSpy keeping(&k.keeper, &PasswordKeeper::keepingChanged);
    k.keeper.turnOn();
    QVERIFY(k.settle());
    QTEST(k.file(), "file");
    QTEST(k.store.contents(), "stored");
    QCOMPARE(passwords(k.list), QString("pa,"));
    QCOMPARE(k.keeper.isOn(), on);
    QCOMPARE(keeping.first().first().toBool(), true); // remembered before anything moves
    QCOMPARE(keeping.last().first().toBool(), on);
    QCOMPARE(k.problems.count(), on ? 0 : 1);
}

void TestPasswordKeeper::restarting_data()
{
    QTest::addColumn<QString>("behaviour");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("storedBefore");
    QTest::addColumn<QString>("shown");      // the passwords in the list after the restart
    QTest::addColumn<QByteArray>("fileOff"); // after turning the option off
    QTest::addColumn<QString>("storedOff");
    QTest::addColumn<bool>("onAfterOff");
    QTest::newRow("reads back") << "answers" << QByteArray("http://a|ann|\r\n\r\nhttp://b|bob|\r\n\r\n")
                                << "http://a|ann=pa"
                                << "pa," << twoForums << QString() << false;
    QTest::newRow("moves what the file still holds")
        << "answers" << twoForums << QString() << "pa," << twoForums << QString() << false;
    // Nothing can be read or taken back: nothing is dropped either, and the option stays on.
    QTest::newRow("locked") << "refuses" << QByteArray("http://a|ann|\r\n\r\nhttp://b|bob|\r\n\r\n")
                            << "http://a|ann=pa;http://b|bob=pb"
                            << "," << QByteArray("http://a|ann|\r\n\r\nhttp://b|bob|\r\n\r\n")
                            << "http://a|ann=pa;http://b|bob=pb" << true;
}

void TestPasswordKeeper::restarting()
{
    QFETCH(QString, behaviour);
    QFETCH(QByteArray, file);
    QFETCH(QString, storedBefore);
    QFETCH(bool, onAfterOff);
    Keeping k(file, behaviour, storedBefore);
    QVERIFY(k.written);
    k.keeper.resume();
    QVERIFY(k.settle());
    QTEST(passwords(k.list), "shown");
    QCOMPARE(k.file(), QByteArray("http://a|ann|\r\n\r\nhttp://b|bob|\r\n\r\n"));
    QCOMPARE(k.problems.count(), behaviour == "refuses" ? 1 : 0); // once, not once per forum

    k.keeper.turnOff();
    QVERIFY(k.settle());
    QTEST(k.file(), "fileOff");
    QTEST(k.store.contents(), "storedOff");
    QCOMPARE(k.keeper.isOn(), onAfterOff);
    QCOMPARE(k.problems.count(), behaviour == "refuses" ? 2 : 0);
}

void TestPasswordKeeper::editing_data()
{
    QTest::addColumn<QString>("behaviour"); // from the edit on
    QTest::addColumn<QString>("user");      // "-": the forum is removed
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("stored");
    QTest::newRow("new password") << "answers"
                                  << "ann"
                                  << "pw2" << QByteArray("http://a|ann|\r\n\r\n") << "http://a|ann=pw2";
    QTest::newRow("new user name") << "answers"
                                   << "bob"
                                   << "pa" << QByteArray("http://a|bob|\r\n\r\n") << "http://a|bob=pa";
    QTest::newRow("password cleared") << "answers"
                                      << "ann" << QString() << QByteArray("http://a|ann|\r\n\r\n") << QString();
    QTest::newRow("forum removed") << "answers"
                                   << "-" << QString() << QByteArray() << QString();
    QTest::newRow("refused") << "refuses"
                             << "ann"
                             << "pw2" << QByteArray("http://a|ann|pw2\r\n\r\n") << "http://a|ann=pa";
}

void TestPasswordKeeper::editing()
{
    QFETCH(QString, behaviour);
    QFETCH(QString, user);
    QFETCH(QString, password);
    Keeping k("http://a|ann|pa\r\n\r\n", "answers");
    QVERIFY(k.written);
    k.keeper.turnOn();
    QVERIFY(k.settle());
    k.store.behaviour = behaviour;
    // What the forums page does: change the list, save it, then tell the keeper.
    const ForumLogin before = k.list.at(0);
    if (user == "-") {
        k.list.remove(0);
        QCOMPARE(k.list.save(), QString());
        k.keeper.forumRemoved(before);
    } else {
        QVERIFY(k.list.setLogin(0, user, password));
        QCOMPARE(k.list.save(), QString());
        k.keeper.loginChanged(0, before);
    }
    QVERIFY(k.settle());
    QTEST(k.file(), "file");
    QTEST(k.store.contents(), "stored");
    QCOMPARE(k.problems.count(), behaviour == "refuses" ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestPasswordKeeper)
#include "tst_passwordkeeper.moc"
