#include "settings/settingsfile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// O_NONBLOCK: a file lease held elsewhere does not hold up the open.
constexpr int OpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

std::optional<QByteArray> readAll(int fd)
{
    QByteArray bytes(SettingsFile::MaxSize + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        size += n;
    }
    if (size > SettingsFile::MaxSize)
        return std::nullopt;
    bytes.truncate(size);
    return bytes;
}
} // namespace

SettingsFile::SettingsFile(const QString &path, Access access)
    : m_path(QFile::encodeName(path))
{
    // O_PATH opens nothing for I/O: a FIFO cannot block it and no driver
    // sees it. It follows links; a link to nothing reads as nothing there,
    // and create() will not write through it.
    const int entry = ::open(m_path.constData(), O_PATH | O_CLOEXEC);
    if (entry < 0) {
        if (errno == ENOENT)
            m_contents = QByteArray();
        return;
    }
    struct stat st;
    const bool ours = ::fstat(entry, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MaxSize
        && (access == Access::Read || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)));
    if (ours) {
        // Reopens the very file the O_PATH descriptor names.
        char self[32];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", entry);
        m_fd = ::open(self, (access == Access::Read ? O_RDONLY : O_RDWR) | OpenFlags);
    }
    ::close(entry);
    if (m_fd >= 0)
        m_contents = readAll(m_fd);
}

SettingsFile::~SettingsFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SettingsFile::create()
{
    for (qsizetype slash = m_path.indexOf('/', 1); slash > 0; slash = m_path.indexOf('/', slash + 1)) {
        if (::mkdir(m_path.left(slash).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    // O_EXCL: never through a link, never onto what appeared since the look.
    m_fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_EXCL | OpenFlags, 0666);
    return m_fd >= 0;
}

bool SettingsFile::replace(const QByteArray &bytes)
{
    if (!m_contents || bytes.size() > MaxSize || (m_fd < 0 && !create()))
        return false;
    // Never shorter than it was (QSettings reads the line feeds as blank
    // lines), so no cut follows the write; and a write of one page at offset
    // 0 is copied into the file in one step, which a kill cannot split.
    const QByteArray text = bytes + QByteArray(std::max(m_contents->size() - bytes.size(), qsizetype(0)), '\n');
    return ::pwrite(m_fd, text.constData(), size_t(text.size()), 0) == text.size() && ::fsync(m_fd) == 0;
}
