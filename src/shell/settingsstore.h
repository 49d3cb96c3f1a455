#pragma once

#include <QString>

#include <memory>

class QSettings;

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
}

// The per-user INI file under section "Settings". Key names and values
// never reach the file in plain form. Virtual so a test can stand in a store
// of its own.
class SettingsStore
{
public:
    // Our file holds one short entry; anything larger is not ours.
    static constexpr qint64 MaxFileSize = 4096;

    explicit SettingsStore(QString filePath);
    virtual ~SettingsStore();

    // One file per executable base name, so a renamed copy keeps its own.
    static QString defaultFilePath();
    static QString filePathFor(const QString &configDir, const QString &executablePath);

    const QString &filePath() const { return m_filePath; }

    // Empty for a missing entry and for a file that cannot be read or parsed.
    // Only a regular file of at most MaxFileSize, or a link to one, is read;
    // anything else at the path reads empty without being opened.
    virtual QString ReadSetting(const QString &key) const;
    // False when the entry did not reach the disk. Only a missing file or one
    // that holds nothing but this entry is written (through a link, its
    // target); anything else is left exactly as it is.
    [[nodiscard]] virtual bool WriteSetting(const QString &key, const QString &value);

private:
    QSettings &settingsFor(const QString &file) const;

    QString m_filePath;
    // One object per file for the store's life: QSettings shares a parsed
    // file among all its objects in a process and reports a garbled file only
    // to the first one that parses it. Its status() keeps the first error
    // met, so a store that once failed reads empty and refuses writes from
    // then on. Made on first use, once the path is known to be safe to open.
    mutable QString m_settingsFile;
    mutable std::unique_ptr<QSettings> m_settings;
};
