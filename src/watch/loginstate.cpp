#include "watch/loginstate.h"

#include "watch/htmlattributes.h"

namespace {

bool containsAny(const QByteArray &text, std::initializer_list<const char *> words)
{
    for (const char *word : words) {
        if (text.contains(word))
            return true;
    }
    return false;
}

} // namespace

LoginSigns readLoginSigns(const QByteArray &html)
{
    LoginSigns signs;
    bool logout = false;
    bool login = false;
    // Only the addresses of links and forms count: a post may well talk about logging out.
    forEachAttribute(html, [&](const QByteArray &tag, const QByteArray &name, const QByteArray &value) {
        if (tag == "input" && name == "type" && value.trimmed().toLower() == "password")
            signs.passwordField = true;
        if (name != "href" && name != "action")
            return;
        const QByteArray lower = value.toLower();
        if (containsAny(lower, {"logout", "log-out", "log_out", "signout", "sign-out", "sign_out", "logoff"}))
            logout = true;
        else if (containsAny(lower, {"login", "log-in", "log_in", "signin", "sign-in", "sign_in", "logon"}))
            login = true;
    });
    if (logout)
        signs.state = LoginState::Member;
    else if (login || signs.passwordField)
        signs.state = LoginState::Guest;
    return signs;
}

QByteArray loginStateText(LoginState state)
{
    switch (state) {
    case LoginState::Member: return "member";
    case LoginState::Guest: return "guest";
    case LoginState::Unknown: break;
    }
    return QByteArray();
}

LoginState loginStateFromText(const QByteArray &text)
{
    if (text == "member")
        return LoginState::Member;
    if (text == "guest")
        return LoginState::Guest;
    return LoginState::Unknown;
}
