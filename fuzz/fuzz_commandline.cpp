// The command-line reader, on arguments split at NUL bytes as the system hands them over.
#include "app/commandline.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList arguments{QStringLiteral("threadloom")};
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &argument : all.split('\0'))
        arguments.append(QString::fromLocal8Bit(argument));
    const CommandLineRequest request = readCommandLine(arguments);
    const bool refused = request.action == CommandLineRequest::Action::Refuse;
    FUZZ_CHECK(refused != request.refusal.isEmpty());
    FUZZ_CHECK(!request.refusal.contains(QLatin1Char('\n')) || arguments.join(QString()).contains(QLatin1Char('\n')));
    return 0;
}
