#include "watch/pagemeasurement.h"

#include "watch/postnumbers.h"
#include "watch/responsemeter.h"

PageMeasurement readMeasuredPage(qint64 size, const QByteArray &body, bool chunked, bool cut)
{
    PageMeasurement page;
    page.size = size;
    if (cut)
        return page;
    bool whole = true;
    const QByteArray html = chunked ? ResponseMeter::dechunk(body, &whole) : body;
    // Framing that cannot be read may have split a post's name: nothing read is better than a
    // post that seems new next time.
    if (!whole)
        return page;
    PostNames names = readPostNames(html);
    page.postNumbers = std::move(names.numbers);
    page.anchors = std::move(names.anchors);
    page.login = readLoginSigns(html);
    page.pageLinks = readPageLinks(html);
    page.read = true;
    return page;
}
