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
    static const QList<QByteArray> words{"p", "post", "comment", "msg", "message", "reply", "entry"};
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

} // namespace

QList<qint64> extractPostNumbers(const QByteArray &html)
{
    QHash<QByteArray, QSet<qint64>> families;
    forEachAttribute(html, [&families](const QByteArray &, const QByteArray &name, const QByteArray &value) {
        if (!carriesNames(name))
            return;
        QByteArray family;
        qint64 number = 0;
        if (splitNumberedName(name, value.trimmed(), &family, &number))
            families[family].insert(number);
    });
    QSet<qint64> numbers;
    for (auto it = families.cbegin(); it != families.cend(); ++it) {
        if (it.value().size() >= 2)
            numbers.unite(it.value());
    }
    QList<qint64> sorted(numbers.cbegin(), numbers.cend());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
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
