#include "settings/settingsstore.h"
#include "shell/clock.h"
#include "shell/updatereminder.h"
#include "support/files.h"
#include "support/modalwatcher.h"
#include "support/standins.h"
#include "support/testmain.h"
#include "support/urlcatcher.h"

#include <QTemporaryDir>

namespace {
const QDate Day0(2024, 2, 20);

QString dateText(int day)
{
    return Day0.addDays(day).toString(QStringLiteral("yyyy-MM-dd"));
}

struct FixedClock : Clock
{
    QDate day;
    QDate today() const override { return day; }
};
} // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT

    // One start on day `today`: the reminder runs from start-up, then again
    // from the main window's load. The questions it asked, and each page it
    // opened with the date stored by then.
    static std::pair<QStringList, QStringList> start(SettingsStore &store, int today, QMessageBox::StandardButton answer)
    {
        FixedClock clock;
        clock.day = Day0.addDays(today);
        ModalWatcher modals;
        modals.answer = answer;
        UrlCatcher pages;
        QStringList opened;
        pages.onOpen = [&] { opened << pages.addresses.last() + u' ' + store.ReadSetting(SettingKeys::Duration); };
        UpdateReminder reminder(store, clock);
        reminder.RemindOfUpdate();
        reminder.RemindOfUpdate();
        return {modals.texts(), opened};
    }

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    void timeline_data()
    {
        QTest::addColumn<QString>("storedBefore");
        QTest::addColumn<int>("today");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("storedAfter");
        const auto yes = QMessageBox::Yes;
        QTest::newRow("first run") << QString() << 0 << yes << false << dateText(0);
        QTest::newRow("14 days later") << dateText(0) << 14 << yes << false << dateText(0);
        QTest::newRow("15 days later, Yes") << dateText(0) << 15 << yes << true << dateText(15);
        QTest::newRow("15 days later, No") << dateText(0) << 15 << QMessageBox::No << true << dateText(15);
        QTest::newRow("14 days ahead") << dateText(14) << 0 << yes << false << dateText(14);
        QTest::newRow("15 days ahead, Yes") << dateText(15) << 0 << yes << true << dateText(0);
        QTest::newRow("not a date") << QStringLiteral("soon") << 0 << yes << false << QStringLiteral("soon");
    }

    // Yes opens the download page once, after today's date is stored.
    void timeline()
    {
        QFETCH(QString, storedBefore);
        QFETCH(int, today);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, asks);
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("numensight.ini")));
        QVERIFY(storedBefore.isEmpty() || store.WriteSetting(SettingKeys::Duration, storedBefore));
        const auto [questions, opened] = start(store, today, answer);
        QCOMPARE(questions, QStringList(asks, QStringLiteral("There maybe an update to this software available\r"
                                                             "Do you want to check for an update?")));
        QTEST(store.ReadSetting(SettingKeys::Duration), "storedAfter");
        const QString page = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html ");
        QCOMPARE(opened, QStringList(asks && answer == QMessageBox::Yes, page + dateText(today)));
    }

    // A file the store will not rewrite (it holds another section) keeps the
    // date due; the load's run must not ask again, and nothing opens.
    void refusedWriteAsksOnceAndOpensNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numensight.ini"));
        // Duration and 2024-02-20, scrambled.
        QVERIFY(writeFile(path, "[Other]\nname=value\n\n[Settings]\nc%94%91%80%93%88%8E%8D=QOQSLOQLQO\n"));
        SettingsStore store(path);
        const auto [questions, opened] = start(store, 40, QMessageBox::Yes);
        QCOMPARE(questions.size(), 1);
        QVERIFY(opened.isEmpty());
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), dateText(0));
    }
};

TEST_CLASS(TestUpdateReminder, Widgets)
#include "tst_updatereminder.moc"
