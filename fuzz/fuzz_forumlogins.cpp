// The reader of posts2.txt: what it reads, once saved, reads back the same; a file it refuses
// stays as it was.
#include "browser/forumloginlist.h"
#include "fuzzsupport.h"

namespace {
QStringList fields(const ForumLoginList &list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.at(i).url << list.at(i).userName << list.at(i).password;
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    useFuzzDataFolder();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    writeDataFile(QStringLiteral("posts2.txt"), bytes);
    ForumLoginList list(useFuzzDataFolder());
    const bool refused = !list.load().isEmpty();
    FUZZ_CHECK(list.save().isEmpty() != refused);
    if (refused) {
        QFile file(fuzzDataFile(QStringLiteral("posts2.txt")));
        FUZZ_CHECK(list.count() == 0 && file.open(QIODevice::ReadOnly) && file.readAll() == bytes);
        return 0;
    }
    ForumLoginList again(useFuzzDataFolder());
    FUZZ_CHECK(again.load().isEmpty());
    FUZZ_CHECK(fields(again) == fields(list));
    return 0;
}
