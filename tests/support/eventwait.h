#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

// Handles events until ready() holds or timeoutMs have passed, and returns ready()'s last answer.
// QTest::qWaitFor and the QTRY_ macros sleep between their rounds; every message that the browser
// engine's processes, a local server or a D-Bus service pass through this thread then waits for
// the sleep to end. This waits for the next event instead, and wakes for it at once.
template<typename Ready> bool waitUntil(Ready ready, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick; // looks at ready() again at least this often, events or not
    tick.start(5);
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // As QTest::qWait does: a window that closed itself during the wait is gone when looked at.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// QTRY_VERIFY and QTRY_COMPARE on waitUntil.
#define WAIT_VERIFY(expr, timeoutMs) QVERIFY2(waitUntil([&] { return bool(expr); }, timeoutMs), #expr)
#define WAIT_COMPARE(actual, expected, timeoutMs)                                                                      \
    do {                                                                                                               \
        waitUntil([&] { return (actual) == (expected); }, timeoutMs);                                                  \
        QCOMPARE(actual, expected);                                                                                    \
    } while (false)
