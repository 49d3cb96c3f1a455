#include "shell/settingsfile.h"
#include "support/fifowatch.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What takes the path between the look and the write is neither
    // replaced nor opened: the write gives up and leaves no file behind.
    void whatAppearsAfterTheLookIsLeftAlone_data()
    {
        QTest::addColumn<bool>("fileFirst");
        QTest::addColumn<QString>("swappedIn");
        QTest::newRow("nothing, then a link") << false << u"link"_s;
        QTest::newRow("nothing, then a FIFO") << false << u"FIFO"_s;
        QTest::newRow("our file, then a link") << true << u"link"_s;
        QTest::newRow("our file, then another file") << true << u"file"_s;
    }

    void whatAppearsAfterTheLookIsLeftAlone()
    {
        QFETCH(bool, fileFirst);
        QFETCH(QString, swappedIn);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s), notes = dir.filePath(u"notes.txt"_s);
        QVERIFY(writeFile(notes, "[Settings]\n"));
        QVERIFY(!fileFirst || writeFile(path, "[Settings]\n"));
        SettingsFile file(path, 4096);
        QCOMPARE(file.kind(), fileFirst ? SettingsFile::Kind::Regular : SettingsFile::Kind::Missing);

        std::optional<FifoWatch> fifo;
        if (swappedIn == u"file"_s) {
            QCOMPARE(::rename(QFile::encodeName(notes).constData(), QFile::encodeName(path).constData()), 0);
            QVERIFY(writeFile(notes, "[Settings]\n"));
        } else {
            QFile::remove(path);
            QVERIFY(swappedIn == u"link"_s ? QFile::link(notes, path) : fifo.emplace(path).made());
        }
        const QString before = describePath(path) + describePath(notes);

        QVERIFY(!file.replace("[Settings]\nx=1\n"));
        QCOMPARE(describePath(path) + describePath(notes), before);
        QCOMPARE(folderEntries(dir.path()).size(), 2);
        QVERIFY(!fifo || !fifo->opened());
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
