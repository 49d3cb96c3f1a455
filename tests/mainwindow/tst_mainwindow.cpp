#include "game/verdict.h"
#include "support/mainwindowfixture.h"
#include "support/testmain.h"
#include "support/urlcatcher.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {
const QString MainSite = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST);
const QString HelpSite = QStringLiteral("http://" NUMENSIGHT_HELP_HOST);

// A click where the player would click: on the window, so that whatever lies
// in front at that spot receives it.
void clickOn(QWidget *window, const char *name)
{
    const QWidget *target = control(window, name);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, target->rect().center()));
    QCoreApplication::processEvents();
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    // Play needs a chosen test, whose name it and File's first entry take.
    // Back, and File, Back, clear the Number Test's fields; Pick The Right
    // Number keeps its run across Back.
    void playAndBackMoveBetweenThePanels()
    {
        MainWindowFixture f;
        QCOMPARE(f.hooks.reminders, 1);
        f.click("cmdNext");
        QCOMPARE(f.modals.seen.at(0).text, u"Please Select a test type to play"_s);
        QCOMPARE(f.modals.seen.at(0).icon, QMessageBox::Critical);
        QCOMPARE(f.modals.seen.at(0).title, u"Numensight"_s);
        f.click("optOption_1");
        for (const char *back : {"cmdBack", "mnuBack"}) {
            QCOMPARE(f.inFront({"fraMain", "fraNumberTest", "fraPickRightNumber"}), u"fraMain"_s);
            QVERIFY(f.get<QAction>("mnuPlay")->isVisible() && !f.get<QAction>("mnuBack")->isVisible());
            f.enter(0, {u"1"_s, u"5"_s, u"3"_s});
            QCOMPARE(f.get<QAction>("mnuPlay")->text(), u"&Number Test"_s);
            QCOMPARE(f.inFront({"fraMain", "fraNumberTest", "fraPickRightNumber"}), u"fraNumberTest"_s);
            QVERIFY(!f.get<QAction>("mnuPlay")->isVisible() && f.get<QAction>("mnuBack")->isVisible());
            back[0] == 'c' ? f.click(back) : f.get<QAction>(back)->trigger();
            QCOMPARE(f.text("txtRangeStart") + f.text("txtRangeEnd") + f.text("txtChuosenNumber"), QString());
        }
        f.enter(1, {u"4"_s});
        QCOMPARE(f.get<QPushButton>("cmdNext")->text(), u"Pick The &Right Number"_s);
        f.click("lblFiveNumbers_0");
        f.click("cmdBackPick");
        f.click("cmdNext");
        QCOMPARE(f.text("txtNumberOfAttemp"), u"4"_s);
        QVERIFY(!f.get("txtNumberOfAttemp")->isEnabled());
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 1);
    }

    // Minus, point, space, letters, Enter and Ctrl+V come as characters and
    // are refused with a message; digits and Backspace work; Alt with a key
    // types nothing.
    void entryFieldsTakeOnlyDigits()
    {
        MainWindowFixture f;
        for (const char *name : {"txtRangeStart", "txtRangeEnd", "txtChuosenNumber", "txtNumberOfAttemp"}) {
            QTest::keyClicks(f.get(name), u"1-. a2"_s);
            QTest::keyClick(f.get(name), Qt::Key_Return);
            QTest::keyClick(f.get(name), Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(f.get(name), Qt::Key_Z, Qt::AltModifier); // types nothing, says nothing
            QTest::keyClick(f.get(name), Qt::Key_Backspace);
            QCOMPARE(f.text(name), u"1"_s);
        }
        QCOMPARE(f.modals.texts(), QStringList(4 * 6, u"Please Enter Only Numbers"_s));
        QCOMPARE(f.modals.seen[0].icon, QMessageBox::NoIcon);
    }

    // A refused entry shows its message, moves the focus and plays nothing
    // (the rules are tst_testrules'); each play shows only its own verdict,
    // and the score card a snapshot of the counts.
    void numberTestPlaysCountAndAnnounce()
    {
        MainWindowFixture f;
        auto *score = f.get<QTextEdit>("txtTotalScore");
        f.click("cmdScore");
        QCOMPARE(score->toPlainText(), u"Number Test :-  0 Correct Out Of 0 Attempts\n\n"
                                       "Pick The Right Number :-  0 Correct Out Of 0 Attempts"_s);
        f.click("cmdScoreOk");
        f.enter(0, {u"0"_s, u"2"_s, u"1"_s});
        f.click("CmdOK");
        QCOMPARE(f.modals.texts(), QStringList{u"Please Enter Correct Starting Number"_s});
        QCOMPARE(f.modals.seen[0].icon, QMessageBox::Information);
        QCOMPARE(f.window.focusWidget(), f.get("txtRangeStart"));
        QCOMPARE(f.text("txtRangeStart") + f.text("txtRangeEnd"), u"2"_s);
        QCOMPARE(f.random.taken(), 0);
        f.get<QLineEdit>("txtRangeStart")->setText(u"1"_s);
        f.random.queue({0.0f, 0.9f, 0.9f});
        for (int play = 0; play < 3; ++play)
            f.click("CmdOK");
        QCOMPARE(f.verdicts, (std::vector<std::pair<QString, QColor>>{{Verdict::sentence(true), QColor(0, 128, 0)},
                                                                      {Verdict::sentence(false), QColor(128, 0, 0)},
                                                                      {Verdict::sentence(false), QColor(128, 0, 0)}}));
        QVERIFY(!f.get("picMessage")->isVisible());
        f.click("cmdBack");
        f.click("cmdScore");
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScore"_s);
        QCOMPARE(score->toPlainText(), u"Number Test :-  1 Correct Out Of 3 Attempts\n\n"
                                       "Pick The Right Number :-  0 Correct Out Of 0 Attempts"_s);
    }

    // Without a budget a click asks for one; then three plays (the clicked
    // tile's caption decides), a refusal, and Reset, which leaves the Number
    // Test's counts.
    void pickPlaysUntilTheBudgetIsSpentThenReset()
    {
        MainWindowFixture f;
        f.book.RecordVerdict(NumberTest, true);
        f.enter(1);
        f.click("lblFiveNumbers_2");
        QCOMPARE(f.window.focusWidget(), f.get("txtNumberOfAttemp"));
        f.get<QLineEdit>("txtNumberOfAttemp")->setText(u"3"_s);
        f.random.queue({0.5f, 0.5f, 0.0f}); // draws 3, 3, 1
        for (const char *tile : {"lblFiveNumbers_2", "lblFiveNumbers_0", "lblFiveNumbers_4", "lblFiveNumbers_1"})
            f.click(tile);
        QCOMPARE(f.modals.texts(), (QStringList{u"Enter The Number Of Attempts You Want To Make"_s,
                                                u"You have Finished All Your Attempts\r\nPlease Reset It"_s}));
        QCOMPARE(f.verdicts.size(), size_t(3));
        QCOMPARE(f.verdicts[0].first, Verdict::sentence(true));
        QCOMPARE(f.book.CorrectCount(PickTheRightNumber), 1);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 3);
        QVERIFY(!f.get("txtNumberOfAttemp")->isEnabled());
        f.click("cmdReset");
        QCOMPARE(f.text("txtNumberOfAttemp"), QString());
        QVERIFY(f.get("txtNumberOfAttemp")->isEnabled());
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber) + f.book.CorrectCount(PickTheRightNumber), 0);
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
    }

    // Each caller opens its own page, once per click, and does nothing else.
    // The draw decides which offer label lies in front: n = round(r * 6 + 1),
    // halves to even; odd n brings the co-branding one forward, even n the
    // full-branding one, 7 neither (the full-branding one stays in front).
    void everyCallerOpensItsOwnAddressOncePerClick_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("address");
        QTest::newRow("mnuOnline") << 0.1f << MainSite + "/numensight/numensight-help.html";
        QTest::newRow("mnuVisit") << 0.1f << MainSite;
        QTest::newRow("mnuUpdate") << 0.1f << MainSite + "/numensight/download-numensight.html";
        QTest::newRow("mnuDonate") << 0.1f << HelpSite + "/donate.html";
        QTest::newRow("mkmoney") << 0.1f << HelpSite + "/fully-branded.html";
        QTest::newRow("Label61") << 0.1f << MainSite;
        QTest::newRow("lblCobrand") << 0.0f << HelpSite + "/co-brand.html";
        QTest::newRow("lblCobrand, n 5") << 0.6f << HelpSite + "/co-brand.html";
        QTest::newRow("lblFullBrand") << 0.1f << HelpSite + "/fully-branded.html";
        QTest::newRow("lblFullBrand, n 7") << 0.99999994f << HelpSite + "/fully-branded.html";
    }
    void everyCallerOpensItsOwnAddressOncePerClick()
    {
        QFETCH(float, draw);
        QFETCH(QString, address);
        MainWindowFixture f;
        UrlCatcher pages;
        f.random.queue({draw});
        f.window.CoBrand_Randomize();
        const QByteArray caller = QByteArray(QTest::currentDataTag()).split(',').first();
        if (!f.window.findChild<QAction *>(QLatin1String(caller))) {
            // Pressed on the link, let go elsewhere: no page.
            const QWidget *link = control(&f.window, caller.constData());
            QTest::mousePress(f.window.windowHandle(), Qt::LeftButton, {}, link->mapTo(&f.window, link->rect().center()));
            QTest::mouseRelease(f.window.windowHandle(), Qt::LeftButton, {}, QPoint(1, f.window.height() - 2));
        }
        for (int click = 0; click < 2; ++click) {
            if (auto *action = f.window.findChild<QAction *>(QLatin1String(caller)))
                action->trigger();
            else
                clickOn(&f.window, caller.constData());
        }
        QCOMPARE(pages.addresses, QStringList(2, address));
        QVERIFY(f.modals.seen.empty());
        QCOMPARE(f.inFront({"fraMain", "fraNumberTest", "fraPickRightNumber"}), u"fraMain"_s);
        QCOMPARE(f.random.taken(), 1);
    }

    // While the About window is open the main window takes no click; its
    // links open their pages, and Enter or Escape close it. Each showing is
    // a window of its own, gone once closed.
    void aboutWindowIsModalAndItsLinksOpenTheirPages()
    {
        MainWindowFixture f;
        UrlCatcher pages;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QPointer<QWidget> shown;
            bool closed = false;
            f.modals.onOtherModal = [&](QWidget *about) {
                shown = about;
                QVERIFY(control<QLabel>(about, "Label1")->text().contains(QLatin1String(NUMENSIGHT_MAIN_HOST)));
                for (const char *name : {"Label61", "cmdExit"})
                    clickOn(&f.window, name);
                for (const char *name : {"lblHomePage", "lblCoBrand"})
                    clickOn(about, name);
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about, key);
                if (!(closed = !about->isVisible()))
                    static_cast<QDialog *>(about)->reject();
            };
            f.get<QAction>("mnuAbout")->trigger();
            QVERIFY(closed && shown.isNull());
        }
        const QStringList linked{MainSite, HelpSite + "/fully-branded.html"};
        QCOMPARE(pages.addresses, linked + linked);
        QCOMPARE(f.hooks.exitWindows, 0);
    }
};

TEST_CLASS(TestMainWindow, Widgets)
#include "tst_mainwindow.moc"
