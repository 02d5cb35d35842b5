#include "watch/pagelinks.h"

#include "watch/htmlattributes.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cctype>

namespace {

// Longer numbers are no page numbers but hashes or times.
constexpr qsizetype maxDigits = 12;

// "key=value" of a query; an item without "=" names no place.
bool splitQueryItem(const QString &item, QStringView *key, QStringView *value)
{
    const qsizetype equals = item.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    *key = QStringView(item).first(equals);
    *value = QStringView(item).sliced(equals + 1);
    return true;
}

bool isNumber(QStringView text)
{
    return !text.isEmpty() && text.size() <= maxDigits &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isPlaceKey(QStringView key)
{
    return key.compare(u"page", Qt::CaseInsensitive) == 0 || key.compare(u"start", Qt::CaseInsensitive) == 0 ||
           key.compare(u"offset", Qt::CaseInsensitive) == 0;
}

bool isThreadKey(QStringView key)
{
    return key.compare(u"tid", Qt::CaseInsensitive) == 0 || key.compare(u"t", Qt::CaseInsensitive) == 0 ||
           key.compare(u"topic", Qt::CaseInsensitive) == 0;
}

// "12.40": a thread key's value with the place of the page's first post after the dot.
bool splitFirstPost(QStringView value, QStringView *thread, QStringView *first)
{
    const qsizetype dot = value.indexOf(u'.');
    if (dot < 0 || !isNumber(value.first(dot)) || !isNumber(value.sliced(dot + 1)))
        return false;
    *thread = value.first(dot);
    *first = value.sliced(dot + 1);
    return true;
}

// "page-2", "page2", "comment-page-3"
const QRegularExpression &pageSegment()
{
    static const QRegularExpression pattern(QStringLiteral("^(?:[a-z]+[-_])*page[-_]?(\\d{1,12})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// "t-12-3.html", "123-title-2": a page number after the thread's own, which holds a digit.
const QRegularExpression &numberedSegment()
{
    static const QRegularExpression pattern(QStringLiteral("^(.*\\d.*)-(\\d{1,12})(\\.[a-z0-9]{1,8})?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// One way to read an address as a page of a thread: the address without its place (stem), what
// kind of place it is, and the place. The plain reading (no kind) is the address as it stands,
// which is the first page of any kind.
struct Reading
{
    QString stem;
    QString kind;
    qint64 place = 0;
};

qint64 firstPlace(const QString &kind)
{
    return kind == QLatin1String("start") || kind == QLatin1String("offset") || kind == QLatin1String("first post") ? 0
                                                                                                                    : 1;
}

QList<Reading> readingsOf(const QUrl &url)
{
    const QString origin = url.scheme().toLower() + QStringLiteral("://") + url.host().toLower() + QLatin1Char(':') +
                           QString::number(url.port(url.scheme().toLower() == QLatin1String("https") ? 443 : 80));
    QString path = url.path(QUrl::FullyEncoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QStringList items = url.query(QUrl::FullyEncoded).split(QLatin1Char('&'), Qt::SkipEmptyParts);
    const auto address = [&origin](const QString &path, const QStringList &items) {
        return origin + path + QLatin1Char('?') + items.join(QLatin1Char('&'));
    };

    QList<Reading> readings{{address(path, items), QString(), 0}};
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString &item = items.at(i);
        QStringView key;
        QStringView value;
        if (!splitQueryItem(item, &key, &value))
            continue;
        QStringView thread;
        QStringView first;
        if (isPlaceKey(key) && isNumber(value)) {
            QStringList others = items;
            others.removeAt(i);
            readings.append({address(path, others), key.toString().toLower(), value.toLongLong()});
        } else if (isThreadKey(key) && splitFirstPost(value, &thread, &first)) {
            QStringList others = items;
            others[i] = key.toString() + QLatin1Char('=') + thread.toString();
            readings.append({address(path, others), QStringLiteral("first post"), first.toLongLong()});
        }
    }

    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    const QString parent = path.left(cut < 0 ? 0 : cut);
    const QString last = path.mid(cut + 1);
    if (const QRegularExpressionMatch page = pageSegment().match(last); page.hasMatch()) {
        readings.append({address(parent, items), QStringLiteral("path page"), page.captured(1).toLongLong()});
    } else if (isNumber(last) && parent.endsWith(QLatin1String("/page"), Qt::CaseInsensitive)) {
        readings.append({address(parent.chopped(5), items), QStringLiteral("path page"), last.toLongLong()});
    } else if (const QRegularExpressionMatch numbered = numberedSegment().match(last); numbered.hasMatch()) {
        readings.append({address(parent + QLatin1Char('/') + numbered.captured(1) + numbered.captured(3), items),
                         QStringLiteral("path number"), numbered.captured(2).toLongLong()});
    }
    return readings;
}

// The place of link as a later page of the page read as page, or 0 when it is none.
qint64 laterPlace(const QList<Reading> &page, const QList<Reading> &link)
{
    qint64 place = 0;
    for (const Reading &candidate : link) {
        if (candidate.kind.isEmpty())
            continue;
        for (const Reading &own : page) {
            if (own.stem != candidate.stem || (!own.kind.isEmpty() && own.kind != candidate.kind))
                continue;
            const qint64 ownPlace = own.kind.isEmpty() ? firstPlace(candidate.kind) : own.place;
            if (candidate.place > ownPlace)
                place = std::max(place, candidate.place);
        }
    }
    return place;
}

bool hasNextRel(const QByteArray &rel)
{
    const QList<QByteArray> words = rel.simplified().toLower().split(' ');
    return words.contains("next");
}

// A first look at an address as the page wrote it: false when it cannot name a page of a thread
// (most links of a page), before the address is read as one.
bool mayNamePageAtAGlance(const QByteArray &written)
{
    const QByteArray href = written.toLower();
    const qsizetype end = std::min(href.indexOf('#') < 0 ? href.size() : href.indexOf('#'),
                                   href.indexOf('?') < 0 ? href.size() : href.indexOf('?'));
    const QByteArrayView query = QByteArrayView(href).sliced(end);
    if (query.contains("page=") || query.contains("start=") || query.contains("offset=") ||
        (query.contains('.') && (query.contains("topic=") || query.contains("t=") || query.contains("tid="))))
        return true;
    QByteArrayView path = QByteArrayView(href).first(end);
    while (path.endsWith('/'))
        path.chop(1);
    const QByteArrayView last = path.sliced(path.lastIndexOf('/') + 1);
    if (last.contains("page") || (!last.isEmpty() && std::isdigit(uchar(last.back())) && path.contains("/page/")))
        return true;
    for (qsizetype i = 0; i + 1 < last.size(); ++i) {
        if (last.at(i) == '-' && std::isdigit(uchar(last.at(i + 1))))
            return true;
    }
    return false;
}

// Whether an address, read without the page's, may name a page of a thread.
bool mayNamePage(const QString &href)
{
    const QUrl url(href);
    const QStringList items = url.query(QUrl::FullyEncoded).split(QLatin1Char('&'), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        QStringView key;
        QStringView value;
        if (!splitQueryItem(item, &key, &value))
            continue;
        QStringView thread;
        QStringView first;
        if ((isPlaceKey(key) && isNumber(value)) || (isThreadKey(key) && splitFirstPost(value, &thread, &first)))
            return true;
    }
    QString path = url.path(QUrl::FullyEncoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    const QString last = path.mid(cut + 1);
    return pageSegment().match(last).hasMatch() || numberedSegment().match(last).hasMatch() ||
           (isNumber(last) && path.left(cut < 0 ? 0 : cut).endsWith(QLatin1String("/page"), Qt::CaseInsensitive));
}

} // namespace

QList<PageLink> readPageLinks(const QByteArray &html)
{
    QList<PageLink> links;
    QSet<QString> seen;
    forEachTag(html, [&](const QByteArray &tag, const TagAttributes &attributes) {
        if (links.size() >= maxPageLinks || (tag != "a" && tag != "link" && tag != "area"))
            return;
        const QByteArray href = attributeValue(attributes, "href").trimmed();
        if (href.isEmpty() || href.startsWith('#'))
            return;
        const bool next = hasNextRel(attributeValue(attributes, "rel"));
        if (!next && !mayNamePageAtAGlance(href))
            return;
        PageLink link{QString::fromUtf8(decodeReferences(href)), next};
        if (!link.next && !mayNamePage(link.href))
            return;
        const QString key = (link.next ? QStringLiteral("next ") : QStringLiteral("link ")) + link.href;
        if (seen.contains(key))
            return;
        seen.insert(key);
        links.append(link);
    });
    return links;
}

LaterPages laterPages(const QString &pageUrl, const QList<PageLink> &links)
{
    LaterPages later;
    QUrl page(pageUrl.contains(QLatin1String("://")) ? pageUrl : QStringLiteral("http://") + pageUrl);
    page.setFragment(QString());
    if (!page.isValid() || page.host().isEmpty())
        return later;
    const QList<Reading> own = readingsOf(page);
    for (const PageLink &link : links) {
        QUrl target = page.resolved(QUrl(link.href));
        target.setFragment(QString());
        if (!target.isValid() || target.host().compare(page.host(), Qt::CaseInsensitive) != 0 ||
            target.port() != page.port() || target.scheme().compare(page.scheme(), Qt::CaseInsensitive) != 0)
            continue;
        const QList<Reading> readings = readingsOf(target);
        qint64 place = laterPlace(own, readings);
        // A next page is later by what the link says, whatever its address holds.
        if (place == 0 && link.next && readings.first().stem != own.first().stem)
            place = 1;
        if (place > later.highest) {
            later.highest = place;
            later.lastAddress = target.toString();
        }
    }
    return later;
}
