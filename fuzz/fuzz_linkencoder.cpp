// Link conversion of any text with the html markup and with empty markup.
#include "compose/linkencoder.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    encodeLinks(text, QStringLiteral("<a href=\""), QStringLiteral("\">"), QStringLiteral("</a>"),
                QStringLiteral("mailto:"));
    // With empty markup every character of the text comes out, bar the line breaks that end an
    // address, plus the visible copy of each address.
    const QString bare = encodeLinks(text, QString(), QString(), QString(), QString());
    FUZZ_CHECK(bare.size() >= text.size() - text.count(QLatin1Char('\r')) - text.count(QLatin1Char('\n')));
    return 0;
}
