#include "shell/settingsstore.h"
#include "support/fifowatch.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
QString everyCode()
{
    QString text;
    for (int code = 0; code < 256; ++code)
        text += QChar(code);
    return text;
}

// What stands at a path, closely enough to tell it replaced or rewritten.
QString describe(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    const QString text = QStringLiteral("mode %1 inode %2 ").arg(st.st_mode, 0, 8).arg(st.st_ino);
    if (S_ISLNK(st.st_mode))
        return text + describe(QFileInfo(path).symLinkTarget());
    return text + QString::fromLatin1(S_ISREG(st.st_mode) ? fileContents(path).toHex() : QByteArray());
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
        QTest::newRow("first code past the top")
            << true << QStringLiteral("a") + QChar(256 - ScrambleShift) + u'b' << ab;
        QTest::newRow("beyond 8 bits") << true << QStringLiteral("a\u20ACb") << ab;
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

    void writeKeepsOneScrambledEntryOnly_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("new file") << false;
        QTest::newRow("link to a regular file") << true;
    }

    // A fresh store reads empty and creates nothing until written. A dotfile
    // kept as a link into a repository stays a link.
    void writeKeepsOneScrambledEntryOnly()
    {
        QFETCH(bool, throughLink);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Numensight/numensight.ini"));
        const QString target = dir.filePath(QStringLiteral("dotfiles.ini"));
        if (throughLink) {
            QVERIFY(QFile(target).open(QIODevice::WriteOnly));
            QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("Numensight"))) && QFile::link(target, path));
        }
        SettingsStore store(path);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), QString());
        QCOMPARE(QFileInfo::exists(path), throughLink);
        QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-01-05")));
        QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-03-17")));
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), QStringLiteral("2024-03-17"));
        QCOMPARE(QFileInfo(path).symLinkTarget(), throughLink ? target : QString());

        QSettings raw(path, QSettings::IniFormat);
        QCOMPARE(raw.childGroups(), QStringList{QStringLiteral("Settings")});
        QCOMPARE(raw.allKeys().size(), 1);

        const QByteArray bytes = fileContents(path);
        QVERIFY(bytes.contains("[Settings]"));
        QVERIFY(!bytes.contains("Duration"));
        QVERIFY(!bytes.contains("2024"));
    }

    // Only a regular file of ours, or a link to one, is ever written; what
    // else stands at the path is never opened, replaced or created.
    void whatIsNotOursIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reads");
        for (const char *kind : {"garbage only", "garbage after a good entry", "directory", "FIFO",
                                 "link to a FIFO", "device node", "link to a device node",
                                 "dangling link", "entry padded past the size bound"})
            QTest::newRow(kind) << QString::fromLatin1(kind) << QString();
        QTest::newRow("another program's file") << "another program's file" << "2024-01-05";
    }

    void whatIsNotOursIsLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reads);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numensight.ini"));
        const bool throughLink = kind.contains(QLatin1String("link"));
        const QString place = throughLink ? dir.filePath(QStringLiteral("target")) : path;
        SettingsStore store(path);
        std::optional<FifoWatch> fifo;
        if (kind.contains(QLatin1String("FIFO"))) {
            QVERIFY(fifo.emplace(place).made());
        } else if (kind.contains(QLatin1String("device"))) {
            if (::geteuid() != 0)
                QSKIP("making a device node needs root");
            QCOMPARE(::mknod(QFile::encodeName(place).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir().mkdir(place));
        } else if (!throughLink) {
            const bool garbage = kind.startsWith(QLatin1String("garbage"));
            if (kind.endsWith(QLatin1String("good entry"))) {
                QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-01-05")));
            } else if (!garbage) {
                QSettings raw(place, QSettings::IniFormat);
                raw.setValue(QStringLiteral("Settings/") + ScrambleText(SettingKeys::Duration),
                             ScrambleText(QStringLiteral("2024-01-05")));
                if (kind.startsWith(QLatin1String("another")))
                    raw.setValue(QStringLiteral("Other/name"), QStringLiteral("value"));
            }
            QFile file(place);
            QVERIFY(file.open(QIODevice::Append));
            QRandomGenerator bytes(20240105);
            for (int i = 0; garbage && i < 1000; ++i)
                file.putChar(char(bytes.bounded(256)));
            file.write(QByteArray(kind.startsWith(QLatin1String("entry")) ? 8192 : 0, '\n'));
        }
        if (throughLink)
            QVERIFY(QFile::link(place, path));
        const QString before = describe(path);

        QCOMPARE(store.ReadSetting(SettingKeys::Duration), reads);
        QVERIFY(!store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-02-01")));
        QCOMPARE(describe(path), before);
        QVERIFY(!fifo || !fifo->opened());
    }

    void renamedCopyHasItsOwnEntries()
    {
        QTemporaryDir dir;
        const QString original = SettingsStore::filePathFor(dir.path(), QStringLiteral("/opt/games/numensight"));
        const QString copy = SettingsStore::filePathFor(dir.path(), QStringLiteral("/home/me/numensight-old.bin"));
        QCOMPARE(original, dir.path() + QStringLiteral("/Numensight/numensight.ini"));
        QCOMPARE(copy, dir.path() + QStringLiteral("/Numensight/numensight-old.ini"));

        SettingsStore store(original);
        QVERIFY(store.WriteSetting(SettingKeys::Duration, QStringLiteral("2024-01-05")));
        QCOMPARE(SettingsStore(copy).ReadSetting(SettingKeys::Duration), QString());
    }

    void defaultFileIsNamedAfterTheRunningExecutable()
    {
        QCOMPARE(SettingsStore::defaultFilePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     + QStringLiteral("/Numensight/tst_settingsstore.ini"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
