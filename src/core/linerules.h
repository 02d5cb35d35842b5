#pragma once

#include <QStringView>

// What a line of each data file looks like, to tell a data file from something else at its
// place (a system file behind a link, a file of another program). Each rule is loose on purpose:
// a hand-edited line passes as long as it could be what the file holds.

// A watched post's or forum's address: no control character in it, and, when it starts with a
// scheme ("http:"), one an address has: "//" after it, a port ("localhost:8080") or a scheme the
// browser shows without "//" ("about:blank"). The browser shows "%20" as a blank, so an address
// with a scheme may hold blanks; one without a scheme (a host and path typed by hand) holds none.
bool looksLikeAddress(QStringView line);
// A page size: a whole number, blanks around it allowed.
bool looksLikeNumber(QStringView line);
// A posts2.txt line: an address, then the user name and password after "|" (when there are any).
bool looksLikeForumLogin(QStringView line);
// A postnumbers.txt line: "state|12 15 19|address".
bool looksLikeBaseline(QStringView line);
// A messages.txt line: the message, "|" and its subject.
bool looksLikeSavedMessage(QStringView line);

using LineRule = bool (*)(QStringView line);
