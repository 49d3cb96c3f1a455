#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

// Notes whether anyone opened a path for reading or writing, through
// inotify: an O_PATH look is no open. Made with a FIFO, it also opens the
// FIFO's writing end as soon as a reader appears, which frees a reader
// blocked in open() for good; over a node that exists (a device), it only
// watches.
class FifoWatch
{
public:
    enum class Make { Fifo, Nothing };
    explicit FifoWatch(const QString &path, Make make = Make::Fifo);
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
