#include "shell/singleinstance.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(QString lockPath)
    : m_lockPath(std::move(lockPath))
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString SingleInstance::DefaultLockPath()
{
    const QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Without a runtime directory an empty path cannot be opened, and the
    // guard lets the game start.
    return runtimeDir.isEmpty() ? QString() : runtimeDir + QStringLiteral("/numensight.lock");
}

bool SingleInstance::PreviousInstanceRunning()
{
    if (m_fd >= 0)
        return false;

    // O_CLOEXEC: a browser started from the game must not inherit the lock.
    const int fd = ::open(QFile::encodeName(m_lockPath).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A guard that cannot work must not keep the user from playing.
    if (fd < 0)
        return false;

    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);

    if (result != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return heldElsewhere;
    }
    m_fd = fd;
    return false;
}
