#include "browser/passwordkeeper.h"

#include "browser/forumloginlist.h"

#include <QPointer>

namespace {
using Outcome = PasswordStore::Outcome;

QString startText()
{
    return PasswordKeeper::tr("The desktop keyring could not be used: %1.\n\nForum passwords kept there are not shown "
                              "until it can be used again; nothing has been taken out of it, and passwords still in "
                              "posts2.txt stay there.");
}

QString turnOnText()
{
    return PasswordKeeper::tr(
        "The desktop keyring could not take your forum passwords: %1.\n\nThey stay in posts2.txt, "
        "and the option is off again.");
}

QString editText()
{
    return PasswordKeeper::tr("The desktop keyring could not take a changed forum login: %1.\n\nIt is kept in "
                              "posts2.txt for now.");
}
} // namespace

PasswordKeeper::PasswordKeeper(ForumLoginList &logins, PasswordStore &store, QObject *parent)
    : QObject(parent)
    , m_logins(logins)
    , m_store(store)
{
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        answered(m_serial,
                 {Outcome::Failed, QString(), tr("it did not answer within %1 seconds").arg(m_answerLimitMs / 1000.0)});
    });
}

QString PasswordKeeper::keyFor(const ForumLogin &login)
{
    // Neither the stored address nor the user name holds a "|", so no two forums share a key.
    return login.url + QLatin1Char('|') + login.userName;
}

int PasswordKeeper::begin()
{
    const int attempt = ++m_attempts;
    // A new attempt the user asked for is worth telling about again.
    enqueue([this] { m_said = false; });
    return attempt;
}

void PasswordKeeper::enqueue(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
    runSteps();
}

void PasswordKeeper::runSteps()
{
    // A store may answer at once, from inside ask(): the loop below then takes the next step,
    // rather than each answer starting a deeper one.
    if (m_running)
        return;
    m_running = true;
    while (!m_waiting && !m_steps.empty()) {
        const std::function<void()> step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
    }
    m_running = false;
    if (!isBusy())
        Q_EMIT idle();
}

void PasswordKeeper::ask(const Call &call, Then then)
{
    m_waiting = true;
    m_then = std::move(then);
    const int serial = ++m_serial;
    m_answerTimer.start(m_answerLimitMs);
    QPointer<PasswordKeeper> self(this);
    call([self, serial](const PasswordStore::Answer &answer) {
        if (self)
            self->answered(serial, answer);
    });
}

void PasswordKeeper::answered(int serial, const PasswordStore::Answer &answer)
{
    // An answer after the time was up, or a second one, changes nothing.
    if (serial != m_serial || !m_waiting)
        return;
    m_answerTimer.stop();
    m_waiting = false;
    const Then then = std::move(m_then);
    then(answer);
    runSteps();
}

void PasswordKeeper::fail(int attempt, const QString &text)
{
    if (attempt != 0)
        m_failedAttempt = attempt;
    if (m_said)
        return;
    m_said = true;
    Q_EMIT problem(text);
}

bool PasswordKeeper::save()
{
    const QString error = m_logins.save();
    if (error.isEmpty())
        return true;
    Q_EMIT saveFailed(error);
    return false;
}

void PasswordKeeper::resume()
{
    m_on = true;
    const int attempt = begin();
    for (int i = 0; i < m_logins.count(); ++i) {
        const ForumLogin &login = m_logins.at(i);
        if (login.password.isEmpty())
            readBack(login.url, attempt);
        else
            moveIn(login.url, attempt, startText());
    }
}

void PasswordKeeper::turnOn()
{
    if (m_on)
        return;
    // Remembered before anything moves: should the program stop half-way, the next start still
    // looks in the keyring.
    m_on = true;
    Q_EMIT keepingChanged(true);
    const int attempt = begin();
    for (int i = 0; i < m_logins.count(); ++i)
        moveIn(m_logins.at(i).url, attempt, turnOnText());
    enqueue([this, attempt] { finishTurnOn(attempt); });
}

