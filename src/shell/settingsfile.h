#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// What stands at the settings path, looked at through descriptors only, so
// nothing there can block the game or wake a device driver, and nothing
// swapped in meanwhile is replaced. A link is followed to the regular file
// it names; a write renames a new file over that file, so the link stays.
class SettingsFile
{
public:
    enum class Kind { Missing, Regular, NotOurs };

    // Anything but a regular file of at most maxSize bytes, or a link chain
    // to one, is not ours; so is a link to nothing.
    SettingsFile(const QString &path, qint64 maxSize);
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    Kind kind() const { return m_kind; }
    const QByteArray &contents() const { return m_contents; }

    // True once the new contents are on disk. A regular file is replaced
    // only while it is the one that was read, keeps its mode, owner and
    // group, and only where its permission bits let this user write (root
    // too). A missing one is created, with its missing folders, only where
    // nothing appeared meanwhile.
    [[nodiscard]] bool replace(const QByteArray &contents);

private:
    void locate(qint64 maxSize);
    bool readFrom(int entry, qint64 maxSize);
    bool makeFolders();
    bool permitsWriting() const;
    bool matchOwnerAndMode(int file) const;
    bool moveIntoPlace(const QByteArray &temporary) const;

    QByteArray m_path;
    // The folder holding the file at the end of any links, and its name there.
    int m_folder = -1;
    QByteArray m_name;
    // Held open until the rename, so no new entry can take its inode number.
    int m_file = -1;
    struct stat m_stat = {};
    Kind m_kind = Kind::NotOurs;
    QByteArray m_contents;
};
