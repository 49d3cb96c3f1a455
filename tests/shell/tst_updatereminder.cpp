#include "settings/settingsstore.h"
#include "shell/clock.h"
#include "shell/updatereminder.h"
#include "support/files.h"
#include "support/modalwatcher.h"
#include "support/standins.h"
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

private Q_SLOTS:
    void initTestCase() { hideSizeHintWarnings(); }

    void timeline_data()
    {
        QTest::addColumn<QString>("storedBefore");
        QTest::addColumn<QByteArray>("added");
        QTest::addColumn<int>("today");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("storedAfter");
        const QString soon = QStringLiteral("soon");
        QTest::newRow("first run") << QString() << QByteArray() << 0 << true << false << dateText(0);
        QTest::newRow("14 days later") << dateText(0) << QByteArray() << 14 << true << false << dateText(0);
        QTest::newRow("15 days later, Yes") << dateText(0) << QByteArray() << 15 << true << true << dateText(15);
        QTest::newRow("15 days later, No") << dateText(0) << QByteArray() << 15 << false << true << dateText(15);
        QTest::newRow("14 days ahead") << dateText(14) << QByteArray() << 0 << true << false << dateText(14);
        QTest::newRow("15 days ahead, Yes") << dateText(15) << QByteArray() << 0 << true << true << dateText(0);
        QTest::newRow("not a date") << soon << QByteArray() << 0 << true << false << soon;
        QTest::newRow("another section") << dateText(0) << QByteArray("[Other]\nname=value\n") << 40 << true << true
                                         << dateText(40);
        QTest::newRow("file kept as it is") << dateText(0) << QByteArray("; a note\n") << 40 << true << true
                                            << dateText(0);
    }

    // One start on day `today`: the reminder runs from start-up, then from
    // the main window's load, and asks at most once. Yes opens the download
    // page once, after today's date is stored; nothing opens when the store
    // will not rewrite its file (it holds a comment). Another section is kept.
    void timeline()
    {
        QFETCH(QString, storedBefore);
        QFETCH(QByteArray, added);
        QFETCH(int, today);
        QFETCH(bool, yes);
        QFETCH(bool, asks);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numensight.ini"));
        SettingsStore store(path);
        QVERIFY(storedBefore.isEmpty() || store.WriteSetting(SettingKeys::Duration, storedBefore));
        QVERIFY(added.isEmpty() || writeFile(path, fileContents(path) + added));
        FixedClock clock;
        clock.day = Day0.addDays(today);
        ModalWatcher modals;
        modals.answer = yes ? QMessageBox::Yes : QMessageBox::No;
        UrlCatcher pages;
        QStringList opened;
        pages.onOpen = [&] { opened << pages.addresses.last() + u' ' + store.ReadSetting(SettingKeys::Duration); };
        UpdateReminder reminder(store, clock);
        reminder.RemindOfUpdate();
        reminder.RemindOfUpdate();
        QCOMPARE(modals.texts, QStringList(asks, QStringLiteral("There maybe an update to this software available\r"
                                                                "Do you want to check for an update?")));
        QFETCH(QString, storedAfter);
        QCOMPARE(store.ReadSetting(SettingKeys::Duration), storedAfter);
        QVERIFY(fileContents(path).contains(added));
        const QString page = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html ");
        QCOMPARE(opened, QStringList(asks && yes && storedAfter == dateText(today), page + dateText(today)));
    }
};

QTEST_MAIN(TestUpdateReminder)
#include "tst_updatereminder.moc"
