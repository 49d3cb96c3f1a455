#include "shell/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

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
    , m_settings(std::make_unique<QSettings>(m_filePath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::DefaultFilePath()
{
    return FilePathFor(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                       QCoreApplication::applicationFilePath());
}

QString SettingsStore::FilePathFor(const QString &configDir, const QString &executablePath)
{
    return configDir + QStringLiteral("/Numensight/")
        + QFileInfo(executablePath).completeBaseName() + QStringLiteral(".ini");
}

QString SettingsStore::ReadSetting(const QString &key) const
{
    if (!rereadCleanly(*m_settings))
        return {};
    const QVariant stored = m_settings->value(Section + u'/' + ScrambleText(key));
    // A value typed by hand with unquoted commas parses as a list; give the
    // reader its text rather than nothing.
    if (stored.typeId() == QMetaType::QStringList)
        return UnscrambleText(stored.toStringList().join(u','));
    return UnscrambleText(stored.toString());
}

bool SettingsStore::WriteSetting(const QString &key, const QString &value)
{
    if (!rereadCleanly(*m_settings))
        return false;
    m_settings->setValue(Section + u'/' + ScrambleText(key), ScrambleText(value));
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
