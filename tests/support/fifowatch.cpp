#include "support/fifowatch.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

FifoWatch::FifoWatch(const QString &path)
    : m_path(QFile::encodeName(path))
{
    if (::mkfifo(m_path.constData(), 0600) != 0)
        return;
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0 && ::inotify_add_watch(m_watch, m_path.constData(), IN_OPEN) < 0) {
        ::close(m_watch);
        m_watch = -1;
    }
    m_thread = std::thread([this] {
        while (!m_stop) {
            // Without a reader, a non-blocking open for writing fails.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

FifoWatch::~FifoWatch()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_watch >= 0)
        ::close(m_watch);
}

// The writing end opens only once a reader is there, so any open event
// means someone else opened the path.
bool FifoWatch::opened() const
{
    char events[4096];
    if (!m_opened && m_watch >= 0)
        m_opened = ::read(m_watch, events, sizeof events) > 0;
    return m_opened;
}
