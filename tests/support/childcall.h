#pragma once

#include <QString>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// Runs call in a forked child that an alarm ends after the given seconds, so
// a call that blocks fails the test instead of hanging it. Gives "true" or
// "false" for what the call returned, "blocked" when the alarm ended it.
inline QString callInChild(const std::function<bool()> &call, unsigned seconds = 10)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(call() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || TEMP_FAILURE_RETRY(::waitpid(child, &status, 0)) != child)
        return QStringLiteral("not run");
    if (WIFSIGNALED(status))
        return WTERMSIG(status) == SIGALRM ? QStringLiteral("blocked")
                                           : QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    return WEXITSTATUS(status) == 0 ? QStringLiteral("true") : QStringLiteral("false");
}
