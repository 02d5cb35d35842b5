#include "app/startupchecks.h"

#include <QList>
#include <QMessageLogContext>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <utility>

namespace {

bool platformNeedsNoDisplay(const QString &name)
{
    return name != QLatin1String("xcb") && !name.startsWith(QLatin1String("wayland"));
}

// Qt's platform messages said while the application object is made, replayed when it was made.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;
bool sandboxTurnedOff = false;

void passOn(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
        // Qt found no window system to talk to; say so plainly rather than abort.
        std::fprintf(stderr, "%s\n", qPrintable(noDisplayLine(qEnvironmentVariable("DISPLAY"))));
        std::fflush(stderr);
        std::_Exit(1);
    }
    const QByteArray category(context.category ? context.category : "");
    if (category.startsWith("qt.qpa")) {
        heldMessages.append({type, category, text});
        return;
    }
    passOn(type, context, text);
}

} // namespace

QString platformArgument(const QStringList &arguments)
{
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("-platform") || arguments.at(i) == QLatin1String("--platform"))
            return arguments.at(i + 1);
    }
    return QString();
}

bool displayAvailable(const QString &platformArgument, const QString &qpaPlatform, const QString &display,
                      const QString &waylandDisplay)
{
    const QString named = platformArgument.isEmpty() ? qpaPlatform : platformArgument;
    const QStringList candidates = named.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (candidates.isEmpty())
        return !display.isEmpty() || !waylandDisplay.isEmpty();
    for (const QString &candidate : candidates) {
        const QString name = candidate.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        if (name.isEmpty())
            continue;
        if (platformNeedsNoDisplay(name))
            return true;
        if (name == QLatin1String("xcb") ? !display.isEmpty() : !waylandDisplay.isEmpty())
            return true;
    }
    return false;
}

QString noDisplayLine(const QString &unreachableDisplay)
{
    if (unreachableDisplay.isEmpty())
        return QStringLiteral("no display: set DISPLAY or run with QT_QPA_PLATFORM=offscreen");
    return QStringLiteral("no display: cannot open display \"%1\"; set DISPLAY or run with QT_QPA_PLATFORM=offscreen")
        .arg(unreachableDisplay);
}

bool sandboxMustBeTurnedOff(bool runningAsRoot, bool disableSandboxSet, const QByteArray &chromiumFlags)
{
    if (!runningAsRoot || disableSandboxSet)
        return false;
    const QList<QByteArray> flags = chromiumFlags.simplified().split(' ');
    return !flags.contains(QByteArrayLiteral("--no-sandbox"));
}

QString sandboxOffLine()
{
    return QStringLiteral("running as root: the browser's sandbox is turned off (it cannot work for root)");
}

int runStartupChecks(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!displayAvailable(platformArgument(arguments), qEnvironmentVariable("QT_QPA_PLATFORM"),
                          qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"))) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplayLine()));
        return 1;
    }
    if (sandboxMustBeTurnedOff(geteuid() == 0, qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"),
                               qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"))) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        sandboxTurnedOff = true;
    }
    previousHandler = qInstallMessageHandler(startupMessageHandler);
    return 0;
}

void finishStartupChecks()
{
    qInstallMessageHandler(previousHandler);
    const QList<HeldMessage> held = std::exchange(heldMessages, {});
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        passOn(message.type, context, message.text);
    }
    // Said only once the window system answered, so a failed start stays at one line.
    if (sandboxTurnedOff)
        std::fprintf(stderr, "%s\n", qPrintable(sandboxOffLine()));
}
