#pragma once

#include <QByteArray>

// Whether a page was seen by a logged-in member: a member's page links to logging out; a guest's
// offers a log-in form or link instead. Unknown when the page shows neither.
enum class LoginState { Unknown, Guest, Member };

struct LoginSigns
{
    LoginState state = LoginState::Unknown;
    bool passwordField = false; // the page holds a log-in form
};

LoginSigns readLoginSigns(const QByteArray &html);

// "member", "guest" or empty, as the watched-posts files store it; and back (anything else is
// Unknown).
QByteArray loginStateText(LoginState state);
LoginState loginStateFromText(const QByteArray &text);
