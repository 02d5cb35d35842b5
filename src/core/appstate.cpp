#include "core/appstate.h"

#include <QCoreApplication>

namespace {
bool g_pendingExit = false;
std::function<void()> g_endHook;
} // namespace

bool pendingExit()
{
    return g_pendingExit;
}

void setPendingExit(bool value)
{
    g_pendingExit = value;
}

void endProgram()
{
    if (g_endHook) {
        g_endHook();
        return;
    }
    // Queued, so that the window that asked has finished its own close first.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

void setEndProgramHookForTesting(std::function<void()> hook)
{
    g_endHook = std::move(hook);
}
