#include "app/commandline.h"

#include "core/branding.h"

#include <algorithm>
#include <cstdio>

namespace {

// The options Qt reads itself (QCoreApplication, QGuiApplication, QApplication and the X11
// platform), written with one dash; Qt takes them with two as well.
const QStringList qtOptionsWithValue =
    QStringLiteral("-platform -platformpluginpath -platformtheme -plugin -qwindowgeometry -geometry -qwindowtitle "
                   "-title -qwindowicon -icon -session -display -name -visual -style -stylesheet")
        .split(QLatin1Char(' '));
const QStringList qtFlags =
    QStringLiteral("-reverse -testability -sync -nograb -dograb -widgetcount").split(QLatin1Char(' '));
// The ones Qt also takes as "-option=value".
const QStringList qtOptionsWithAttachedValue =
    QStringLiteral("-session= -style= -stylesheet= -qmljsdebugger=").split(QLatin1Char(' '));

CommandLineRequest refuse(const QString &why)
{
    return {CommandLineRequest::Action::Refuse, QStringLiteral("threadloom: %1; see threadloom --help").arg(why)};
}

} // namespace

CommandLineRequest readCommandLine(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return {CommandLineRequest::Action::Help, QString()};
        if (argument == QLatin1String("--version"))
            return {CommandLineRequest::Action::Version, QString()};
        // The browser engine reads what follows; Qt matches the word in any case.
        if (argument.compare(QLatin1String("--webEngineArgs"), Qt::CaseInsensitive) == 0)
            break;
        if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-')))
            return refuse(QStringLiteral("\"%1\" is not an option").arg(argument));
        const QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
        if (qtFlags.contains(option))
            continue;
        if (qtOptionsWithValue.contains(option)) {
            if (i + 1 >= arguments.size())
                return refuse(QStringLiteral("option \"%1\" needs a value").arg(argument));
            ++i;
            continue;
        }
        const bool attached = std::any_of(qtOptionsWithAttachedValue.cbegin(), qtOptionsWithAttachedValue.cend(),
                                          [&option](const QString &start) { return option.startsWith(start); });
        if (!attached)
            return refuse(QStringLiteral("unknown option \"%1\"").arg(argument));
    }
    return {};
}

QString usageText()
{
    return QStringLiteral("Usage: threadloom [OPTION]... [--webEngineArgs SWITCH...]\n"
                          "Write one message, post it to web forums with their link markup and watch the threads\n"
                          "for new replies.\n"
                          "\n"
                          "  -h, --help       show this help and end\n"
                          "      --version    show the version and end\n"
                          "  --webEngineArgs SWITCH...\n"
                          "                   hand the switches after it to the embedded browser (Chromium),\n"
                          "                   e.g. --webEngineArgs --remote-debugging-port=9222\n"
                          "\n"
                          "Qt's own options are understood too: -platform NAME, -style NAME, -stylesheet FILE,\n"
                          "-reverse, -display DISPLAY, -geometry GEOMETRY and the others Qt documents.\n"
                          "\n"
                          "Environment:\n"
                          "  QT_QPA_PLATFORM             the window system; \"offscreen\" needs no display\n"
                          "  QTWEBENGINE_CHROMIUM_FLAGS  switches for the embedded browser; while it is set, the\n"
                          "                              ones after --webEngineArgs are not read\n"
                          "  QTWEBENGINE_DISABLE_SANDBOX turns the browser's sandbox off (root's always is)\n"
                          "\n"
                          "Messages, forums and watched threads are kept in ~/.local/share/Threadloom/, the\n"
                          "settings in ~/.config/Threadloom/Threadloom.conf.\n");
}

QString versionText()
{
    const Branding &b = branding();
    return QStringLiteral("%1 %2.%3.%4\n")
        .arg(b.programName)
        .arg(b.versionMajor)
        .arg(b.versionMinor)
        .arg(b.versionRevision);
}

std::optional<int> answerCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLineRequest request = readCommandLine(arguments);
    switch (request.action) {
    case CommandLineRequest::Action::Run: return std::nullopt;
    case CommandLineRequest::Action::Help: std::fputs(usageText().toLocal8Bit().constData(), stdout); return 0;
    case CommandLineRequest::Action::Version: std::fputs(versionText().toLocal8Bit().constData(), stdout); return 0;
    case CommandLineRequest::Action::Refuse:
        std::fprintf(stderr, "%s\n", request.refusal.toLocal8Bit().constData());
        return 2;
    }
    return std::nullopt;
}
