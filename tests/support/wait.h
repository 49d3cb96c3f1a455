#pragma once

#include <QDeadlineTimer>
#include <QTest>

// Checks on the display poll: a busy machine may take seconds to show anything.
namespace Wait {
constexpr int kDeadlineMs = 15000;

// True when `condition` comes to hold before the deadline; events run between tries.
template<class Condition>
bool until(Condition condition, int timeoutMs = kDeadlineMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// True when `condition` still holds at every try for `ms`. Only for what must
// not happen, and only after an event that shows the program has moved on.
template<class Condition>
bool holds(Condition condition, int ms)
{
    const QDeadlineTimer end(ms);
    while (condition()) {
        if (end.hasExpired())
            return true;
        QTest::qWait(20);
    }
    return false;
}
} // namespace Wait

// Fails the test unless `condition` comes to hold before the deadline, saying
// `lastSeen`, which the condition's last try leaves describing what it saw.
#define WAIT_VERIFY(condition, lastSeen)                                  \
    do {                                                                  \
        if (!Wait::until([&] { return bool(condition); }))                \
            QFAIL(qPrintable(QStringLiteral("waited %1 s; last saw: %2")  \
                                 .arg(Wait::kDeadlineMs / 1000)          \
                                 .arg(lastSeen)));                        \
    } while (false)
