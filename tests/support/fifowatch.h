#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

// A FIFO made at a path that notes, through inotify, whether anyone opened
// it (an O_PATH look is no open), and opens its writing end as soon as a
// reader appears, which frees a reader blocked in open() for good.
class FifoWatch
{
public:
    explicit FifoWatch(const QString &path);
    ~FifoWatch();

    bool made() const { return m_watch >= 0; }
    bool opened() const;

private:
    QByteArray m_path;
    int m_watch = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable bool m_opened = false;
};
