#pragma once

#include "browser/passwordstore.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>

class ForumLoginList;
struct ForumLogin;

// Moves forum passwords between posts2.txt and a password store (the desktop keyring), one forum
// at a time and never losing one: a password leaves the file only after the store holds it, and
// the store's copy goes only after the file holds the password again. A store that is missing,
// locked or refuses is said once, in plain words; the passwords then stay where they were.
//
// Store calls run one after another. A step looks the forum up by its address when its turn
// comes, so edits made meanwhile are neither undone nor overwritten.
class PasswordKeeper : public QObject
{
    Q_OBJECT
public:
    PasswordKeeper(ForumLoginList &logins, PasswordStore &store, QObject *parent = nullptr);

    // The store's key for a forum's password: one per forum address and user name.
    static QString keyFor(const ForumLogin &login);

    bool isOn() const { return m_on; }
    bool isBusy() const { return m_waiting || !m_steps.empty(); }
    // Start-up with the option on: reads back the passwords the store keeps and moves those the
    // file still holds.
    void resume();
    void turnOn();
    void turnOff();
    // After the user changed the login at index and the file holds the new one.
    void loginChanged(int index, const ForumLogin &before);
    // After a forum was taken out of the list and the file.
    void forumRemoved(const ForumLogin &removed);

    // How long the store may take to answer before it counts as refusing.
    void setAnswerLimit(int ms) { m_answerLimitMs = ms; }

Q_SIGNALS:
    // The option as it now stands: remember it and show it.
    void keepingChanged(bool on);
    // Passwords read from the store are in the list now.
    void passwordsRestored();
    // What could not be done, and where the passwords are.
    void problem(const QString &text);
    // posts2.txt could not be written (the message of ForumLoginList::save()).
    void saveFailed(const QString &text);
    // The last queued step has ended.
    void idle();

private:
    using Then = std::function<void(const PasswordStore::Answer &)>;
    using Call = std::function<void(PasswordStore::Reply)>;

    int begin();
    void enqueue(std::function<void()> step);
    void runSteps();
    void ask(const Call &call, Then then);
    void answered(int serial, const PasswordStore::Answer &answer);
    bool failed(int attempt) const { return attempt != 0 && attempt == m_failedAttempt; }
    void fail(int attempt, const QString &text);
    bool save();

    void moveIn(const QString &url, int attempt, const QString &failText);
    void readBack(const QString &url, int attempt);
    void bringBack(const QString &url, const QString &userName, int attempt);
    void forget(const QString &key, int attempt, const QString &failText);
    void finishTurnOn(int attempt);
    // Puts every password the keyring holds back into the list and the file; keys gets their
    // keys. False, and nothing changes, when the file cannot be written.
    bool passwordsIntoFile(QStringList &keys);

    ForumLoginList &m_logins;
    PasswordStore &m_store;
    bool m_on = false;
    // Keys whose password could not be read: their forums show no password, and nothing may
    // drop the store's copy on the strength of the file, which does not hold it.
    QSet<QString> m_unread;
    std::deque<std::function<void()>> m_steps;
    QSet<QString> m_queuedEdits;
    bool m_waiting = false;
    bool m_running = false;
    Then m_then;
    int m_serial = 0;
    int m_attempts = 0;
    int m_failedAttempt = 0;
    bool m_said = false;
    int m_answerLimitMs = 20000;
    QTimer m_answerTimer;
};
