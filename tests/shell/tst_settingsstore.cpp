#include "shell/settingsstore.h"
#include "support/childcall.h"
#include "support/fifowatch.h"
#include "support/files.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString Key = ScrambleText(SettingKeys::Duration);
const QString Date = u"2024-02-20"_s, Later = u"2024-03-17"_s;
// Duration and Date, scrambled, as the game has always written them.
const QByteArray DateFile = "[Settings]\nc%94%91%80%93%88%8E%8D=QOQSLOQLQO\n";

// Keys and values as they stand in the file, scrambled.
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

    // Both ways: the store writes what QSettings writes, in a new private
    // folder (umask 027), and reads what QSettings wrote or someone typed as
    // QSettings reads it.
    void fileFormatIsQSettings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("written");
        const QByteArray entry = "[Settings]\nc%94%91%80%93%88%8E%8D=";
        const auto file = [](const QString &scrambled) { return qtWrites({{Key, scrambled}}); };
        QString codes;
        for (int code = 0; code < 256; ++code)
            codes += QChar(code);
        QTest::newRow("as the game wrote it") << DateFile << Date << true;
        QTest::newRow("every code kept") << file(codes.mid(ScrambleShift)) << UnscrambleText(codes) << true;
        QTest::newRow("leading blank") << file(u" \x97"_s) << u"\x01x"_s << true;
        QTest::newRow("leading @, trailing blank") << file(u"@@ "_s) << u"!!\x01"_s << true;
        QTest::newRow("every code") << file(codes) << UnscrambleText(codes) << false;
        QTest::newRow("blanks, CRLF, a comment")
            << "\r\n [Settings] \r\n; mine\r\n c%94%91%80%93%88%8E%8D = QOQSLOQLQO \r\n"_ba << Date << false;
        QTest::newRow("quotes and escapes") << entry + "\"QOQS\"LO\\x51LQ\\117" << Date << false;
        QTest::newRow("unquoted commas") << entry + "QO, QS\n" << u"20\r24"_s << false;
        QTest::newRow("doubled @") << entry + "@@Q\n" << u"!2"_s << false;
        QTest::newRow("beside another section") << "[Other]\nx=1\n" + DateFile << Date << false;
        QTest::newRow("line without =") << DateFile + "QO\n" << QString() << false;
        QTest::newRow("section not closed") << "[Settings\n" + entry.mid(11) + "QO\n" << QString() << false;
    }

    void fileFormatIsQSettings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, value);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Numensight/numensight.ini"_s), typed = dir.filePath(u"typed.ini"_s);
        QVERIFY(writeFile(typed, bytes));
        QCOMPARE(SettingsStore(typed).ReadSetting(SettingKeys::Duration), value);
        if (!written)
            return;
        QVERIFY(SettingsStore(path).WriteSetting(SettingKeys::Duration, value));
        QCOMPARE(fileContents(path), bytes);
        QCOMPARE(describePath(path).section(u' ', 0, 0), u"640"_s);
        QCOMPARE(describePath(dir.filePath(u"Numensight"_s)).section(u' ', 0, 0), u"700"_s);
    }

    // A second known key lives beside the first; the game's own list keeps
    // out what it does not know, from the file and from its writes.
    void rewritesOnlyFilesOfKnownEntries()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s), other = dir.filePath(u"other.ini"_s);
        SettingsStore store(path, {SettingKeys::Duration, u"Volume"_s});
        QVERIFY(store.WriteSetting(SettingKeys::Duration, Date));
        QVERIFY(store.WriteSetting(u"Volume"_s, u"7"_s));
        QVERIFY(store.WriteSetting(SettingKeys::Duration, Later));
        QCOMPARE(fileContents(path),
                 qtWrites({{Key, ScrambleText(Later)}, {ScrambleText(u"Volume"_s), ScrambleText(u"7"_s)}}));

        QVERIFY(!SettingsStore(path).WriteSetting(SettingKeys::Duration, Date));
        QVERIFY(!SettingsStore(other).WriteSetting(u"Volume"_s, u"7"_s) && !QFile::exists(other));
    }

    // Only our own regular file, or the one a link chain leads to, is ever
    // rewritten, and only where its permission bits let this user write
    // (root's override does not count); it keeps its mode and owner, and a
    // link stays a link. Nothing else at the path is opened, replaced or made.
    // Each row's name says what it puts there.
    void onlyOurFileIsRewritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<bool>("writes");
        QByteArray garbage(1000, Qt::Uninitialized);
        QRandomGenerator(20240105).fillRange(reinterpret_cast<quint32 *>(garbage.data()), garbage.size() / 4);
        for (const char *kind : {"directory", "FIFO", "link to a FIFO", "device node", "link to a device node",
                                 "dangling link", "link loop"})
            QTest::newRow(kind) << QByteArray() << 0 << QString() << false;
        QTest::newRow("garbage after a good entry") << DateFile + garbage << 0644 << QString() << false;
        QTest::newRow("past the size bound") << DateFile + QByteArray(4096, '\n') << 0644 << QString() << false;
        QTest::newRow("another program's section") << DateFile + "[Other]\nname=value\n" << 0644 << Date << false;
        QTest::newRow("a key not known") << DateFile + "name=value\n" << 0644 << Date << false;
        QTest::newRow("a comment") << "; mine\n" + DateFile << 0644 << Date << false;
        QTest::newRow("read-only") << DateFile << 0444 << Date << false;
        QTest::newRow("only the group may write") << DateFile << 0464 << Date << false;
        QTest::newRow("another owner's, others may not write") << DateFile << 0660 << Date << false;
        QTest::newRow("0640") << DateFile << 0640 << Date << true;
        QTest::newRow("another owner's, others may write") << DateFile << 0606 << Date << true;
        QTest::newRow("link to a file") << DateFile << 0644 << Date << true;
        QTest::newRow("relative link to a link to a file") << DateFile << 0644 << Date << true;
    }

    void onlyOurFileIsRewritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, mode);
        QFETCH(QString, reads);
        QFETCH(bool, writes);
        const QString kind = QString::fromLatin1(QTest::currentDataTag());
        const bool throughLink = kind.contains(u"link"_s), owner = kind.contains(u"owner"_s);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s);
        const QString place = throughLink ? dir.filePath(u"target"_s) : path;
        const QByteArray name = QFile::encodeName(place);
        std::optional<FifoWatch> fifo;
        if (kind.contains(u"FIFO"_s)) {
            QVERIFY(fifo.emplace(place).made());
        } else if (kind.contains(u"device"_s) || owner) {
            if (::geteuid() != 0)
                QSKIP("needs root");
            QVERIFY(owner || ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0);
        } else if (kind == u"directory"_s || kind == u"link loop"_s) {
            QVERIFY(kind == u"directory"_s ? QDir().mkdir(place) : QFile::link(path, place));
        }
        if (mode) {
            QVERIFY(writeFile(place, bytes) && ::chmod(name.constData(), mode) == 0);
            QVERIFY(!owner || ::chown(name.constData(), 65534, 65534) == 0);
        }
        if (kind.startsWith(u"relative"_s))
            QVERIFY(QFile::link(place, dir.filePath(u"middle"_s)) && QFile::link(u"middle"_s, path));
        else if (throughLink)
            QVERIFY(QFile::link(place, path));
        const QString link = describePath(path), file = describePath(place);
        const QStringList names = folderEntries(dir.path());

        SettingsStore store(path);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), reads);
        QCOMPARE(store.WriteSetting(SettingKeys::Duration, Later), writes);
        if (writes) {
            QCOMPARE(fileContents(place), qtWrites({{Key, ScrambleText(Later)}}));
            QCOMPARE(describePath(place).section(u' ', 0, 1), file.section(u' ', 0, 1));
        } else {
            QCOMPARE(describePath(place), file);
        }
        QVERIFY(!throughLink || describePath(path) == link);
        QCOMPARE(folderEntries(dir.path()), names);
        QVERIFY(!fifo || !fifo->opened());
    }

    // QSettings' lock file, and names a temporary file might take.
    void sideFilesNeverStopAWrite_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fifo");
        QTest::newRow("FIFO as the lock") << u"numensight.ini.lock"_s << true;
        QTest::newRow("directory as the lock") << u"numensight.ini.lock"_s << false;
        QTest::newRow("FIFO as a backup") << u"numensight.ini~"_s << true;
        QTest::newRow("directory as a hidden copy") << u".numensight.ini.tmp"_s << false;
    }

    void sideFilesNeverStopAWrite()
    {
        QFETCH(QString, name);
        QFETCH(bool, fifo);
        QTemporaryDir dir;
        const QString side = dir.filePath(name);
        std::optional<FifoWatch> watch;
        QVERIFY(fifo ? watch.emplace(side).made() : QDir().mkdir(side));
        const QString before = describePath(side);
        SettingsStore store(dir.filePath(u"numensight.ini"_s));
        QCOMPARE(callInChild([&] {
                     return store.WriteSetting(SettingKeys::Duration, Date)
                         && store.WriteSetting(SettingKeys::Duration, Later);
                 }),
                 u"true"_s);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), Later);
        QCOMPARE(describePath(side), before);
        QCOMPARE(folderEntries(dir.path()).size(), 2);
        QVERIFY(!watch || !watch->opened());
    }

    void fileIsNamedAfterTheExecutable()
    {
        QCOMPARE(SettingsStore::filePathFor(u"/cfg"_s, u"/home/me/numensight-old.bin"_s),
                 u"/cfg/Numensight/numensight-old.ini"_s);
        QCOMPARE(SettingsStore::defaultFilePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     + u"/Numensight/tst_settingsstore.ini"_s);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
