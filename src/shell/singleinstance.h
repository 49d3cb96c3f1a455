#pragma once

#include <QString>

// A per-user lock file held with flock(). The kernel lets go of it when the
// holding process ends in any way, so a crashed copy never blocks a start.
class SingleInstance
{
public:
    explicit SingleInstance(QString lockPath);
    ~SingleInstance();

    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // numensight.lock in the runtime folder, or in the cache folder where Qt
    // has no runtime folder that is the user's own.
    static QString defaultLockPath();

    // True when another holder has the lock; otherwise takes it and keeps it
    // until this object is destroyed. Asking again while holding it says false,
    // and so does a lock that cannot be opened at all: the game then starts
    // without the guard.
    bool PreviousInstanceRunning();

private:
    QString m_lockPath;
    int m_fd = -1;
};
