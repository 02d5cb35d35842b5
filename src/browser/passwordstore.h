#pragma once

#include <QString>

#include <functional>

// Somewhere outside posts2.txt that keeps one secret per key: the desktop keyring in the program,
// a table in memory in tests. Every call answers once, later or at once, through its reply.
class PasswordStore
{
public:
    enum class Outcome { Done, NotFound, Failed };
    struct Answer
    {
        Outcome outcome = Outcome::Failed;
        QString password; // read(): the secret kept under the key
        QString error;    // Failed: what went wrong, in plain words
    };
    using Reply = std::function<void(const Answer &)>;

    virtual ~PasswordStore() = default;
    virtual void read(const QString &key, Reply reply) = 0;
    virtual void write(const QString &key, const QString &password, Reply reply) = 0;
    // Forgetting a key that holds nothing is Done (or NotFound): either way the key holds nothing.
    virtual void remove(const QString &key, Reply reply) = 0;
};
