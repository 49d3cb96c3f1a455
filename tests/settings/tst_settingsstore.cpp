#include "settings/settingsstore.h"
#include "support/childcall.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {
const QString Date = u"2024-02-20"_s, Later = u"2024-03-17"_s;
// Duration and Date, scrambled, as the game has always written them.
const QByteArray DateFile = "[Settings]\nc%94%91%80%93%88%8E%8D=QOQSLOQLQO\n";
const QByteArray LaterFile = "[Settings]\nc%94%91%80%93%88%8E%8D=QOQSLORLPV\n";

enum class Stands { Fifo, Link, File };
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever a hostile user puts at the path or beside it is neither opened, replaced nor changed.
    void onlyWhatCanBeWrittenBackIsRewritten_data()
    {
        QTest::addColumn<Stands>("stands");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QByteArray>("after");
        const QByteArray untouched;
        QTest::newRow("FIFO") << Stands::Fifo << QByteArray() << 0 << QString() << untouched;
        QTest::newRow("link to nothing") << Stands::Link << QByteArray() << 0 << QString() << untouched;
        QTest::newRow("read-only") << Stands::File << DateFile << 0444 << Date << untouched;
        QTest::newRow("another section") << Stands::File << "[Other]\nx=1\n\n" + DateFile << 0644 << Date
                                         << "[Other]\nx=1\n\n" + LaterFile;
        QTest::newRow("a section QSettings puts after") << Stands::File << "[Window]\nx=1\n" + DateFile << 0644 << Date
                                                        << LaterFile + "\n[Window]\nx=1\n";
        QTest::newRow("a comment") << Stands::File << DateFile + "; a note\n" << 0644 << Date << untouched;
        QTest::newRow("a comment alone") << Stands::File << QByteArray("; a note\n") << 0644 << QString() << untouched;
        QTest::newRow("quotes and escapes")
            << Stands::File << QByteArray("[Settings]\nc%94%91%80%93%88%8E%8D=\"QOQS\"LO\\x51LQ\\117\n") << 0644
            << Date << untouched;
        // A tab (code 9) is below the shift; U+0100 is not an 8-bit character.
        QTest::newRow("stored characters out of range")
            << Stands::File << QByteArray("[Settings]\nc%94%91%80%93%88%8E%8D=QOQS\\tLO\xc4\x80QLQO\n") << 0644 << Date
            << LaterFile + "\n\n\n\n";
        // Line feeds keep a shorter text at the length it replaces, so no cut follows the write.
        QTest::newRow("blank lines") << Stands::File << DateFile + "\n\n\n" << 0644 << Date << LaterFile + "\n\n\n";
        QTest::newRow("past 4 KiB") << Stands::File << DateFile + QByteArray(4097 - DateFile.size(), '\n') << 0644
                                    << QString() << untouched;
        const QByteArray extra = "[Settings]\nExtra=" + QByteArray(4044, 'x');
        QTest::newRow("rewritten to 4,096 bytes")
            << Stands::File << extra + "\n" << 0644 << QString() << extra + "\nc%94%91%80%93%88%8E%8D=QOQSLORLPV\n";
        QTest::newRow("one byte more") << Stands::File << extra + "x\n" << 0644 << QString() << untouched;
        QTest::newRow("4,096 bytes without a date") << Stands::File << extra + QByteArray(34, 'x') + "\n"
                                                    << 0644 << QString() << untouched;
        QTest::newRow("link to a file with another entry")
            << Stands::Link << DateFile + "Extra=1\n" << 0604 << Date
            << QByteArray("[Settings]\nExtra=1\nc%94%91%80%93%88%8E%8D=QOQSLORLPV\n");
    }

    void onlyWhatCanBeWrittenBackIsRewritten()
    {
        QFETCH(Stands, stands);
        QFETCH(QByteArray, before);
        QFETCH(int, mode);
        QFETCH(QString, reads);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s);
        const QString file = stands == Stands::Link ? dir.filePath(u"target"_s) : path;
        FifoWatch lock(path + u".lock"_s);
        QVERIFY(lock.made());
        std::optional<FifoWatch> fifo;
        if (stands == Stands::Fifo)
            QVERIFY(fifo.emplace(path).made());
        if (stands == Stands::Link)
            QVERIFY(QFile::link(file, path));
        if (!before.isNull()) {
            QVERIFY(writeFile(file, before));
            QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode), 0);
        }
        const QString pathWas = describePath(path), fileWas = describePath(file);
        SettingsStore store(path);
        // Written once, it reads back and is written again.
        QCOMPARE(callInChild([&] {
                     const bool written = !after.isNull();
                     return store.ReadSetting(SettingKeys::Duration) == reads
                         && store.WriteSetting(SettingKeys::Duration, Later) == written
                         && store.ReadSetting(SettingKeys::Duration) == (written ? Later : reads)
                         && store.WriteSetting(SettingKeys::Duration, Later) == written;
                 }),
                 u"true"_s);
        QCOMPARE(describePath(path), pathWas);
        QCOMPARE(describePath(file), fileWas);
        if (!before.isNull())
            QCOMPARE(fileContents(file), after.isNull() ? before : after);
        QVERIFY(!fifo || !fifo->opened());
        QVERIFY(!lock.opened());
    }

    // On the first run neither the file nor its folder is there. A character
    // whose code passes 255 when shifted by 31 is dropped, one that stays
    // within it is kept.
    void aNewFileIsMadeInANewFolder_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reads");
        QTest::newRow("a date") << Date << DateFile << Date;
        QTest::newRow("out of range") << u"2024\u00e1-02\u20ac-20"_s << DateFile << Date;
        QTest::newRow("the top code") << u"\u00e0"_s << QByteArray("[Settings]\nc%94%91%80%93%88%8E%8D=\xc3\xbf\n")
                                      << u"\u00e0"_s;
        QTest::newRow("empty") << QString() << QByteArray("[Settings]\nc%94%91%80%93%88%8E%8D=\n") << QString();
    }

    void aNewFileIsMadeInANewFolder()
    {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Numensight/numensight.ini"_s);
        QVERIFY(SettingsStore(path).WriteSetting(SettingKeys::Duration, value));
        QTEST(fileContents(path), "file");
        QTEST(SettingsStore(path).ReadSetting(SettingKeys::Duration), "reads");
    }

    // A renamed copy of the program keeps a file of its own.
    void theFileIsNamedAfterTheProgram()
    {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        QCOMPARE(SettingsStore::defaultFilePath(), dir.path() + u"/Numensight/tst_settingsstore.ini"_s);
    }

    // Copies a kill leaves behind must not pile up: QSettings gets them in
    // the runtime folder, which the desktop empties at logout, and where Qt
    // has none of the user's own (a file stands at its fallback) there are none.
    void copiesAreMadeInTheRuntimeFolderOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s), runtime = dir.filePath(u"runtime"_s);
        const QString file = dir.filePath(u"file"_s), tmp = dir.filePath(u"tmp"_s);
        const QString fallback = u"runtime-"_s + QFile::decodeName(::getpwuid(::geteuid())->pw_name);
        QVERIFY(QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) && QDir().mkdir(tmp));
        QVERIFY(writeFile(file, {}) && writeFile(tmp + u'/' + fallback, {}));
        const auto write = [&](const QString &tmpDir, const QString &runtimeDir) {
            return callInChild([&] {
                qputenv("TMPDIR", QFile::encodeName(tmpDir));
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));
                return SettingsStore(path).WriteSetting(SettingKeys::Duration, Date);
            });
        };
        QCOMPARE(write(file, runtime), u"true"_s);
        QCOMPARE(fileContents(path), DateFile);
        QCOMPARE(write(tmp, file), u"false"_s);
        const auto entries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        QCOMPARE(QDir(runtime).entryList(entries), QStringList());
        QCOMPARE(QDir(tmp).entryList(entries), QStringList(fallback));
    }

    // A look at the path, then an open by name for the read or the write,
    // would meet the FIFO swapped in between.
    void aFifoSwappedInIsNeverOpened()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s), other = dir.filePath(u"other"_s);
        QVERIFY(writeFile(path, {}));
        FifoWatch watch(other);
        QVERIFY(watch.made());
        QCOMPARE(callInChild([&] {
                     std::atomic<bool> stop{false};
                     bool failed = false;
                     std::thread swapper([&] {
                         const QByteArray a = QFile::encodeName(path), b = QFile::encodeName(other);
                         while (!stop && !failed)
                             failed = ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE);
                     });
                     SettingsStore store(path);
                     for (int round = 0; round < 100000 && !watch.opened(); ++round)
                         (void)store.ReadSetting(SettingKeys::Duration);
                     for (int round = 0; round < 1000 && !watch.opened(); ++round)
                         (void)store.WriteSetting(SettingKeys::Duration, Date);
                     stop = true;
                     swapper.join();
                     return !failed;
                 }),
                 u"true"_s);
        QVERIFY(!watch.opened());
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
