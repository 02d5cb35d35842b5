// The readers of what a thread page says of its thread (the page, then after a NUL the address it
// was shown at): its canonical link, its links to later pages, its posts' anchors, the thread
// address and key of an address. Every later page and the canonical link are on the page's host,
// a thread address has no fragment, and every anchor names a post the page shows.
#include "fuzzsupport.h"
#include "watch/htmlattributes.h"
#include "watch/pagelinks.h"
#include "watch/postnumbers.h"
#include "watch/threadaddress.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray page = firstPart(data, size);
    const QString pageUrl = QString::fromUtf8(secondPart(data, size));

    const QList<PageLink> links = readPageLinks(page);
    FUZZ_CHECK(links.size() <= maxPageLinks);
    const LaterPages later = laterPages(pageUrl, links);
    FUZZ_CHECK(later.highest >= 0);
    FUZZ_CHECK(later.lastAddress.isEmpty() == (later.highest == 0));
    if (!later.lastAddress.isEmpty())
        FUZZ_CHECK(
            QUrl(later.lastAddress)
                .host()
                .compare(
                    QUrl(pageUrl.contains(QLatin1String("://")) ? pageUrl : QStringLiteral("http://") + pageUrl).host(),
                    Qt::CaseInsensitive) == 0);

    const QString canonical = canonicalLink(pageUrl, page);
    if (!canonical.isEmpty())
        FUZZ_CHECK(QUrl(canonical).host().compare(QUrl(pageUrl).host(), Qt::CaseInsensitive) == 0);
    const QString thread = pageThreadAddress(pageUrl, page);
    FUZZ_CHECK(!thread.contains(QLatin1Char('#')));
    threadKey(thread);

    const PostNames names = readPostNames(page);
    for (auto it = names.anchors.cbegin(); it != names.anchors.cend(); ++it) {
        FUZZ_CHECK(names.numbers.contains(it.key()));
        FUZZ_CHECK(it.value().endsWith(QByteArray::number(it.key())));
    }
    decodeReferences(page);
    return 0;
}
