#include "shell/singleinstance.h"

#include <QDir>
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

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Qt gives none where its fallback under the temporary folder belongs to
    // another user, who could thus let a second copy in: the user's own cache
    // folder serves instead.
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        QDir().mkpath(dir);
    }
    return dir + QStringLiteral("/numensight.lock");
}

namespace {
// flock needs no write access, so whatever stands at the path is opened
// read-only: a lock file the user cannot write, a directory. O_NONBLOCK
// keeps a FIFO from holding the start. Only where nothing is there is the
// file made, and O_EXCL never creates it through a dangling link.
int openLock(const QByteArray &path)
{
    // O_CLOEXEC: a browser started from the game must not inherit the lock.
    constexpr int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.constData(), O_RDONLY | flags);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | flags, 0600);
        // EEXIST: another copy made it just now, or a link leads nowhere.
        if (made >= 0 || errno != EEXIST)
            return made;
    }
    return -1;
}
} // namespace

bool SingleInstance::PreviousInstanceRunning()
{
    if (m_fd >= 0)
        return false;

    const int fd = openLock(QFile::encodeName(m_lockPath));
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
