#include "shell/settingsstore.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString everyCode()
{
    QString text;
    for (int code = 0; code < 256; ++code)
        text += QChar(code);
    return text;
}

QString rawValue(const QString &path, const QString &plainKey)
{
    return QSettings(path, QSettings::IniFormat)
        .value(QStringLiteral("Settings/") + ScrambleText(plainKey))
        .toString();
}
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachCodeShiftsOrDrops()
    {
        QVERIFY(ScrambleShift >= 10 && ScrambleShift <= 99);
        for (int code = 0; code < 256; ++code) {
            const QString one{QChar(code)};
            const QString up = code + ScrambleShift <= 255 ? QString(QChar(code + ScrambleShift)) : QString();
            const QString down = code - ScrambleShift >= 0 ? QString(QChar(code - ScrambleShift)) : QString();
            QCOMPARE(ScrambleText(one), up);
            QCOMPARE(UnscrambleText(one), down);
        }
    }

    void droppedCharactersLeaveTheRestIntact_data()
    {
        QTest::addColumn<bool>("scramble");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const QChar a(u'a' + ScrambleShift), b(u'b' + ScrambleShift);
        const QString ab = QString(a) + b;
        QTest::newRow("empty scrambles") << true << QString() << QString();
        QTest::newRow("empty unscrambles") << false << QString() << QString();
        QTest::newRow("code 255") << true << QStringLiteral("a\u00FFb") << ab;
        QTest::newRow("first code past the top")
            << true << QStringLiteral("a") + QChar(256 - ScrambleShift) + u'b' << ab;
        QTest::newRow("beyond 8 bits") << true << QStringLiteral("a\u20ACb") << ab;
        QTest::newRow("code 0") << false << QString(QChar(0)) + ab << QStringLiteral("ab");
        QTest::newRow("last code below the shift")
            << false << QString(a) + QChar(ScrambleShift - 1) + b << QStringLiteral("ab");
    }

    void droppedCharactersLeaveTheRestIntact()
    {
        QFETCH(bool, scramble);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(scramble ? ScrambleText(input) : UnscrambleText(input), expected);
    }

    void storedTextsSurviveTheScramble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("key name") << SettingKeys::Duration;
        QTest::newRow("date") << QStringLiteral("2024-02-29");
        QTest::newRow("last four-digit date") << QStringLiteral("9999-12-31");
    }

    // A '/' or '\' in a scrambled name would open a subgroup in the INI file.
    void storedTextsSurviveTheScramble()
    {
        QFETCH(QString, text);
        const QString scrambled = ScrambleText(text);
        QCOMPARE(UnscrambleText(scrambled), text);
        QVERIFY(!scrambled.contains(u'/'));
        QVERIFY(!scrambled.contains(u'\\'));
    }

    void everyCodeComesBackFromTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numensight.ini"));
        const QString all = everyCode();
        const QString scramblable = all.left(256 - ScrambleShift);

        SettingsStore store(path);
        QVERIFY(store.WriteSetting(QStringLiteral("Every"), scramblable));
        QCOMPARE(rawValue(path, QStringLiteral("Every")), all.mid(ScrambleShift));
        QCOMPARE(SettingsStore(path).ReadSetting(QStringLiteral("Every")), scramblable);

        // Codes below the shift never come from our own writes but may be in
        // a file edited by hand; the file keeps them and the reader drops them.
        {
            QSettings raw(path, QSettings::IniFormat);
            raw.setValue(QStringLiteral("Settings/") + ScrambleText(QStringLiteral("Every")), all);
        }
        QCOMPARE(rawValue(path, QStringLiteral("Every")), all);
        QCOMPARE(SettingsStore(path).ReadSetting(QStringLiteral("Every")), scramblable);
    }

    void freshStoreReadsEmptyAndCreatesNothing()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Numensight"));
        SettingsStore store(folder + QStringLiteral("/numensight.ini"));
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), QString());
        QVERIFY(!QFileInfo::exists(folder));
    }

    void writeKeepsOneScrambledEntryOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Numensight/numensight.ini"));
        SettingsStore store(path);
        QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-01-05")));
        QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-03-17")));
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), QStringLiteral("2024-03-17"));

        QSettings raw(path, QSettings::IniFormat);
        QCOMPARE(raw.childGroups(), QStringList{QStringLiteral("Settings")});
        QCOMPARE(raw.allKeys().size(), 1);

        const QByteArray bytes = fileContents(path);
        QVERIFY(bytes.contains("[Settings]"));
        QVERIFY(!bytes.contains("Duration"));
        QVERIFY(!bytes.contains("2024"));
    }

    void unusableFileReadsEmptyAndRefusesWrites_data()
    {
        QTest::addColumn<bool>("goodEntryFirst");
        QTest::addColumn<bool>("directory");
        QTest::newRow("garbage only") << false << false;
        QTest::newRow("garbage after a good entry") << true << false;
        QTest::newRow("directory in its place") << false << true;
    }

    void unusableFileReadsEmptyAndRefusesWrites()
    {
        QFETCH(bool, goodEntryFirst);
        QFETCH(bool, directory);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numensight.ini"));
        SettingsStore store(path);
        if (goodEntryFirst)
            QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-01-05")));
        if (directory) {
            QVERIFY(QDir().mkdir(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            QRandomGenerator bytes(20240105);
            for (int i = 0; i < 4096; ++i)
                file.putChar(char(bytes.bounded(256)));
        }
        const QByteArray before = fileContents(path);

        QCOMPARE(store.ReadSetting(SettingKeys::Duration), QString());
        QVERIFY(!store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-02-01")));
        QCOMPARE(fileContents(path), before);
        QCOMPARE(QFileInfo(path).isDir(), directory);
    }

    void renamedCopyHasItsOwnEntries()
    {
        QTemporaryDir dir;
        const QString original = SettingsStore::FilePathFor(dir.path(), QStringLiteral("/opt/games/numensight"));
        const QString copy = SettingsStore::FilePathFor(dir.path(), QStringLiteral("/home/me/numensight-old.bin"));
        QCOMPARE(original, dir.path() + QStringLiteral("/Numensight/numensight.ini"));
        QCOMPARE(copy, dir.path() + QStringLiteral("/Numensight/numensight-old.ini"));

        SettingsStore store(original);
        QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-01-05")));
        QCOMPARE(SettingsStore(copy).ReadSetting(SettingKeys::Duration), QString());
    }

    void defaultFileIsNamedAfterTheRunningExecutable()
    {
        QCOMPARE(SettingsStore::DefaultFilePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     + QStringLiteral("/Numensight/tst_settingsstore.ini"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
