// The post check's readers of what a page says while it changes: the address (is it a reply form?)
// and, for a message typed by the user, what the page added and what its writing boxes hold. The
// input is the address or message, a NUL, then the page's text.
#include "browser/postcheck.h"
#include "browser/replyformaddress.h"
#include "fuzzsupport.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString first = QString::fromUtf8(firstPart(data, size));
    const QString page = QString::fromUtf8(secondPart(data, size));
    isReplyFormAddress(QUrl(first));
    isReplyFormAddress(QUrl(page));

    PostCheck check([] { return qint64(0); });
    check.arm(first);
    const PostCheck::Ticket ticket = check.pageChanged();
    FUZZ_CHECK(ticket.search);
    FUZZ_CHECK(!PostCheck::changeShows(ticket, QString()));
    FUZZ_CHECK(!PostCheck::boxesHold(ticket, {}));
    PostCheck::changeShows(ticket, page);
    PostCheck::boxesHold(ticket, {page, first});
    return 0;
}
