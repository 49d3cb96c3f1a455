#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file, reached through one descriptor from the look to the
// write: nothing at the path can block the game or wake a device, and
// nothing swapped in meanwhile is written. A link is followed to the regular
// file it names, and that file is rewritten in place, so the link stays.
class SettingsFile
{
public:
    // The game's file holds a few short entries; anything larger is not its.
    // No more than the smallest page, so that a rewrite is a single write.
    static constexpr qint64 MaxSize = 4096;

    enum class Access { Read, Write };

    // Only a regular file of at most MaxSize is opened. For writing, only
    // one that has a write bit: the kernel judges this user's bits, and a
    // file made read-only stays so for root too.
    SettingsFile(const QString &path, Access access);
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    // Empty where nothing stands at the path; nothing where what stands
    // there is not the game's to open.
    const std::optional<QByteArray> &contents() const { return m_contents; }

    // True once the bytes are on disk, in the file opened, or in a new one
    // (with its missing folders, private to the user) where nothing stood
    // and nothing has appeared since. More than MaxSize is never written.
    [[nodiscard]] bool replace(const QByteArray &bytes);

private:
    bool create();

    QByteArray m_path;
    int m_fd = -1;
    std::optional<QByteArray> m_contents;
};
