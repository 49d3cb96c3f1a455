#pragma once

#include <QString>
#include <QStringList>

class IniSection;

// The shift of the scramble. Two digits; 31 keeps every letter of the key
// names and every character of a stored date inside the 8-bit range, and
// no scrambled key name holds '/' or '\\', which QSettings reads as a group.
inline constexpr int ScrambleShift = 31;

// Both work on 8-bit codes: a character that would leave 0..255, or that is
// not an 8-bit character in the first place, is dropped without a word.
QString ScrambleText(const QString &text);
QString UnscrambleText(const QString &text);

namespace SettingKeys {
inline const QString Duration = QStringLiteral("Duration");
// The store rewrites its file only while everything in it is an entry of
// section "Settings" under one of these keys; anything else there (another
// section, another key, a comment) makes the file another program's.
inline const QStringList Known = {Duration};
} // namespace SettingKeys

// The per-user INI file under section "Settings", in QSettings' IniFormat.
// Key names and values never reach the file in plain form.
class SettingsStore
{
public:
    // Our file holds a few short entries; anything larger is not ours.
    static constexpr qint64 MaxFileSize = 4096;

    explicit SettingsStore(QString filePath, QStringList knownKeys = SettingKeys::Known);

    // One file per executable base name, so a renamed copy keeps its own.
    static QString defaultFilePath();
    static QString filePathFor(const QString &configDir, const QString &executablePath);

    const QString &filePath() const { return m_filePath; }

    // Empty for a missing entry and for a file that cannot be read or parsed.
    // Only a regular file of at most MaxFileSize, or a link to one, is read;
    // anything else at the path reads empty without being opened.
    QString ReadSetting(const QString &key) const;
    // False when the entry did not reach the disk, and for a key not known.
    // Nothing at the path but our own file, or nothing at all, is written
    // (through a link, its target); see SettingsFile.
    [[nodiscard]] bool WriteSetting(const QString &key, const QString &value);

private:
    bool holdsOnlyKnownEntries(const IniSection &section) const;

    QString m_filePath;
    QStringList m_knownKeys;
};
