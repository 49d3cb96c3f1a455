#include "settings/settingsstore.h"

#include "settings/scramble.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>
#include <utility>

namespace {
const QString Section = QStringLiteral("Settings/");

// QSettings works on copies in a new folder only this process can enter, so
// its lock file and its temporary file never meet anything at the user's
// path, and it never opens that path itself. The folder is made in the
// runtime folder, which the desktop empties at logout, so copies a kill
// leaves behind do not pile up; without one there are no copies.
class PrivateFolder
{
public:
    explicit PrivateFolder(const QString &runtimeDir)
    {
        if (!runtimeDir.isEmpty())
            m_dir.emplace(runtimeDir + QStringLiteral("/numensight-XXXXXX"));
    }

    // The path of a new file there holding the bytes; empty if it cannot be made.
    QString put(const QString &name, const QByteArray &bytes) const
    {
        if (!m_dir || !m_dir->isValid())
            return {};
        QFile file(m_dir->filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

// The lines that carry something, in order, so that entries QSettings
// merely sorts compare equal.
QList<QByteArray> sortedLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    lines.removeAll(QByteArray());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The file's text with the entry set, or nothing where rewriting it would
// lose or change something besides that entry.
std::optional<QByteArray> withEntry(const QString &runtimeDir, const QByteArray &original, const QString &key,
                                    const QString &value)
{
    const PrivateFolder folder(runtimeDir);
    const QString read = folder.put(QStringLiteral("read.ini"), original);
    const QString written = folder.put(QStringLiteral("written.ini"), {});
    if (read.isEmpty() || written.isEmpty())
        return std::nullopt;
    QSettings before(read, QSettings::IniFormat);
    const QStringList keys = before.allKeys();
    if (before.status() != QSettings::NoError
        || !std::all_of(keys.cbegin(), keys.cend(), [](const QString &k) { return k.startsWith(Section); }))
        return std::nullopt;
    QSettings after(written, QSettings::IniFormat);
    for (const QString &k : keys)
        after.setValue(k, before.value(k));
    after.sync();
    if (sortedLines(PrivateFolder::contents(written)) != sortedLines(original))
        return std::nullopt;
    after.setValue(Section + key, value);
    after.sync();
    if (after.status() != QSettings::NoError)
        return std::nullopt;
    return PrivateFolder::contents(written);
}
} // namespace

SettingsStore::SettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
    , m_runtimeDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
{
}

QString SettingsStore::defaultFilePath()
{
    return filePathFor(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                       QCoreApplication::applicationFilePath());
}

QString SettingsStore::filePathFor(const QString &configDir, const QString &executablePath)
{
    return configDir + QStringLiteral("/Numensight/")
        + QFileInfo(executablePath).completeBaseName() + QStringLiteral(".ini");
}

QString SettingsStore::ReadSetting(const QString &key) const
{
    const SettingsFile file(m_filePath, SettingsFile::Access::Read);
    if (!file.contents() || file.contents()->isEmpty())
        return {};
    const PrivateFolder folder(m_runtimeDir);
    const QString copy = folder.put(QStringLiteral("settings.ini"), *file.contents());
    if (copy.isEmpty())
        return {};
    const QSettings settings(copy, QSettings::IniFormat);
    // QSettings parses at the first question, and says only then what it found.
    const QString value = settings.value(Section + ScrambleText(key)).toString();
    return settings.status() == QSettings::NoError ? UnscrambleText(value) : QString();
}

bool SettingsStore::WriteSetting(const QString &key, const QString &value)
{
    SettingsFile file(m_filePath, SettingsFile::Access::Write);
    if (!file.contents())
        return false;
    const std::optional<QByteArray> text =
        withEntry(m_runtimeDir, *file.contents(), ScrambleText(key), ScrambleText(value));
    return text && file.replace(*text);
}
