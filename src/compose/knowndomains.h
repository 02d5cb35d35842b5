#pragma once

#include <QStringView>

// Whether label, in any letter case, is a top-level domain in real use: every two-letter country
// domain and the common generic ones. Addresses written without a scheme ("www." and e-mail)
// are taken only with one, so "www.readme.txt" and "user@host" stay plain text.
bool isKnownTopLevelDomain(QStringView label);
