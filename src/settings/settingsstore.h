#pragma once

#include <QString>

namespace SettingKeys {
inline const QString Duration = QStringLiteral("Duration");
} // namespace SettingKeys

// The per-user INI file, section "Settings", key names and values scrambled.
// QSettings reads and writes the text; the file itself is SettingsFile's.
class SettingsStore
{
public:
    explicit SettingsStore(QString filePath);

    // One file per executable base name, so a renamed copy keeps its own.
    static QString defaultFilePath();
    // The same in another configuration folder (the usage names it as
    // "$XDG_CONFIG_HOME").
    static QString filePathIn(const QString &configDir);

    // Empty for a missing entry and for a file that cannot be read or parsed.
    QString ReadSetting(const QString &key) const;

    // False when the entry did not reach the disk. The rest of the file is
    // kept, its sections in QSettings' order: one that QSettings would write
    // otherwise (a comment, other spellings) is left as it is.
    [[nodiscard]] bool WriteSetting(const QString &key, const QString &value);

private:
    QString m_filePath;
    // Where QSettings gets its copies; empty where Qt has no runtime folder
    // of the user's own, and then the store reads and writes nothing.
    QString m_runtimeDir;
};
