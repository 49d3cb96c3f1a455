#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>

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

// Hidden ones and dangling links too.
inline QStringList folderEntries(const QString &folder)
{
    return QDir(folder, {}, QDir::Name, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        .entryList();
}

// What stands at a path, closely enough to tell it replaced or rewritten:
// "<mode> <uid>:<gid> inode <n> " and a link's target or a regular file's
// bytes in hex. Opens nothing but a regular file.
inline QString describePath(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    const QString kept = QStringLiteral("%1 %2:%3 inode %4 ")
                             .arg(st.st_mode & 07777, 0, 8).arg(st.st_uid).arg(st.st_gid).arg(st.st_ino);
    if (S_ISLNK(st.st_mode))
        return kept + QFile::symLinkTarget(path);
    return kept + QString::fromLatin1(S_ISREG(st.st_mode) ? fileContents(path).toHex() : QByteArray());
}
