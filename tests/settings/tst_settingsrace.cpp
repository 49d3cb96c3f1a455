#include "settings/settingsstore.h"
#include "support/testmain.h"
#include "support/childcall.h"
#include "support/fifowatch.h"
#include "support/files.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestSettingsRace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // While another thread keeps swapping what stands at the path among
    // nothing, a FIFO, a link to a notes file and a settings file, no call
    // blocks, opens the FIFO or changes the notes.
    void swapsAtThePathNeitherBlockTheStoreNorReachPastIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"numensight.ini"_s), notes = dir.filePath(u"notes.txt"_s);
        const QString settings = dir.filePath(u"settings.ini"_s), fifo = dir.filePath(u"fifo"_s);
        QVERIFY(writeFile(notes, QByteArray("a line of notes\n").repeated(700)));
        QVERIFY(SettingsStore(settings).WriteSetting(SettingKeys::Duration, u"2024-02-20"_s));
        // Linked in and out, so the watch at its own name sees every open.
        FifoWatch watch(fifo);
        QVERIFY(watch.made());
        const QString notesBefore = describePath(notes);

        const QString calls = callInChild([&] {
            std::atomic<bool> stop{false};
            std::thread swapper([&] {
                const QByteArray at = QFile::encodeName(path);
                const QByteArray to[] = {{}, QFile::encodeName(fifo), QFile::encodeName(notes),
                                         QFile::encodeName(settings)};
                QRandomGenerator random(20240220);
                for (int kind = 0; !stop; kind = (kind + 1) % 4) {
                    ::unlink(at.constData());
                    if (kind == 2)
                        (void)::symlink(to[kind].constData(), at.constData());
                    else if (kind != 0)
                        (void)::link(to[kind].constData(), at.constData());
                    // Held a moment, busy: a yield can hand the store a whole time slice.
                    const auto until = std::chrono::steady_clock::now()
                        + std::chrono::microseconds(random.bounded(200));
                    while (!stop && std::chrono::steady_clock::now() < until) {
                    }
                }
            });
            SettingsStore store(path);
            for (int round = 0; round < 20000; ++round) {
                // Ten seconds for each round; a call that blocks ends the child.
                ::alarm(10);
                (void)store.ReadSetting(SettingKeys::Duration);
                (void)store.WriteSetting(SettingKeys::Duration, QDate(2024, 1, 1).addDays(round).toString(Qt::ISODate));
            }
            stop = true;
            swapper.join();
            return true;
        });
        QCOMPARE(calls, u"true"_s);
        QCOMPARE(describePath(notes), notesBefore);
        QVERIFY(!watch.opened());
    }
};

TEST_CLASS(TestSettingsRace, None)
#include "tst_settingsrace.moc"
