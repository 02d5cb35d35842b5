// The reader of posts.txt, sizes.txt and postnumbers.txt (the three files split at the first two
// NULs): what it reads, once saved, reads back the same; files it refuses stay as they were.
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

QByteArray dataFileBytes(const QString &name)
{
    QFile file(fuzzDataFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    useFuzzDataFolder();
    const QByteArray posts = firstPart(data, size);
    const QByteArray rest = secondPart(data, size);
    const qsizetype nul = rest.indexOf('\0');
    const QByteArray sizes = nul < 0 ? rest : rest.left(nul);
    writeDataFile(QStringLiteral("posts.txt"), posts);
    writeDataFile(QStringLiteral("sizes.txt"), sizes);
    writeDataFile(QStringLiteral("postnumbers.txt"), nul < 0 ? QByteArray() : rest.mid(nul + 1));
    WatchedPostList list(useFuzzDataFolder());
    list.load();
    if (list.count() > 0)
        WatchedPostList::sizeValue(list.at(0).size);
    if (!list.save().isEmpty()) {
        // Refused: a file it could not take for its list is never overwritten.
        FUZZ_CHECK(dataFileBytes(QStringLiteral("posts.txt")) == posts);
        FUZZ_CHECK(dataFileBytes(QStringLiteral("sizes.txt")) == sizes);
        return 0;
    }
    WatchedPostList again(useFuzzDataFolder());
    again.load();
    FUZZ_CHECK(again.save().isEmpty()); // what it wrote, it takes again
    FUZZ_CHECK(pairs(again) == pairs(list));
    return 0;
}
