#include "support/mainwindowfixture.h"
#include "support/testmain.h"
#include "support/urlcatcher.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QWindow>

namespace {
const QString MainSite = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST);
const QString HelpSite = QStringLiteral("http://" NUMENSIGHT_HELP_HOST);

// A click where the player would click: on the window, so that whatever lies
// in front at that spot receives it.
void clickThroughWindow(QWidget *window, QWidget *control)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
    QCoreApplication::processEvents();
}

// Opens a menu of the bar with the mouse and clicks one of its entries.
void clickMenuEntry(QMenuBar *bar, QMenu *menu, QAction *entry)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    QTRY_VERIFY(!menu->isVisible());
}
} // namespace

class TestLinks : public QObject
{
    Q_OBJECT

    // Operates a caller the way the player reaches it. The hidden menu entry
    // has no place to click, so it is triggered.
    static void operate(MainWindowFixture &f, const QString &name)
    {
        auto *bar = f.get<QMenuBar>("menubar");
        if (auto *action = f.window.findChild<QAction *>(name)) {
            auto *help = f.get<QMenu>("mnuHelp");
            if (help->actions().contains(action))
                clickMenuEntry(bar, help, action);
            else if (action->isVisible())
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
            else
                action->trigger();
        } else {
            clickThroughWindow(&f.window, f.get(name.toLatin1().constData()));
        }
    }

private Q_SLOTS:
    void everyCallerOpensItsOwnAddressOncePerClick_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("address");

        // The draw decides which offer label lies in front (0 brings the
        // co-branding one forward, 0.1 the full-branding one).
        QTest::newRow("mnuOnline") << "mnuOnline" << 0.1f << MainSite + "/numensight/numensight-help.html";
        QTest::newRow("mnuVisit") << "mnuVisit" << 0.1f << MainSite;
        QTest::newRow("mnuUpdate") << "mnuUpdate" << 0.1f << MainSite + "/numensight/download-numensight.html";
        QTest::newRow("mnuDonate") << "mnuDonate" << 0.1f << HelpSite + "/donate.html";
        QTest::newRow("mkmoney") << "mkmoney" << 0.1f << HelpSite + "/fully-branded.html";
        QTest::newRow("Label61") << "Label61" << 0.1f << MainSite;
        QTest::newRow("lblCobrand") << "lblCobrand" << 0.0f << HelpSite + "/co-brand.html";
        QTest::newRow("lblFullBrand") << "lblFullBrand" << 0.1f << HelpSite + "/fully-branded.html";
    }

    void everyCallerOpensItsOwnAddressOncePerClick()
    {
        QFETCH(QString, caller);
        QFETCH(float, draw);
        QFETCH(QString, address);

        MainWindowFixture f;
        UrlCatcher catcher;
        f.random.queue({draw});
        f.window.CoBrand_Randomize();

        operate(f, caller);
        QCOMPARE(catcher.addresses(), QStringList{address});
        f.activate();
        operate(f, caller);
        QCOMPARE(catcher.addresses(), QStringList(2, address));

        // Opening a page is all a caller does: no question, no reminder, no
        // panel change, no further draw.
        QVERIFY(f.modals.seen().empty());
        QCOMPARE(f.hooks.reminders, 1);
        QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
        QCOMPARE(f.random.taken(), 1);
    }

    // A press on a link that ends away from it, or that starts elsewhere and
    // ends on it, opens nothing.
    void linkOpensOnlyOnAPressAndReleaseOverIt()
    {
        MainWindowFixture f;
        UrlCatcher catcher;
        QWindow *window = f.window.windowHandle();
        QWidget *banner = f.get("Label61");
        const QPoint on = banner->mapTo(&f.window, banner->rect().center());
        const QPoint away = f.get("cmdExit")->mapTo(&f.window, QPoint(2, 2));
        QTest::mousePress(window, Qt::LeftButton, {}, on);
        QTest::mouseMove(window, away);
        QTest::mouseRelease(window, Qt::LeftButton, {}, away);
        QTest::mousePress(window, Qt::LeftButton, {}, away);
        QTest::mouseMove(window, on);
        QTest::mouseRelease(window, Qt::LeftButton, {}, on);
        QCoreApplication::processEvents();
        QVERIFY(catcher.addresses().isEmpty());
        QTest::mouseClick(window, Qt::LeftButton, {}, on);
        QCOMPARE(catcher.addresses(), QStringList{MainSite});
    }

    // The hidden entry never takes a place on the bar, nor does its access key
    // reach it, whatever the player does; Donate's does.
    void hiddenEntryStaysOutOfReach()
    {
        MainWindowFixture f;
        UrlCatcher catcher;
        auto *bar = f.get<QMenuBar>("menubar");
        auto *money = f.get<QAction>("mkmoney");
        QSignalSpy moneyTriggered(money, &QAction::triggered);
        clickMenuEntry(bar, f.get<QMenu>("mnuHelp"), f.get<QAction>("mnuOnline"));
        f.click("optOption_0");
        f.click("cmdNext");
        f.click("cmdBack");
        QVERIFY(!money->isVisible());
        for (int x = 0; x < bar->width(); x += 4)
            QVERIFY(bar->actionAt(QPoint(x, bar->height() / 2)) != money);
        f.activate();
        QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(&f.window, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.addresses().last(), HelpSite + "/donate.html");
        QCOMPARE(moneyTriggered.size(), 0);
    }

    // n = round(r * 6 + 1), halves to even: odd n brings the co-branding
    // offer forward, even n the full-branding one, 7 neither.
    void coBrandDrawPicksTheOfferInFront_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("front");
        QTest::newRow("lowest") << 0.0f << "lblCobrand";
        QTest::newRow("a half goes to even") << 0.25f << "lblFullBrand";
        QTest::newRow("middle") << 0.6f << "lblCobrand";
        QTest::newRow("highest") << 0.99999994f << "";
    }

    void coBrandDrawPicksTheOfferInFront()
    {
        QFETCH(float, draw);
        QFETCH(QString, front);
        MainWindowFixture f;
        QVERIFY(f.inFront("lblFullBrand", {"lblCobrand"}));
        f.random.queue({draw});
        f.window.CoBrand_Randomize();
        QCOMPARE(f.random.taken(), 1);
        const bool coBrandInFront = f.inFront("lblCobrand", {"lblFullBrand"});
        QCOMPARE(coBrandInFront, front == QLatin1String("lblCobrand"));
        // The Exit button beside the offers keeps taking clicks.
        QWidget *exit = f.get("cmdExit");
        QCOMPARE(f.window.childAt(exit->mapTo(&f.window, exit->rect().center())), exit);
    }
};

TEST_CLASS(TestLinks, Widgets)
#include "tst_links.moc"
