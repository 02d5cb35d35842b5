// The reader of posts.txt and sizes.txt (the two files split at the first NUL): what it reads,
// once saved, reads back the same.
#include "fuzzsupport.h"
#include "watch/watchedpostlist.h"

namespace {
QStringList pairs(const WatchedPostList &list)
{
    QStringList out;
    for (const WatchedPost &post : list.posts())
        out << post.url << post.size;
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    useFuzzDataFolder();
    writeDataFile(QStringLiteral("posts.txt"), firstPart(data, size));
    writeDataFile(QStringLiteral("sizes.txt"), secondPart(data, size));
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
