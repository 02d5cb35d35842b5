#include "compose/plainaddresshint.h"

#include "compose/modernlinkscanner.h"

#include <QCoreApplication>

qsizetype countAddressesClassicRulesMiss(const QString &text)
{
    qsizetype missed = 0;
    ModernLinkScanner scanner(text);
    ModernLink link{};
    while (scanner.next(link)) {
        if (link.kind == ModernLink::Mail || link.kind == ModernLink::MailTo)
            continue;
        const QStringView address = QStringView(text).mid(link.start, link.length);
        const bool plain = !address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive);
        // The classic rules end an address at the first of these, leaving the rest as text.
        const bool cut = address.contains(u'?') || address.contains(u',') || address.contains(u'!');
        if (plain || cut)
            ++missed;
    }
    return missed;
}

QString plainAddressesHint(const QString &text)
{
    const qsizetype missed = countAddressesClassicRulesMiss(text);
    if (missed == 0)
        return {};
    return missed == 1
               ? QCoreApplication::translate("Compose", "1 address left as plain text: see Tools > Modern Links")
               : QCoreApplication::translate("Compose", "%1 addresses left as plain text: see Tools > Modern Links")
                     .arg(missed);
}
