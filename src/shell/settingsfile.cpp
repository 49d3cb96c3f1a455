#include "shell/settingsfile.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
constexpr int MaxLinks = 16;

class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

std::pair<QByteArray, QByteArray> folderAndName(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArrayLiteral("."), path};
    return {slash == 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

int openFolder(int at, const QByteArray &path)
{
    return ::openat(at, path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

QByteArray linkTarget(int link)
{
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const ssize_t size = ::readlinkat(link, "", target.data(), target.size());
    return size > 0 && size < target.size() ? target.left(size) : QByteArray();
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool inGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    std::vector<gid_t> groups(std::max(::getgroups(0, nullptr), 0));
    groups.resize(std::max(::getgroups(int(groups.size()), groups.data()), 0));
    return std::find(groups.cbegin(), groups.cend(), group) != groups.cend();
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
} // namespace

SettingsFile::SettingsFile(const QString &path, qint64 maxSize)
    : m_path(QFile::encodeName(path))
{
    locate(maxSize);
}

SettingsFile::~SettingsFile()
{
    if (m_file >= 0)
        ::close(m_file);
    if (m_folder >= 0)
        ::close(m_folder);
}

void SettingsFile::locate(qint64 maxSize)
{
    const auto [folder, name] = folderAndName(m_path);
    m_folder = openFolder(AT_FDCWD, folder);
    if (m_folder < 0) {
        m_kind = errno == ENOENT ? Kind::Missing : Kind::NotOurs;
        return;
    }
    m_name = name;
    for (int hop = 0; hop <= MaxLinks && !m_name.isEmpty(); ++hop) {
        // O_PATH opens nothing for I/O: a FIFO cannot block it, and no
        // driver sees it.
        Descriptor entry(::openat(m_folder, m_name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (entry.get() < 0) {
            if (errno == ENOENT && hop == 0)
                m_kind = Kind::Missing;
            return;
        }
        if (::fstat(entry.get(), &m_stat) != 0)
            return;
        if (!S_ISLNK(m_stat.st_mode)) {
            if (S_ISREG(m_stat.st_mode) && m_stat.st_size <= maxSize && readFrom(entry.get(), maxSize)) {
                m_kind = Kind::Regular;
                m_file = entry.release();
            }
            return;
        }
        const auto [targetFolder, targetName] = folderAndName(linkTarget(entry.get()));
        if (targetFolder != ".") {
            const int next = openFolder(m_folder, targetFolder);
            if (next < 0)
                return;
            ::close(std::exchange(m_folder, next));
        }
        m_name = targetName;
    }
}

// Reopens the very file the O_PATH descriptor names; O_NONBLOCK also keeps
// a file lease from holding up the open.
bool SettingsFile::readFrom(int entry, qint64 maxSize)
{
    char path[32];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", entry);
    const Descriptor file(::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened;
    if (file.get() < 0 || ::fstat(file.get(), &opened) != 0 || !sameFile(opened, m_stat))
        return false;
    m_contents.resize(maxSize + 1);
    qsizetype size = 0;
    while (size < m_contents.size()) {
        const ssize_t n = ::read(file.get(), m_contents.data() + size, size_t(m_contents.size() - size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        size += n;
    }
    m_contents.truncate(size);
    return size <= maxSize;
}

bool SettingsFile::makeFolders()
{
    const auto [folder, name] = folderAndName(m_path);
    for (qsizetype slash = folder.indexOf('/', 1);; slash = folder.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? folder : folder.left(slash);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            break;
    }
    m_folder = openFolder(AT_FDCWD, folder);
    m_name = name;
    return m_folder >= 0 && !m_name.isEmpty();
}

// Judged from the bits alone: root could write anything, but a file its
// user made read-only stays as it is.
bool SettingsFile::permitsWriting() const
{
    if (m_stat.st_uid == ::geteuid())
        return m_stat.st_mode & S_IWUSR;
    if (inGroup(m_stat.st_gid))
        return m_stat.st_mode & S_IWGRP;
    return m_stat.st_mode & S_IWOTH;
}

bool SettingsFile::matchOwnerAndMode(int file) const
{
    struct stat made;
    if (::fstat(file, &made) != 0)
        return false;
    if ((made.st_uid != m_stat.st_uid || made.st_gid != m_stat.st_gid)
        && ::fchown(file, m_stat.st_uid, m_stat.st_gid) != 0)
        return false;
    return ::fchmod(file, m_stat.st_mode & 07777) == 0;
}

bool SettingsFile::moveIntoPlace(const QByteArray &temporary) const
{
    const char *from = temporary.constData();
    const char *to = m_name.constData();
    if (m_kind == Kind::Regular) {
        struct stat now;
        if (::fstatat(m_folder, to, &now, AT_SYMLINK_NOFOLLOW) != 0 || !sameFile(now, m_stat))
            return false;
        return ::renameat(m_folder, from, m_folder, to) == 0;
    }
    if (::renameat2(m_folder, from, m_folder, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A filesystem without RENAME_NOREPLACE: a new link never replaces either.
    if (::linkat(m_folder, from, m_folder, to, 0) != 0)
        return false;
    ::unlinkat(m_folder, from, 0);
    return true;
}

bool SettingsFile::replace(const QByteArray &contents)
{
    if (m_kind == Kind::NotOurs || (m_kind == Kind::Regular && !permitsWriting()))
        return false;
    if (m_folder < 0 && !makeFolders())
        return false;

    QByteArray temporary;
    Descriptor file;
    for (int attempt = 0; attempt < 8 && file.get() < 0; ++attempt) {
        temporary = '.' + m_name.left(64) + '.'
            + QByteArray::number(QRandomGenerator::system()->generate64(), 36);
        file.reset(::openat(m_folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            m_kind == Kind::Missing ? 0666 : 0600));
        if (file.get() < 0 && errno != EEXIST)
            return false;
    }
    if (file.get() < 0)
        return false;

    bool done = writeAll(file.get(), contents)
        && (m_kind == Kind::Missing || matchOwnerAndMode(file.get()))
        && ::fsync(file.get()) == 0;
    done = ::close(file.release()) == 0 && done;
    if (!done || !moveIntoPlace(temporary)) {
        ::unlinkat(m_folder, temporary.constData(), 0);
        return false;
    }
    const Descriptor folder(::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.get() >= 0 && ::fsync(folder.get()) == 0;
}
