#include "settings/scramble.h"
#include "support/testmain.h"
#include "settings/settingsstore.h"
#include "support/childcall.h"
#include "support/fifowatch.h"
#include "support/files.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString Key = ScrambleText(SettingKeys::Duration);
const QString Date = u"2024-02-20"_s, Later = u"2024-03-17"_s;
// Duration and Date, scrambled, as the game has always written them.
const QByteArray DateFile = "[Settings]\nc%94%91%80%93%88%8E%8D=QOQSLOQLQO\n";

// What QSettings itself writes for these entries of section "Settings".
QByteArray qtWrites(const QList<std::pair<QString, QString>> &entries)
{
    QTemporaryDir dir;
    {
        QSettings qt(dir.filePath(u"qt.ini"_s), QSettings::IniFormat);
        for (const auto &[key, value] : entries)
            qt.setValue(u"Settings/"_s + key, value);
    }
    return fileContents(dir.filePath(u"qt.ini"_s));
}

enum class Stands { Directory, Fifo, DanglingLink, File, LinkToFile };
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ::umask(027); }
    void init() { QTest::failOnWarning(QRegularExpression()); }

    void scrambleShiftsEightBitCodesAndDropsTheRest_data()
    {
        QTest::addColumn<bool>("scramble");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("top kept, past it dropped") << true << QString::fromLatin1("\xe0\xe1" "a") << u"\xff\x80"_s;
        QTest::newRow("beyond 8 bits dropped") << true << u"a\u20ACb"_s << u"\x80\x81"_s;
        QTest::newRow("below the shift dropped") << false << u"\x1e\x1fQ"_s << QString::fromLatin1("\0" "2", 2);
    }

    void scrambleShiftsEightBitCodesAndDropsTheRest()
    {
        QFETCH(bool, scramble);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(scramble ? ScrambleText(input) : UnscrambleText(input), expected);
    }

    // The store reads what QSettings reads and writes what QSettings writes.
    // Entries of its own section beside the date are kept; a file it could
    // not rewrite without losing or changing something is left as it is.
    void keepsWhatItCannotRewrite_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QByteArray>("after");
        const QByteArray entry = "[Settings]\nc%94%91%80%93%88%8E%8D=";
        const QByteArray untouched;
        QTest::newRow("as the game wrote it") << DateFile << Date << qtWrites({{Key, ScrambleText(Later)}});
        QTest::newRow("another entry after the date")
            << DateFile + "Extra=1\n" << Date << qtWrites({{Key, ScrambleText(Later)}, {u"Extra"_s, u"1"_s}});
        QTest::newRow("another section") << "[Other]\nx=1\n\n" + DateFile << Date << untouched;
        QTest::newRow("quotes and escapes") << entry + "\"QOQS\"LO\\x51LQ\\117\n" << Date << untouched;
        QTest::newRow("a line without =") << DateFile + "QO\n" << QString() << untouched;
    }

    void keepsWhatItCannotRewrite()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, reads);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s);
        QVERIFY(writeFile(path, before));
        SettingsStore store(path);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), reads);
        QCOMPARE(store.WriteSetting(SettingKeys::Duration, Later), !after.isNull());
        QCOMPARE(fileContents(path), after.isNull() ? before : after);
    }

    // Every character a scrambled value can hold comes back, and a new file
    // and its folder are made private to the user (umask 027).
    void newFileKeepsEveryCode()
    {
        QString codes;
        for (int code = 0; code + ScrambleShift < 256; ++code)
            codes += QChar(code);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Numensight/numensight.ini"_s);
        QVERIFY(SettingsStore(path).WriteSetting(SettingKeys::Duration, codes));
        QCOMPARE(SettingsStore(path).ReadSetting(SettingKeys::Duration), codes);
        QCOMPARE(fileContents(path), qtWrites({{Key, ScrambleText(codes)}}));
        QCOMPARE(describePath(path).section(u' ', 0, 0), u"640"_s);
        QCOMPARE(describePath(dir.filePath(u"Numensight"_s)).section(u' ', 0, 0), u"700"_s);
    }

    // Only a regular file, or the one a link leads to, is opened, and only
    // one with a write bit (root included) is rewritten: in place, so it keeps
    // its inode, mode and owner, and a link stays a link. Nothing else at the
    // path is opened, replaced or made.
    void onlyARegularFileIsOpened_data()
    {
        QTest::addColumn<Stands>("stands");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<bool>("written");
        QTest::newRow("directory") << Stands::Directory << QByteArray() << 0 << QString() << false;
        QTest::newRow("FIFO") << Stands::Fifo << QByteArray() << 0 << QString() << false;
        QTest::newRow("link to nothing") << Stands::DanglingLink << QByteArray() << 0 << QString() << false;
        QTest::newRow("past the size bound")
            << Stands::File << DateFile + QByteArray(4096, '\n') << 0644 << QString() << false;
        QTest::newRow("read-only") << Stands::File << DateFile << 0444 << Date << false;
        QTest::newRow("writable") << Stands::File << DateFile << 0604 << Date << true;
        QTest::newRow("link to a file") << Stands::LinkToFile << DateFile << 0644 << Date << true;
    }

    void onlyARegularFileIsOpened()
    {
        QFETCH(Stands, stands);
        QFETCH(QByteArray, bytes);
        QFETCH(int, mode);
        QFETCH(QString, reads);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s), target = dir.filePath(u"target"_s);
        const QString place = stands == Stands::LinkToFile ? target : path;
        std::optional<FifoWatch> fifo;
        switch (stands) {
        case Stands::Directory:
            QVERIFY(QDir().mkdir(path));
            break;
        case Stands::Fifo:
            QVERIFY(fifo.emplace(path).made());
            break;
        case Stands::DanglingLink:
            QVERIFY(QFile::link(target, path));
            break;
        case Stands::LinkToFile:
            QVERIFY(QFile::link(target, path));
            Q_FALLTHROUGH();
        case Stands::File:
            QVERIFY(writeFile(place, bytes));
            QCOMPARE(::chmod(QFile::encodeName(place).constData(), mode), 0);
            break;
        }
        const QString link = describePath(path), file = describePath(place);
        const QStringList names = folderEntries(dir.path());

        SettingsStore store(path);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), reads);
        QCOMPARE(store.WriteSetting(SettingKeys::Duration, Later), written);
        if (written) {
            QCOMPARE(fileContents(place), qtWrites({{Key, ScrambleText(Later)}}));
            QCOMPARE(describePath(place).section(u' ', 0, 3), file.section(u' ', 0, 3));
        } else {
            QCOMPARE(describePath(place), file);
        }
        QCOMPARE(describePath(path), place == path ? describePath(place) : link);
        QCOMPARE(folderEntries(dir.path()), names);
        QVERIFY(!fifo || !fifo->opened());
    }

    // QSettings' lock file beside the game's file is never opened.
    void aLockFileBesideIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(u"numensight.ini.lock"_s);
        FifoWatch watch(lock);
        QVERIFY(watch.made());
        const QString before = describePath(lock);
        SettingsStore store(dir.filePath(u"numensight.ini"_s));
        QCOMPARE(callInChild([&] {
                     return store.WriteSetting(SettingKeys::Duration, Date)
                         && store.WriteSetting(SettingKeys::Duration, Later);
                 }),
                 u"true"_s);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), Later);
        QCOMPARE(describePath(lock), before);
        QCOMPARE(folderEntries(dir.path()).size(), 2);
        QVERIFY(!watch.opened());
    }

    void fileIsNamedAfterTheExecutable()
    {
        QCOMPARE(SettingsStore::filePathFor(u"/cfg"_s, u"/home/me/numensight-old.bin"_s),
                 u"/cfg/Numensight/numensight-old.ini"_s);
        QCOMPARE(SettingsStore::defaultFilePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     + u"/Numensight/settings_unit.ini"_s);
    }
};

TEST_CLASS(TestSettingsStore, Core)
#include "tst_settingsstore.moc"
