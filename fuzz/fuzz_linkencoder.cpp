// Link conversion of any text with the html markup and with empty markup, by both sets of rules.
#include "compose/linkencoder.h"
#include "compose/modernlinkencoder.h"
#include "compose/modernlinkscanner.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    encodeLinks(text, QStringLiteral("<a href=\""), QStringLiteral("\">"), QStringLiteral("</a>"),
                QStringLiteral("mailto:"));
    // With empty markup every character of the text comes out, bar the line breaks that end an
    // address, plus the visible copy of each address.
    const QString bare = encodeLinks(text, QString(), QString(), QString(), QString());
    FUZZ_CHECK(bare.size() >= text.size() - text.count(QLatin1Char('\r')) - text.count(QLatin1Char('\n')));

    // The modern rules: addresses in order, apart, inside the text; with empty markup the output
    // is the text with each address's target put before it.
    ModernLinkScanner scanner(text);
    ModernLink link{};
    qsizetype after = 0;
    qsizetype targets = 0;
    qsizetype webTargets = 0;
    qsizetype mails = 0;
    while (scanner.next(link)) {
        FUZZ_CHECK(link.start >= after && link.length > 0 && link.start + link.length <= text.size());
        after = link.start + link.length;
        const qsizetype target =
            modernLinkTarget(QStringView(text).mid(link.start, link.length), link.kind, QString(), false).size();
        targets += target;
        if (link.kind == ModernLink::Mail || link.kind == ModernLink::MailTo)
            ++mails;
        else
            webTargets += target;
    }
    const QString modern = encodeLinks(text, QString(), QString(), QString(), QString(), LinkRules::Modern);
    FUZZ_CHECK(modern.size() == text.size() + targets);
    // With an e-mail code of one character each side, each e-mail address is written once, between them.
    const QString coded = encodeLinks(text, QString(), QString(), QString(), QString(), LinkRules::Modern,
                                      QStringLiteral("{"), QStringLiteral("}"));
    FUZZ_CHECK(coded.size() == text.size() + webTargets + 2 * mails);
    encodeLinks(text, QStringLiteral("[url="), QStringLiteral("]"), QStringLiteral("[/url]"), QStringLiteral("mailto:"),
                LinkRules::Modern, QStringLiteral("[email]"), QStringLiteral("[/email]"));
    return 0;
}
