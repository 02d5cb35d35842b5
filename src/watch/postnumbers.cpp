#include "watch/postnumbers.h"

#include "watch/htmlattributes.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cctype>

namespace {

// Longer numbers are no post numbers but hashes or times.
constexpr int maxDigits = 12;

bool namesPost(const QByteArray &word)
{
    static const QList<QByteArray> words{"p", "pid", "post", "comment", "msg", "message", "reply", "entry"};
    return words.contains(word);
}

bool carriesNames(const QByteArray &attribute)
{
    return attribute == "id" || attribute == "name" || attribute.startsWith("data-");
}

// Splits "div-comment-123" into the family "div-comment-" and 123; false when the value does not
// end in a number, or its text before the number does not end in a word that names a post. For
// a data attribute holding only a number, the attribute's own name ("data-post-id") says it.
bool splitNumberedName(const QByteArray &attribute, const QByteArray &value, QByteArray *family, qint64 *number)
{
    qsizetype digits = 0;
    while (digits < value.size() && std::isdigit(uchar(value.at(value.size() - 1 - digits))))
        ++digits;
    if (digits == 0 || digits > maxDigits)
        return false;
    const QByteArray prefix = value.left(value.size() - digits).toLower();
    QByteArray words = prefix;
    if (prefix.isEmpty()) {
        if (!attribute.startsWith("data-"))
            return false;
        words = attribute.mid(5);
        if (words.endsWith("-id"))
            words.chop(3);
        else if (words.endsWith("id"))
            words.chop(2);
    }
    while (words.endsWith('-') || words.endsWith('_'))
        words.chop(1);
    const qsizetype cut = std::max(words.lastIndexOf('-'), words.lastIndexOf('_'));
    const QByteArray last = words.mid(cut + 1);
    if (!namesPost(last) || !std::all_of(prefix.cbegin(), prefix.cend(),
                                         [](char c) { return std::isalpha(uchar(c)) || c == '-' || c == '_'; }))
        return false;
    *family = attribute + '=' + prefix;
    *number = value.right(digits).toLongLong();
    return true;
}

// Only ids and anchor names can be scrolled to, or pointed at by a link's fragment.
bool namesAnchor(const QByteArray &attribute)
{
    return attribute == "id" || attribute == "name";
}

} // namespace

PostNames readPostNames(const QByteArray &html)
{
    // An anchor name with the place it has among the page's names, so the first one wins.
    struct Anchor
    {
        qint64 place = 0;
        QByteArray name;
    };
    struct Family
    {
        QSet<qint64> numbers;
        QHash<qint64, Anchor> anchors; // ids and anchor names only
    };
    QHash<QByteArray, Family> families;
    QSet<QByteArray> fragments; // what the page's links point at within a page
    qint64 place = 0;
    forEachAttribute(html, [&](const QByteArray &, const QByteArray &name, const QByteArray &value) {
        if (name == "href") {
            const qsizetype hash = value.indexOf('#');
            if (hash >= 0 && hash + 1 < value.size())
                fragments.insert(value.mid(hash + 1).trimmed());
            return;
        }
        if (!carriesNames(name))
            return;
        const QByteArray trimmed = value.trimmed();
        QByteArray family;
        qint64 number = 0;
        if (!splitNumberedName(name, trimmed, &family, &number))
            return;
        Family &found = families[family];
        found.numbers.insert(number);
        if (namesAnchor(name) && !found.anchors.contains(number))
            found.anchors.insert(number, {place++, trimmed});
    });
    QHash<qint64, Anchor> anchors;
    const auto keepFirst = [&anchors](qint64 number, const Anchor &anchor) {
        const auto known = anchors.constFind(number);
        if (known == anchors.cend() || anchor.place < known->place)
            anchors.insert(number, anchor);
    };
    QSet<qint64> numbers;
    for (auto it = families.cbegin(); it != families.cend(); ++it) {
        if (it.value().numbers.size() < 2)
            continue;
        numbers.unite(it.value().numbers);
        for (auto anchor = it.value().anchors.cbegin(); anchor != it.value().anchors.cend(); ++anchor)
            keepFirst(anchor.key(), anchor.value());
    }
    if (numbers.isEmpty()) {
        // A lone post its own link points at. Two such numbers are no one post.
        for (auto it = families.cbegin(); it != families.cend(); ++it) {
            for (auto anchor = it.value().anchors.cbegin(); anchor != it.value().anchors.cend(); ++anchor) {
                if (!fragments.contains(anchor.value().name))
                    continue;
                if (!numbers.isEmpty() && !numbers.contains(anchor.key()))
                    return PostNames();
                numbers.insert(anchor.key());
                keepFirst(anchor.key(), anchor.value());
            }
        }
    }
    PostNames names;
    names.numbers = QList<qint64>(numbers.cbegin(), numbers.cend());
    std::sort(names.numbers.begin(), names.numbers.end());
    for (auto it = anchors.cbegin(); it != anchors.cend(); ++it)
        names.anchors.insert(it.key(), it.value().name);
    return names;
}

QList<qint64> extractPostNumbers(const QByteArray &html)
{
    return readPostNames(html).numbers;
}

int newPostCount(const QList<qint64> &before, const QList<qint64> &now)
{
    int count = 0;
    for (const qint64 number : now) {
        if (!std::binary_search(before.cbegin(), before.cend(), number))
            ++count;
    }
    return count;
}

qint64 firstNewPost(const QList<qint64> &before, const QList<qint64> &now)
{
    for (const qint64 number : now) {
        if (!std::binary_search(before.cbegin(), before.cend(), number))
            return number;
    }
    return -1;
}
