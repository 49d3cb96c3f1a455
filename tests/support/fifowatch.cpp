#include "support/fifowatch.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FifoWatch::FifoWatch(const QString &path)
    : m_path(QFile::encodeName(path))
{
    if (::mkfifo(m_path.constData(), 0600) != 0)
        return;
    m_thread = std::thread([this] {
        while (!m_stop) {
            // Without a reader, a non-blocking open for writing fails.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_opened = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

FifoWatch::~FifoWatch()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}
