#pragma once

#include <QByteArray>
#include <QString>

// Why a web server's answer is not the page that was asked for, in one line for the user, or an
// empty text when it is (a 2xx status). Redirects are not followed: "moved to <address>", or
// "login needed" when the address they lead to is a log-in page. Any other status is shown as the
// server gave it ("404 Not Found"). statusCode is 0 when the answer had no readable status line.
// location is the redirect's "Location" value as sent, resolved against requestUrl for showing.
QString answerFailure(int statusCode, const QByteArray &reasonPhrase, const QByteArray &location,
                      const QString &requestUrl);

// Whether an address looks like a forum's log-in page ("/login", "wp-login.php",
// "ucp.php?mode=login", "/users/sign_in", ...).
bool isLoginAddress(const QString &url);
