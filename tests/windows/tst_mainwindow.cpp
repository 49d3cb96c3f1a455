#include "game/verdict.h"
#include "pages/modhelp.h"
#include "support/mainwindowfixture.h"
#include "support/urlcatcher.h"

#include <QAction>
#include <QDialog>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {
// A click where the player would click: on the window, so that whatever lies
// in front at that spot receives it.
void clickOn(QWidget *window, const char *name)
{
    const QWidget *target = control(window, name);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, target->rect().center()));
    QCoreApplication::processEvents();
}

QString address(const QUrl &page)
{
    return QString::fromLatin1(page.toEncoded());
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { hideSizeHintWarnings(); }

    // Play needs a chosen test. Back, and File, Back, clear the Number
    // Test's fields; Play and Back take turns in the menu.
    void playAndBackMoveBetweenThePanels()
    {
        MainWindowFixture f;
        f.click("cmdNext");
        QCOMPARE(f.modals.texts, QStringList{u"Please Select a test type to play"_s});
        QCOMPARE(f.modals.icons[0], QMessageBox::Critical);
        QCOMPARE(f.modals.titles[0], u"Numensight"_s);
        for (const char *back : {"cmdBack", "mnuBack"}) {
            f.enter(0, {u"1"_s, u"5"_s, u"3"_s});
            QCOMPARE(f.inFront({"fraMain", "fraNumberTest", "fraPickRightNumber"}), u"fraNumberTest"_s);
            QVERIFY(!f.get<QAction>("mnuPlay")->isVisible() && f.get<QAction>("mnuBack")->isVisible());
            back[0] == 'c' ? f.click(back) : f.get<QAction>(back)->trigger();
            QCOMPARE(f.inFront({"fraMain", "fraNumberTest", "fraPickRightNumber"}), u"fraMain"_s);
            QVERIFY(f.get<QAction>("mnuPlay")->isVisible() && !f.get<QAction>("mnuBack")->isVisible());
            QCOMPARE(f.text("txtRangeStart") + f.text("txtRangeEnd") + f.text("txtChuosenNumber"), QString());
        }
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
            QTest::keyClick(f.get(name), Qt::Key_Z, Qt::AltModifier);
            QTest::keyClick(f.get(name), Qt::Key_Backspace);
            QCOMPARE(f.text(name), u"1"_s);
        }
        QCOMPARE(f.modals.texts, QStringList(4 * 6, u"Please Enter Only Numbers"_s));
        QCOMPARE(f.modals.icons[0], QMessageBox::NoIcon);
    }

    // A refused entry shows its message, moves the focus and draws nothing
    // (the rules are tst_testrules'); each play shows its own verdict; Total
    // Score shows the counts as they stand at each click.
    void numberTestPlaysCountAndAnnounce()
    {
        MainWindowFixture f;
        f.click("cmdScore");
        f.enter(0, {u"0"_s, u"2"_s, u"1"_s});
        f.click("CmdOK");
        QCOMPARE(f.modals.texts, QStringList{u"Please Enter Correct Starting Number"_s});
        QCOMPARE(f.modals.icons[0], QMessageBox::Information);
        QCOMPARE(f.window.focusWidget(), f.get("txtRangeStart"));
        QCOMPARE(f.random.taken(), 0);
        f.get<QLineEdit>("txtRangeStart")->setText(u"1"_s);
        f.random.queue({0.0f, 0.9f});
        f.click("CmdOK");
        f.click("CmdOK");
        QCOMPARE(f.verdicts, (std::vector<std::pair<QString, QColor>>{{Verdict::sentence(true), QColor(0, 128, 0)},
                                                                      {Verdict::sentence(false), QColor(128, 0, 0)}}));
        f.click("cmdScore");
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScore"_s);
        QCOMPARE(f.get<QTextEdit>("txtTotalScore")->toPlainText(),
                 u"Number Test :-  1 Correct Out Of 2 Attempts\n\nPick The Right Number :-  0 Correct Out Of 0 Attempts"_s);
    }

    // Without a budget a tile asks for one; the clicked tile's caption
    // decides; the run goes on across Back; once it is spent, Reset clears
    // Pick The Right Number's counts and no others.
    void pickPlaysUntilTheBudgetIsSpentThenReset()
    {
        MainWindowFixture f;
        f.book.RecordVerdict(NumberTest, true);
        f.enter(1);
        f.click("lblFiveNumbers_2");
        QCOMPARE(f.window.focusWidget(), f.get("txtNumberOfAttemp"));
        f.get<QLineEdit>("txtNumberOfAttemp")->setText(u"2"_s);
        f.random.queue({0.5f, 0.5f}); // draws 3, 3
        f.click("lblFiveNumbers_2");
        f.click("cmdBackPick");
        f.click("cmdNext");
        f.click("lblFiveNumbers_0");
        f.click("lblFiveNumbers_4");
        QCOMPARE(f.modals.texts, (QStringList{u"Enter The Number Of Attempts You Want To Make"_s,
                                              u"You have Finished All Your Attempts\r\nPlease Reset It"_s}));
        QCOMPARE(f.book.CorrectCount(PickTheRightNumber), 1);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 2);
        QVERIFY(!f.get("txtNumberOfAttemp")->isEnabled());
        f.click("cmdReset");
        QCOMPARE(f.text("txtNumberOfAttemp"), QString());
        QVERIFY(f.get("txtNumberOfAttemp")->isEnabled());
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber) + f.book.CorrectCount(PickTheRightNumber), 0);
        QCOMPARE(f.book.CorrectCount(NumberTest), 1);
    }

    // Each caller opens its own page once per click and draws nothing; a
    // link let go outside it opens nothing. Of the two offer labels, which
    // lie on one another, the draw n = round(r * 6 + 1), halves to even,
    // brings the co-branding one forward for odd n and the full-branding one
    // for even n; 7 leaves them as they are.
    void everyCallerOpensItsOwnPageOncePerClick()
    {
        MainWindowFixture f;
        UrlCatcher pages;
        const QWidget *link = f.get("Label61");
        QTest::mousePress(f.window.windowHandle(), Qt::LeftButton, {}, link->mapTo(&f.window, link->rect().center()));
        QTest::mouseRelease(f.window.windowHandle(), Qt::LeftButton, {}, QPoint(1, f.window.height() - 2));
        for (const char *menu : {"mnuOnline", "mnuVisit", "mnuUpdate", "mnuDonate", "mkmoney"})
            f.get<QAction>(menu)->trigger();
        clickOn(&f.window, "Label61");
        QStringList expected{address(modHelp::helpPageUrl()),     address(modHelp::homePageUrl()),
                             address(modHelp::downloadPageUrl()), address(modHelp::donatePageUrl()),
                             address(modHelp::fullBrandPageUrl()), address(modHelp::homePageUrl())};
        const QUrl co = modHelp::coBrandPageUrl();
        const QUrl full = modHelp::fullBrandPageUrl();
        // n: 1, 7, 2 (of 2.5), 7, 3, 4, 5, 6 (of 5.5)
        for (const auto &[draw, page] : {std::pair{0.0f, co}, {0.99999994f, co}, {0.25f, full}, {0.99999994f, full},
                                         {0.4f, co}, {0.5f, full}, {0.6f, co}, {0.75f, full}}) {
            f.random.queue({draw});
            f.window.CoBrand_Randomize();
            clickOn(&f.window, "lblCobrand");
            expected << address(page);
        }
        QCOMPARE(pages.addresses, expected);
        QCOMPARE(f.random.taken(), 8);
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
                clickOn(&f.window, "Label61");
                for (const char *name : {"lblHomePage", "lblCoBrand"})
                    clickOn(about, name);
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about, key);
                if (!(closed = !about->isVisible()))
                    static_cast<QDialog *>(about)->reject();
            };
            f.get<QAction>("mnuAbout")->trigger();
            QVERIFY(closed && shown.isNull());
        }
        const QStringList linked{address(modHelp::homePageUrl()), address(modHelp::fullBrandPageUrl())};
        QCOMPARE(pages.addresses, linked + linked);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
