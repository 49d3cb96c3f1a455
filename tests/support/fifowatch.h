#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

// A FIFO that notes whether anyone opened it. It opens its writing end as soon
// as a reader appears, which also frees a reader blocked in open() for good.
class FifoWatch
{
public:
    explicit FifoWatch(const QString &path);
    ~FifoWatch();

    bool made() const { return m_thread.joinable(); }
    bool opened() const { return m_opened; }

private:
    QByteArray m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_thread;
};
