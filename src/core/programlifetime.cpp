#include "core/programlifetime.h"

void ProgramLifetime::mainWindowClosed(bool browserStillOpen)
{
    m_endPending = browserStillOpen;
    if (!browserStillOpen)
        Q_EMIT ended();
}

void ProgramLifetime::browserWindowClosed()
{
    if (!m_endPending)
        return;
    m_endPending = false;
    Q_EMIT ended();
}
