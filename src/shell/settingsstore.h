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
// whose writes fail while its reads work.
class SettingsStore
{
public:
    explicit SettingsStore(QString filePath);
    virtual ~SettingsStore();

    // One file per executable base name, so a renamed copy keeps its own.
    static QString DefaultFilePath();
    static QString FilePathFor(const QString &configDir, const QString &executablePath);

    const QString &filePath() const { return m_filePath; }

    // Empty for a missing entry and for a file that cannot be read or parsed.
    virtual QString ReadSetting(const QString &key) const;
    // False when the entry did not reach the disk; a file that cannot be
    // parsed is left alone rather than rewritten from what could be parsed.
    [[nodiscard]] virtual bool WriteSetting(const QString &key, const QString &value);

private:
    QString m_filePath;
    // One object for the store's life: QSettings shares a parsed file among
    // all its objects in a process and reports a garbled file only to the
    // first one that parses it. Its status() keeps the first error met, so a
    // store that once failed reads empty and refuses writes from then on.
    std::unique_ptr<QSettings> m_settings;
};
