// The reader of posts2.txt: what it reads, once saved, reads back the same.
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
    writeDataFile(QStringLiteral("posts2.txt"), QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    ForumLoginList list;
    FUZZ_CHECK(list.load().isEmpty());
    FUZZ_CHECK(list.save().isEmpty());
    ForumLoginList again;
    FUZZ_CHECK(again.load().isEmpty());
    FUZZ_CHECK(fields(again) == fields(list));
    return 0;
}
