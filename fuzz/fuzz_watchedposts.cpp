// The reader of posts.txt, sizes.txt and postnumbers.txt (the three files split at the first two
// NULs): what it reads, once saved, reads back the same.
#include "fuzzsupport.h"
#include "watch/watchedpostlist.h"

namespace {
QStringList pairs(const WatchedPostList &list)
{
    QStringList out;
    for (const WatchedPost &post : list.posts()) {
        out << post.url << post.size << QString::number(int(post.login)) << QString::number(post.laterPage);
        for (const qint64 number : post.postNumbers)
            out << QString::number(number);
    }
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    useFuzzDataFolder();
    writeDataFile(QStringLiteral("posts.txt"), firstPart(data, size));
    const QByteArray rest = secondPart(data, size);
    const qsizetype nul = rest.indexOf('\0');
    writeDataFile(QStringLiteral("sizes.txt"), nul < 0 ? rest : rest.left(nul));
    writeDataFile(QStringLiteral("postnumbers.txt"), nul < 0 ? QByteArray() : rest.mid(nul + 1));
    WatchedPostList list;
    FUZZ_CHECK(list.load().isEmpty());
    if (list.count() > 0)
        WatchedPostList::sizeValue(list.at(0).size);
    FUZZ_CHECK(list.save().isEmpty());
    WatchedPostList again;
    FUZZ_CHECK(again.load().isEmpty());
    FUZZ_CHECK(pairs(again) == pairs(list));
    return 0;
}
