#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// The bytes of a file, or nothing when it cannot be read (missing, or a
// directory in its place).
inline QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Type, mode, owner, inode and a link's target: enough to tell it replaced.
inline QString describePath(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    return QStringLiteral("%1 %2:%3 inode %4 ").arg(st.st_mode, 0, 8).arg(st.st_uid).arg(st.st_gid).arg(st.st_ino)
        + QFile::symLinkTarget(path);
}

// A file watched for opens, by a program started from it among others.
class OpenWatch
{
public:
    explicit OpenWatch(const QString &path)
        : m_made(::inotify_add_watch(m_watch, QFile::encodeName(path).constData(), IN_OPEN) >= 0)
    {
    }
    ~OpenWatch() { ::close(m_watch); }

    bool opened() const
    {
        int queued = 0;
        return m_made && ::ioctl(m_watch, FIONREAD, &queued) == 0 && queued > 0;
    }

private:
    const int m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const bool m_made;
};

// A FIFO watched for opens (an O_PATH look is none); what may block on it runs under callInChild.
class FifoWatch
{
public:
    explicit FifoWatch(const QString &path)
        : m_made(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                 && ::inotify_add_watch(m_watch, QFile::encodeName(path).constData(), IN_OPEN) >= 0)
    {
    }
    ~FifoWatch() { ::close(m_watch); }

    bool made() const { return m_made; }
    bool opened() const
    {
        int queued = 0;
        return ::ioctl(m_watch, FIONREAD, &queued) != 0 || queued > 0;
    }

private:
    const int m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const bool m_made;
};
