#include "compose/knowndomains.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>
#include <bitset>

namespace {

// Country domains in use, by first letter: "ac ad ae ..." is "a" with "cde...".
constexpr std::array<const char *, 26> countrySecondLetters = {
    "cdefgilmoqrstuwxz",      // a
    "abdefghijlmnoqrstvwyz",  // b
    "acdfghiklmnoruvwxyz",    // c
    "ejkmoz",                 // d
    "cegrstu",                // e
    "ijkmor",                 // f
    "abdefghilmnpqrstuwy",    // g
    "kmnrtu",                 // h
    "delmnoqrst",             // i
    "emop",                   // j
    "eghimnprwyz",            // k
    "abcikrstuvy",            // l
    "acdeghklmnopqrstuvwxyz", // m
    "acefgilopruz",           // n
    "m",                      // o
    "aefghklmnrstwy",         // p
    "a",                      // q
    "eosuw",                  // r
    "abcdeghijklmnorstuvxyz", // s
    "cdfghjklmnortvwz",       // t
    "agksyz",                 // u
    "aceginu",                // v
    "fs",                     // w
    "",                       // x
    "et",                     // y
    "amw",                    // z
};

std::bitset<26 * 26> countryDomains()
{
    std::bitset<26 * 26> set;
    for (int first = 0; first < 26; ++first) {
        for (const char *second = countrySecondLetters[first]; *second; ++second)
            set.set(first * 26 + (*second - 'a'));
    }
    return set;
}

// The generic domains people write in prose, sorted for the search below. "example" is reserved
// for examples, which is what an address shown in a post so often is.
constexpr std::array<const char *, 34> genericDomains = {
    "aero", "app",     "arpa", "asia", "biz",  "blog", "cat",  "cloud", "club",   "com",  "coop", "dev",
    "edu",  "example", "gov",  "info", "int",  "jobs", "mil",  "mobi",  "museum", "name", "net",  "online",
    "org",  "page",    "post", "pro",  "shop", "site", "tech", "tel",   "travel", "xxx",
};

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

bool isKnownTopLevelDomain(QStringView label)
{
    if (label.size() == 2) {
        static const std::bitset<26 * 26> countries = countryDomains();
        const char16_t a = asciiLower(label[0].unicode());
        const char16_t b = asciiLower(label[1].unicode());
        if (a >= u'a' && a <= u'z' && b >= u'a' && b <= u'z')
            return countries.test((a - u'a') * 26 + (b - u'a'));
        // The Russian Federation's own domain, written in Cyrillic.
        return label.compare(QStringView(u"\u0440\u0444"), Qt::CaseInsensitive) == 0;
    }
    if (label.size() < 3 || label.size() > 7)
        return false;
    char lower[8] = {};
    for (qsizetype i = 0; i < label.size(); ++i) {
        const char16_t c = asciiLower(label[i].unicode());
        if (c < u'a' || c > u'z')
            return false;
        lower[i] = char(c);
    }
    return std::binary_search(genericDomains.begin(), genericDomains.end(), lower,
                              [](const char *x, const char *y) { return QLatin1StringView(x) < QLatin1StringView(y); });
}