bool PasswordKeeper::passwordsIntoFile(QStringList &keys)
{
    for (int i = 0; i < m_logins.count(); ++i) {
        if (m_logins.at(i).passwordInKeyring) {
            m_logins.setPasswordInKeyring(i, false);
            keys.append(keyFor(m_logins.at(i)));
        }
    }
    if (keys.isEmpty() || save())
        return true;
    // The file still holds none of them: the keyring's copies stay the ones that count.
    for (int i = 0; i < m_logins.count(); ++i)
        m_logins.setPasswordInKeyring(i, keys.contains(keyFor(m_logins.at(i))));
    return false;
}

void PasswordKeeper::finishTurnOn(int attempt)
{
    if (!failed(attempt))
        return;
    // All or nothing: the forums that did move come back into the file.
    QStringList keys;
    if (!passwordsIntoFile(keys))
        return;
    m_on = false;
    Q_EMIT keepingChanged(false);
    // The keyring's copies are stale now; it was refusing, so it is left alone. A later move
    // writes over them.
}

void PasswordKeeper::turnOff()
{
    if (!m_on)
        return;
    // Edits from here on stay in the file.
    m_on = false;
    const int attempt = begin();
    enqueue([this, attempt] {
        QStringList keys;
        if (!passwordsIntoFile(keys)) {
            m_on = true;
            Q_EMIT keepingChanged(true);
            return;
        }
        const QString kept = tr("Your forum passwords are back in posts2.txt, but the desktop keyring "
                                "kept its copies of them: %1.");
        for (const QString &key : keys)
            forget(key, attempt, kept);
        // With every password in the file, the option is off at once: should the program stop
        // before the keyring forgot its copies, the next start does not move them back in.
        if (m_unread.isEmpty()) {
            Q_EMIT keepingChanged(false);
            return;
        }
        for (int i = 0; i < m_logins.count(); ++i) {
            const ForumLogin &login = m_logins.at(i);
            if (m_unread.contains(keyFor(login)))
                bringBack(login.url, login.userName, attempt);
        }
        enqueue([this] {
            m_on = !m_unread.isEmpty();
            Q_EMIT keepingChanged(m_on);
        });
    });
}

void PasswordKeeper::loginChanged(int index, const ForumLogin &before)
{
    if (!m_on || index < 0 || index >= m_logins.count())
        return;
    const ForumLogin &now = m_logins.at(index);
    const QString url = now.url;
    const QString oldKey = keyFor(before);
    // Typing sends a change per keystroke: one queued move carries the latest of them.
    if (!m_queuedEdits.contains(url)) {
        m_queuedEdits.insert(url);
        enqueue([this, url] {
            m_queuedEdits.remove(url);
            moveIn(url, 0, editText());
        });
    }
    if (oldKey != keyFor(now) && !m_unread.contains(oldKey))
        forget(oldKey, 0, editText());
}

void PasswordKeeper::forumRemoved(const ForumLogin &removed)
{
    if (m_on)
        forget(keyFor(removed), 0, tr("The desktop keyring could not forget the password of a removed forum: %1."));
}

