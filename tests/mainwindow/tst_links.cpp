#include "support/mainwindowfixture.h"
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

    void aboutLinksOpenTheirPagesAndLeaveTheWindowModal_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address");

        QTest::newRow("lblHomePage") << "lblHomePage" << MainSite;
        QTest::newRow("lblCoBrand") << "lblCoBrand" << HelpSite + "/fully-branded.html";
    }

    void aboutLinksOpenTheirPagesAndLeaveTheWindowModal()
    {
        QFETCH(QString, link);
        QFETCH(QString, address);

        MainWindowFixture f;
        UrlCatcher catcher;
        QStringList openedWhileShown;
        bool stillOpen = false;
        bool stillModal = false;
        QString caption;
        f.modals.onOtherModal([&](QWidget *about) {
            auto *label = about->findChild<QWidget *>(link);
            if (label) {
                caption = label->property("text").toString();
                clickThroughWindow(about, label);
            }
            openedWhileShown = catcher.addresses();
            stillOpen = about->isVisible();
            stillModal = QApplication::activeModalWidget() == about;
            QTest::mouseClick(about->findChild<QWidget *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        f.get<QAction>("mnuAbout")->trigger();

        QCOMPARE(openedWhileShown, QStringList{address});
        QVERIFY(stillOpen);
        QVERIFY(stillModal);
        QCOMPARE(catcher.addresses(), QStringList{address});
        if (link == QLatin1String("lblCoBrand"))
            QCOMPARE(caption, QStringLiteral(" Click here for more details."));
    }

    void donateAndTheHiddenEntrySitOnTheBarItself()
    {
        MainWindowFixture f;
        auto *bar = f.get<QMenuBar>("menubar");
        auto *donate = f.get<QAction>("mnuDonate");
        auto *money = f.get<QAction>("mkmoney");
        QVERIFY(bar->actions().contains(donate));
        QVERIFY(bar->actions().contains(money));
        QVERIFY(!donate->menu());
        QVERIFY(!money->menu());
        QVERIFY(donate->isVisible());
        QVERIFY(!bar->actionGeometry(donate).isEmpty());

        // Whatever the player does, the hidden entry never takes a place on the bar.
        UrlCatcher catcher;
        f.random.queue({0.0f});
        f.window.CoBrand_Randomize();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(donate).center());
        clickMenuEntry(bar, f.get<QMenu>("mnuHelp"), f.get<QAction>("mnuOnline"));
        f.click("optOption_0");
        f.click("cmdNext");
        f.click("cmdBack");
        QCOMPARE(catcher.urls.size(), 2);
        QVERIFY(!money->isVisible());
        QVERIFY(bar->actionGeometry(money).isEmpty());
        for (int x = 0; x < bar->width(); x += 4)
            QVERIFY(bar->actionAt(QPoint(x, bar->height() / 2)) != money);

        // Its access key reaches nothing either, while Donate's works.
        QSignalSpy moneyTriggered(money, &QAction::triggered);
        f.activate();
        QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
        QTest::qWait(300);
        QCOMPARE(moneyTriggered.size(), 0);
        QCOMPARE(catcher.urls.size(), 2);
        f.activate();
        QTest::keyClick(&f.window, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(catcher.urls.size(), 3);
        QCOMPARE(catcher.addresses().last(), HelpSite + "/donate.html");
    }

    void coBrandDrawPicksTheLabelInFront_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("front");

        // n = round(r * 6 + 1), halves to even: odd n brings the co-branding
        // label forward, even n the full-branding one, 7 moves neither.
        QTest::newRow("0.0 -> 1") << 0.0f << "lblCobrand";
        QTest::newRow("0.08 -> 1.48 -> 1") << 0.08f << "lblCobrand";
        QTest::newRow("0.1 -> 1.6 -> 2") << 0.1f << "lblFullBrand";
        QTest::newRow("0.25 -> 2.5 -> 2") << 0.25f << "lblFullBrand";
        QTest::newRow("0.4 -> 3.4 -> 3") << 0.4f << "lblCobrand";
        QTest::newRow("0.5 -> 4") << 0.5f << "lblFullBrand";
        QTest::newRow("0.58 -> 4.48 -> 4") << 0.58f << "lblFullBrand";
        QTest::newRow("0.6 -> 4.6 -> 5") << 0.6f << "lblCobrand";
        QTest::newRow("0.7 -> 5.2 -> 5") << 0.7f << "lblCobrand";
        QTest::newRow("0.75 -> 5.5 -> 6") << 0.75f << "lblFullBrand";
        QTest::newRow("0.9 -> 6.4 -> 6") << 0.9f << "lblFullBrand";
        QTest::newRow("0.95 -> 6.7 -> 7") << 0.95f << "";
        QTest::newRow("largest draw -> 7") << 0.99999994f << "";
    }

    void coBrandDrawPicksTheLabelInFront()
    {
        QFETCH(float, draw);
        QFETCH(QString, front);

        MainWindowFixture f;
        QWidget *strip = f.get("lblCobrand")->parentWidget();
        QVERIFY(f.inFront("lblFullBrand", {"lblCobrand"}));
        const QObjectList before = strip->children();

        f.random.queue({draw});
        f.window.CoBrand_Randomize();
        QCOMPARE(f.random.taken(), 1);
        if (front.isEmpty()) {
            QCOMPARE(strip->children(), before);
            QVERIFY(f.inFront("lblFullBrand", {"lblCobrand"}));
        } else {
            const QString other = front == QLatin1String("lblCobrand") ? QStringLiteral("lblFullBrand")
                                                                      : QStringLiteral("lblCobrand");
            QVERIFY(f.inFront(front.toLatin1().constData(), {other.toLatin1().constData()}));
        }
        // The Exit button beside the labels keeps taking clicks.
        QWidget *exit = f.get("cmdExit");
        QCOMPARE(f.window.childAt(exit->mapTo(&f.window, exit->rect().center())), exit);
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
