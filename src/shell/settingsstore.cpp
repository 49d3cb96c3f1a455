#include "shell/settingsstore.h"

#include "shell/inisection.h"
#include "shell/settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
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
} // namespace

QString ScrambleText(const QString &text)
{
    return shifted(text, ScrambleShift);
}

QString UnscrambleText(const QString &text)
{
    return shifted(text, -ScrambleShift);
}

SettingsStore::SettingsStore(QString filePath, QStringList knownKeys)
    : m_filePath(std::move(filePath))
    , m_knownKeys(std::move(knownKeys))
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

bool SettingsStore::holdsOnlyKnownEntries(const IniSection &section) const
{
    const QStringList keys = section.keys();
    return !section.holdsMore() && std::all_of(keys.cbegin(), keys.cend(), [this](const QString &key) {
        return std::any_of(m_knownKeys.cbegin(), m_knownKeys.cend(),
                           [&key](const QString &known) { return ScrambleText(known) == key; });
    });
}

QString SettingsStore::ReadSetting(const QString &key) const
{
    const SettingsFile file(m_filePath, MaxFileSize);
    IniSection section(Section);
    if (file.kind() != SettingsFile::Kind::Regular || !section.parse(file.contents()))
        return {};
    return UnscrambleText(section.value(ScrambleText(key)));
}

bool SettingsStore::WriteSetting(const QString &key, const QString &value)
{
    if (!m_knownKeys.contains(key))
        return false;
    SettingsFile file(m_filePath, MaxFileSize);
    IniSection section(Section);
    if (file.kind() == SettingsFile::Kind::NotOurs
        || (file.kind() == SettingsFile::Kind::Regular
            && (!section.parse(file.contents()) || !holdsOnlyKnownEntries(section))))
        return false;
    section.setValue(ScrambleText(key), ScrambleText(value));
    return file.replace(section.text());
}
