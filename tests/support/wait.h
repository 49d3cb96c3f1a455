#pragma once

#include <QDeadlineTimer>
#include <QTest>

// Checks on the display poll: a busy machine may take seconds to show anything.
namespace Wait {
constexpr int kDeadlineMs = 15000;

// True once `condition` holds, false when the deadline passes first; events run between tries.
template<class Condition>
bool until(Condition condition, int timeoutMs = kDeadlineMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// True when `condition` holds at every try for `ms`: only for what must not
// happen, and only after an event that shows the program has moved on.
template<class Condition>
bool holds(Condition condition, int ms)
{
    const QDeadlineTimer end(ms);
    bool held = true;
    (void)until([&] { return !(held = condition()) || end.hasExpired(); }, ms + kDeadlineMs);
    return held;
}
} // namespace Wait

// Fails unless `condition` comes to hold in time, saying `lastSeen`, which
// the condition's last try leaves describing what it saw.
#define WAIT_VERIFY(condition, lastSeen)                                                           \
    do {                                                                                           \
        if (!Wait::until([&] { return bool(condition); }))                                         \
            QFAIL(qPrintable(QStringLiteral("after %1 ms: %2").arg(Wait::kDeadlineMs).arg(lastSeen))); \
    } while (false)
