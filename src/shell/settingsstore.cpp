#include "shell/settingsstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <sys/stat.h>
#include <utility>

namespace {
const QString Section = QStringLiteral("Settings");

QString shifted(const QString &text, int shift)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const int code = ch.unicode() + shift;
        if (ch.unicode() <= 255 && code >= 0 && code <= 255)
            result += QChar(code);
    }
    return result;
}

// sync() rereads the file when it changed on disk. QSettings parses a
// section's lines only when they are first used, so status() shows a
// garbled file only after every key has been looked at.
bool rereadCleanly(QSettings &settings)
{
    settings.sync();
    (void)settings.allKeys();
    return settings.status() == QSettings::NoError;
}

enum class PathKind { Missing, RegularFile, LeaveAlone };

// Looked at without opening anything: QSettings blocks in open() on a FIFO
// and reads any file whole. A link leads to the regular file it names; a
// dangling one is left alone, or a write would create its target.
std::pair<PathKind, QString> inspect(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        return {errno == ENOENT ? PathKind::Missing : PathKind::LeaveAlone, {}};
    QString file = path;
    if (S_ISLNK(st.st_mode)) {
        if (::stat(name.constData(), &st) != 0)
            return {PathKind::LeaveAlone, {}};
        // QSettings then replaces the target, not the link, when it writes.
        file = QFileInfo(path).canonicalFilePath();
    }
    if (!S_ISREG(st.st_mode) || st.st_size > SettingsStore::MaxFileSize || file.isEmpty())
        return {PathKind::LeaveAlone, {}};
    return {PathKind::RegularFile, file};
}

// A rewrite keeps only the entries QSettings parsed, in its own encoding: a
// file with anything more (another program's sections, a comment written by
// hand) would lose it.
bool holdsOnlyEntry(QSettings &settings, const QString &entry)
{
    const QStringList keys = settings.allKeys();
    if (!keys.isEmpty() && keys != QStringList{entry})
        return false;
    QFile file(settings.fileName());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    qsizetype lines = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QByteArray text = line.trimmed();
        lines += !text.isEmpty() && text != "[Settings]";
    }
    return lines == keys.size();
}
} // namespace

QString ScrambleText(const QString &text)
{
    return shifted(text, ScrambleShift);
}

QString UnscrambleText(const QString &text)
{
    return shifted(text, -ScrambleShift);
}

SettingsStore::SettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
{
}

SettingsStore::~SettingsStore() = default;

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

QSettings &SettingsStore::settingsFor(const QString &file) const
{
    if (!m_settings || m_settingsFile != file) {
        m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
        m_settingsFile = file;
    }
    return *m_settings;
}

QString SettingsStore::ReadSetting(const QString &key) const
{
    const auto [kind, file] = inspect(m_filePath);
    if (kind != PathKind::RegularFile)
        return {};
    QSettings &settings = settingsFor(file);
    if (!rereadCleanly(settings))
        return {};
    const QVariant stored = settings.value(Section + u'/' + ScrambleText(key));
    // A value typed by hand with unquoted commas parses as a list; give the
    // reader its text rather than nothing.
    if (stored.typeId() == QMetaType::QStringList)
        return UnscrambleText(stored.toStringList().join(u','));
    return UnscrambleText(stored.toString());
}

bool SettingsStore::WriteSetting(const QString &key, const QString &value)
{
    const auto [kind, file] = inspect(m_filePath);
    if (kind == PathKind::LeaveAlone)
        return false;
    QSettings &settings = settingsFor(kind == PathKind::Missing ? m_filePath : file);
    const QString entry = Section + u'/' + ScrambleText(key);
    if (!rereadCleanly(settings) || !holdsOnlyEntry(settings, entry))
        return false;
    settings.setValue(entry, ScrambleText(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}
