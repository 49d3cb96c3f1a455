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

// The sections, each with the lines that carry something, all sorted:
// QSettings writes the sections, and the entries of each, in its own order.
QList<QByteArrayList> sections(const QByteArray &text)
{
    QList<QByteArrayList> result(1);
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith('['))
            result.append(QByteArrayList());
        if (!line.isEmpty())
            result.last().append(line);
    }
    for (QByteArrayList &lines : result)
        std::sort(lines.begin(), lines.end());
    std::sort(result.begin(), result.end());
    return result;
}

// The file's text with the entry set, or nothing where QSettings' rewrite
// would lose or change anything else in it.
std::optional<QByteArray> withEntry(const QString &runtimeDir, const QByteArray &original, const QString &key,
                                    const QString &value)
{
    const PrivateFolder folder(runtimeDir);
    const QString copy = folder.put(QStringLiteral("settings.ini"), original);
    if (copy.isEmpty())
        return std::nullopt;
    QSettings settings(copy, QSettings::IniFormat);
    // An entry set to what it holds makes QSettings write the file back as it
    // reads it; one without entries it would write empty.
    const QStringList keys = settings.allKeys();
    if (!keys.isEmpty()) {
        settings.setValue(keys.first(), settings.value(keys.first()));
        settings.sync();
    }
    if (settings.status() != QSettings::NoError
        || sections(keys.isEmpty() ? QByteArray() : PrivateFolder::contents(copy)) != sections(original))
        return std::nullopt;
    settings.setValue(Section + key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return PrivateFolder::contents(copy);
}
} // namespace

SettingsStore::SettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
    , m_runtimeDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
{
}

QString SettingsStore::defaultFilePath()
{
    return filePathIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString SettingsStore::filePathIn(const QString &configDir)
{
    return configDir + QStringLiteral("/Numensight/") + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
        + QStringLiteral(".ini");
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
