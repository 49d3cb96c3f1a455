#include "settings/scramble.h"
#include "support/testmain.h"
#include "settings/settingsstore.h"
#include "shell/updatereminder.h"
#include "support/files.h"
#include "support/modalwatcher.h"
#include "support/standins.h"
#include "support/urlcatcher.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDate Day0(2024, 2, 20);

QString dateText(int day)
{
    return Day0.addDays(day).toString(QStringLiteral("yyyy-MM-dd"));
}

// One start of the program: the reminder runs from start-up, then again from
// the main window's load.
struct Start
{
    int asked = 0;
    QString question;
    int opened = 0;
    QString storedWhenOpened;

    void run(SettingsStore &store, QDate today, bool answer)
    {
        FixedClock clock(today);
        ModalWatcher modals;
        modals.answerNext(answer ? QMessageBox::Yes : QMessageBox::No);
        UrlCatcher pages;
        pages.onOpen = [&](const QUrl &) {
            ++opened;
            storedWhenOpened = store.ReadSetting(SettingKeys::Duration);
        };
        UpdateReminder reminder(store, clock);
        reminder.RemindOfUpdate();
        reminder.RemindOfUpdate();
        asked = int(modals.seen().size());
        if (asked)
            question = modals.seen().front().text;
    }
};
} // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    void timeline_data()
    {
        QTest::addColumn<QString>("storedBefore");
        QTest::addColumn<int>("today");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<int>("opened");

        QTest::newRow("first run") << QString() << 0 << true << false << dateText(0) << 0;
        QTest::newRow("14 days later") << dateText(0) << 14 << true << false << dateText(0) << 0;
        QTest::newRow("15 days later, Yes") << dateText(0) << 15 << true << true << dateText(15) << 1;
        QTest::newRow("29 days after the first") << dateText(15) << 29 << true << false << dateText(15) << 0;
        QTest::newRow("30 days after the first, No") << dateText(15) << 30 << false << true << dateText(30) << 0;
        QTest::newRow("14 days ahead") << dateText(14) << 0 << true << false << dateText(14) << 0;
        QTest::newRow("15 days ahead") << dateText(15) << 0 << true << true << dateText(0) << 1;
        QTest::newRow("not a date") << QStringLiteral("soon") << 0 << true << false << QStringLiteral("soon") << 0;
        QTest::newRow("no such day") << QStringLiteral("2023-02-29") << 30 << true << false
                                     << QStringLiteral("2023-02-29") << 0;
    }

    void timeline()
    {
        QFETCH(QString, storedBefore);
        QFETCH(int, today);
        QFETCH(bool, answer);
        QFETCH(bool, asks);
        QFETCH(QString, storedAfter);
        QFETCH(int, opened);

        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("numensight.ini")));
        if (!storedBefore.isEmpty())
            QVERIFY(store.WriteSetting(SettingKeys::Duration, storedBefore));

        Start start;
        start.run(store, Day0.addDays(today), answer);

        QCOMPARE(start.asked, asks ? 1 : 0);
        if (asks)
            QCOMPARE(start.question, QStringLiteral("There maybe an update to this software available\r"
                                                   "Do you want to check for an update?"));
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), storedAfter);
        QCOMPARE(start.opened, opened);
        if (opened)
            QCOMPARE(start.storedWhenOpened, dateText(today));
    }

    void refusedWriteEndsSilently_data()
    {
        QTest::addColumn<QString>("storedBefore");
        QTest::addColumn<int>("asked");
        QTest::newRow("first run") << QString() << 0;
        QTest::newRow("after the question") << dateText(0) << 1;
    }

    // Another program's file is read but never written. The date stays due
    // when the write fails; the load's run must not ask again.
    void refusedWriteEndsSilently()
    {
        QFETCH(QString, storedBefore);
        QFETCH(int, asked);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numensight.ini"));
        {
            QSettings raw(path, QSettings::IniFormat);
            raw.setValue(QStringLiteral("Other/name"), QStringLiteral("value"));
            if (!storedBefore.isEmpty())
                raw.setValue(QStringLiteral("Settings/") + ScrambleText(SettingKeys::Duration), ScrambleText(storedBefore));
        }
        const QByteArray before = fileContents(path);
        SettingsStore store(path);

        Start start;
        start.run(store, Day0.addDays(40), true);

        QCOMPARE(start.asked, asked);
        QCOMPARE(start.opened, 0);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), storedBefore);
        QCOMPARE(fileContents(path), before);
    }
};

TEST_CLASS(TestUpdateReminder, Widgets)
#include "tst_updatereminder.moc"
