#pragma once

#include <QStringView>

#include <array>

// One address as a reader of today's text means it: where it stands and what kind it is.
struct ModernLink
{
    enum Kind {
        Web,    // starts with its scheme: http://, https:// or ftp://
        Www,    // starts with "www." and has no scheme written
        Mail,   // an e-mail address
        MailTo, // an e-mail address written after its scheme, "mailto:"
    };
    qsizetype start;
    qsizetype length;
    Kind kind;
};

// Finds the web and e-mail addresses of a text from left to right in one pass: the leftmost
// address wins, the longer one when two start at the same place. Every character is looked at
// a bounded number of times, so the cost stays linear in the text whatever it holds.
class ModernLinkScanner
{
public:
    explicit ModernLinkScanner(QStringView text);

    // The next address after the last one found; false when there is none.
    bool next(ModernLink &link);

private:
    qsizetype schemeLinkEnd(qsizetype afterSlashes);
    qsizetype hostAndPathEnd(qsizetype host, bool needsKnownDomain);
    qsizetype mailLinkEnd(qsizetype localStart, qsizetype at, bool needsKnownDomain) const;
    qsizetype hostEnd(qsizetype from, bool needsKnownDomain) const;
    qsizetype portAndTerminatorEnd(qsizetype hostEnd) const;
    qsizetype pathEnd(qsizetype from);
    qsizetype partnerOf(qsizetype opener, char16_t closer);
    qsizetype keptPairEnd(qsizetype j);
    bool endsPathAt(qsizetype k);
    static bool isBracketOrQuote(char16_t c);
    bool startsAfterBoundary(qsizetype start) const;
    bool wwwStartsAfterBoundary(qsizetype start) const;
    bool mailStartsAfterBoundary(qsizetype start) const;
    bool isHostTerminator(qsizetype at) const;
    char32_t codePointAt(qsizetype at, qsizetype *width = nullptr) const;
    char32_t codePointBefore(qsizetype at) const;

    QStringView m_text;
    const char16_t *m_data;
    qsizetype m_size;
    qsizetype m_from = 0; // where the search for the next address goes on

    // A closer searched for in vain from one place up to the next space is not there from any
    // later place before that space either: remembered so that a text full of openers stays
    // linear. One range per closer: ) ] } " '.
    struct Miss
    {
        qsizetype from = -1;
        qsizetype until = -1;
    };
    std::array<Miss, 5> m_misses;
};
