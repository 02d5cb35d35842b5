#pragma once

#include <QString>

// How many web addresses of text the classic rules would leave as plain text (https://, ftp://,
// www.) or cut short (at the "?" of a query string, a "," or a "!" inside the address).
qsizetype countAddressesClassicRulesMiss(const QString &text);

// The status text that points the user to the modern rules when the classic ones miss addresses
// of text, or an empty text when they miss none.
QString plainAddressesHint(const QString &text);
