#include "support/childcall.h"

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

QString callInChild(const std::function<bool()> &call, unsigned seconds)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(call() ? 0 : 1);
    }
    int status = 0;
    pid_t ended;
    while ((ended = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    if (child < 0 || ended != child)
        return QStringLiteral("not run");
    if (WIFSIGNALED(status))
        return WTERMSIG(status) == SIGALRM ? QStringLiteral("blocked")
                                           : QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    return WEXITSTATUS(status) == 0 ? QStringLiteral("true") : QStringLiteral("false");
}