void PasswordKeeper::moveIn(const QString &url, int attempt, const QString &failText)
{
    enqueue([this, url, attempt, failText] {
        const int index = m_logins.indexOf(url);
        if (index < 0 || m_logins.at(index).passwordInKeyring || failed(attempt) || !m_on)
            return;
        const ForumLogin login = m_logins.at(index);
        const QString key = keyFor(login);
        auto done = [this, url, login, key, attempt, failText](const PasswordStore::Answer &answer) {
            if (answer.outcome == Outcome::Failed) {
                fail(attempt, failText.arg(answer.error));
                return;
            }
            m_unread.remove(key);
            const int now = m_logins.indexOf(url);
            // Changed meanwhile: the change has a move of its own queued.
            if (login.password.isEmpty() || now < 0 || m_logins.at(now).userName != login.userName ||
                m_logins.at(now).password != login.password)
                return;
            m_logins.setPasswordInKeyring(now, true);
            if (!save())
                m_logins.setPasswordInKeyring(now, false);
        };
        // An empty password needs no keeping, but an old one under the key must not come back.
        if (login.password.isEmpty())
            ask([this, key](PasswordStore::Reply reply) { m_store.remove(key, std::move(reply)); }, done);
        else
            ask([this, key,
                 login](PasswordStore::Reply reply) { m_store.write(key, login.password, std::move(reply)); },
                done);
    });
}

void PasswordKeeper::readBack(const QString &url, int attempt)
{
    enqueue([this, url, attempt] {
        const int index = m_logins.indexOf(url);
        if (index < 0 || !m_logins.at(index).password.isEmpty())
            return;
        const ForumLogin login = m_logins.at(index);
        const QString key = keyFor(login);
        if (failed(attempt)) {
            m_unread.insert(key);
            return;
        }
        ask([this, key](PasswordStore::Reply reply) { m_store.read(key, std::move(reply)); },
            [this, url, login, key, attempt](const PasswordStore::Answer &answer) {
                if (answer.outcome == Outcome::Failed) {
                    m_unread.insert(key);
                    fail(attempt, startText().arg(answer.error));
                    return;
                }
                const int now = m_logins.indexOf(url);
                if (answer.outcome == Outcome::NotFound || now < 0 || m_logins.at(now).userName != login.userName ||
                    !m_logins.at(now).password.isEmpty())
                    return;
                if (!m_logins.setLogin(now, login.userName, answer.password)) {
                    m_unread.insert(key); // a secret the file could never hold
                    return;
                }
                m_logins.setPasswordInKeyring(now, true);
                Q_EMIT passwordsRestored();
            });
    });
}

void PasswordKeeper::bringBack(const QString &url, const QString &userName, int attempt)
{
    enqueue([this, url, userName, attempt] {
        const QString key = keyFor({url, userName, QString()});
        if (failed(attempt))
            return;
        ask([this, key](PasswordStore::Reply reply) { m_store.read(key, std::move(reply)); },
            [this, url, userName, key, attempt](const PasswordStore::Answer &answer) {
                if (answer.outcome == Outcome::Failed) {
                    fail(attempt, tr("Some forum passwords could not be taken back from the desktop "
                                     "keyring: %1.\n\nThey stay there, and so does the option, until "
                                     "they can be taken back.")
                                      .arg(answer.error));
                    return;
                }
                const int now = m_logins.indexOf(url);
                // A password typed meanwhile replaced the unread one.
                if (answer.outcome == Outcome::NotFound || now < 0 || m_logins.at(now).userName != userName ||
                    !m_logins.at(now).password.isEmpty()) {
                    m_unread.remove(key);
                    return;
                }
                if (!m_logins.setLogin(now, userName, answer.password) || !save()) {
                    m_logins.setLogin(now, userName, QString());
                    fail(attempt, tr("A forum password could not be taken back from the desktop keyring "
                                     "into posts2.txt; it stays in the keyring."));
                    return;
                }
                m_unread.remove(key);
                forget(key, attempt, QString());
            });
    });
}

void PasswordKeeper::forget(const QString &key, int attempt, const QString &failText)
{
    enqueue([this, key, attempt, failText] {
        if (failed(attempt))
            return;
        ask([this, key](PasswordStore::Reply reply) { m_store.remove(key, std::move(reply)); },
            [this, key, attempt, failText](const PasswordStore::Answer &answer) {
                if (answer.outcome != Outcome::Failed)
                    m_unread.remove(key);
                else if (!failText.isEmpty())
                    fail(attempt, failText.arg(answer.error));
            });
    });
}
