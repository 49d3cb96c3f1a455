#include "support/mainwindowfixture.h"
#include "support/testmain.h"

#include "game/verdict.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {
const QColor kGreen(0, 128, 0);
const QColor kDarkRed(128, 0, 0);
const QString kFinished = QStringLiteral("You have Finished All Your Attempts\r\nPlease Reset It");
} // namespace

class TestPlays : public QObject
{
    Q_OBJECT

    static void enterPick(MainWindowFixture &f, const QString &budget)
    {
        f.click("optOption_1");
        f.click("cmdNext");
        f.type("txtNumberOfAttemp", budget);
    }

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    // The rules decide the message and the field (tst_testrules); the window
    // shows it, empties the start when told, moves the focus, and plays nothing.
    void refusedEntriesShowTheirMessageAndMoveTheFocus_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("startAfter");
        QTest::newRow("start") << "0" << "10" << "Please Enter Correct Starting Number" << "txtRangeStart" << "";
        QTest::newRow("end") << "9" << "5" << "Starting Range Can't be Bigger Than Ending Range" << "txtRangeEnd" << "9";
        QTest::newRow("chosen") << "1" << "4" << "Your Chosen Number Can't be Bigger Than Ending Number" << "txtChuosenNumber" << "1";
    }

    void refusedEntriesShowTheirMessageAndMoveTheFocus()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QString, startAfter);
        MainWindowFixture f;
        f.enterNumberTest(start, end, QStringLiteral("5"));
        f.get("cmdBack")->setFocus();
        f.click("CmdOK");
        QCOMPARE(f.modals.texts(), QStringList{message});
        QCOMPARE(f.modals.seen()[0].icon, QMessageBox::Information);
        QCOMPARE(f.window.focusWidget()->objectName(), focus);
        QCOMPARE(f.get<QLineEdit>("txtRangeStart")->text(), startAfter);
        QCOMPARE(f.book.AttemptCount(NumberTest), 0);
        QVERIFY(f.verdicts.empty());
        QCOMPARE(f.random.taken(), 0);
    }

    void numberTestPlaysCountAndAnnounce()
    {
        MainWindowFixture f;
        f.enterNumberTest("1", "2", "1");
        f.random.queue({0.0f, 0.9f});
        f.click("CmdOK");
        f.click("CmdOK");
        QCOMPARE(f.verdicts.size(), size_t(2));
        QCOMPARE(f.verdicts[0].sentence, Verdict::sentence(true));
        QCOMPARE(f.verdicts[0].colour, kGreen);
        QCOMPARE(f.verdicts[1].sentence, Verdict::sentence(false));
        QCOMPARE(f.verdicts[1].colour, kDarkRed);
        QCOMPARE(f.book.CorrectCount(NumberTest), 1);
        QCOMPARE(f.book.AttemptCount(NumberTest), 2);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 0);
        QCOMPARE(f.get<QLabel>("lblResult")->text(), QStringLiteral("InCorrect"));
        QVERIFY(!f.get("picMessage")->isVisible());
        QCOMPARE(f.get<QLineEdit>("txtRangeStart")->text(), QStringLiteral("1"));
        QCOMPARE(f.get<QLineEdit>("txtChuosenNumber")->text(), QStringLiteral("1"));
        QVERIFY(f.modals.seen().empty());
    }

    // A press that is no user input (an accessibility action) reaches OK
    // during the pause; the play under way runs to its verdict first.
    void aPressDuringThePauseStartsNoSecondPlay()
    {
        struct ClickingPause : Pause
        {
            QAbstractButton *button = nullptr;
            int presses = 0;
            void wait(int) override
            {
                if (presses++ == 0)
                    button->click();
            }
        } pause;
        MainWindowFixture f(&pause);
        pause.button = f.get<QAbstractButton>("CmdOK");
        f.enterNumberTest("1", "5", "3");
        f.click("CmdOK");
        QCOMPARE(f.verdicts.size(), size_t(1));
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
    }

    void resultWindowIsModalAndIgnoresEscape()
    {
        MainWindowFixture f;
        f.enterNumberTest("1", "5", "3");
        bool checked = false;
        bool closedByEnter = false;
        f.modals.onOtherModal([&](QWidget *result) {
            QTest::keyClick(result, Qt::Key_Escape);
            QVERIFY(result->isVisible());
            // A click on the main window's Back reaches nothing while it is open.
            QWidget *back = f.get("cmdBack");
            QTest::mouseClick(f.window.windowHandle(), Qt::LeftButton, {},
                              back->mapTo(&f.window, back->rect().center()));
            QCoreApplication::processEvents();
            QCOMPARE(f.panelInFront(), QStringLiteral("fraNumberTest"));
            checked = true;
            // Enter presses TRY AGAIN while it has the focus.
            auto *again = result->findChild<QWidget *>(QStringLiteral("cmdTry"));
            QTest::keyClick(again, Qt::Key_Return);
            closedByEnter = !result->isVisible();
            if (!closedByEnter)
                QTest::mouseClick(again, Qt::LeftButton);
        });
        f.click("CmdOK");
        QVERIFY(checked);
        QVERIFY(closedByEnter);
        QCOMPARE(f.get<QLineEdit>("txtRangeEnd")->text(), QStringLiteral("5"));
    }

    // Without a budget a click asks for one and keeps the field open; a
    // budget of 0 closes the field and refuses at once.
    void pickNeedsABudgetFirst()
    {
        MainWindowFixture f;
        f.click("optOption_1");
        f.click("cmdNext");
        f.click("lblFiveNumbers_2");
        QCOMPARE(f.modals.texts(), QStringList{QStringLiteral("Enter The Number Of Attempts You Want To Make")});
        QCOMPARE(f.modals.seen()[0].icon, QMessageBox::NoIcon);
        QCOMPARE(f.window.focusWidget()->objectName(), QStringLiteral("txtNumberOfAttemp"));
        QVERIFY(f.get("txtNumberOfAttemp")->isEnabled());
        f.type("txtNumberOfAttemp", "0");
        f.modals.clear();
        f.click("lblFiveNumbers_0");
        QCOMPARE(f.modals.texts(), QStringList{kFinished});
        QVERIFY(!f.get("txtNumberOfAttemp")->isEnabled());
        QVERIFY(f.verdicts.empty());
        QCOMPARE(f.random.taken(), 0);
    }

    void pickPlaysUntilTheBudgetIsSpentThenReset()
    {
        MainWindowFixture f;
        f.book.RecordVerdict(NumberTest, true);
        enterPick(f, "3");
        f.random.queue({0.5f, 0.5f, 0.0f}); // draws 3, 3, 1
        f.click("lblFiveNumbers_2");
        QVERIFY(!f.get("txtNumberOfAttemp")->isEnabled());
        f.click("lblFiveNumbers_0");
        f.click("lblFiveNumbers_4");
        QCOMPARE(f.verdicts.size(), size_t(3));
        QCOMPARE(f.verdicts[0].sentence, Verdict::sentence(true)); // the tile showing 3
        QCOMPARE(f.verdicts[1].colour, kDarkRed);
        QCOMPARE(f.book.CorrectCount(PickTheRightNumber), 1);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 3);
        QCOMPARE(f.get<QLabel>("lblResultPicKNumber")->text(), QStringLiteral("InCorrect"));

        f.click("lblFiveNumbers_1");
        QCOMPARE(f.modals.texts(), QStringList{kFinished});
        QCOMPARE(f.modals.seen()[0].icon, QMessageBox::Information);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 3);
        QCOMPARE(f.verdicts.size(), size_t(3));

        f.click("cmdReset");
        QCOMPARE(f.get<QLineEdit>("txtNumberOfAttemp")->text(), QString());
        QVERIFY(f.get("txtNumberOfAttemp")->isEnabled());
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 0);
        QCOMPARE(f.book.CorrectCount(PickTheRightNumber), 0);
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QCOMPARE(f.book.CorrectCount(NumberTest), 1);
    }

    void scoreCardShowsASnapshotOfBothTests()
    {
        MainWindowFixture f;
        auto *score = f.get<QTextEdit>("txtTotalScore");
        f.click("cmdScore");
        QCOMPARE(score->toPlainText(),
                 QStringLiteral("Number Test :-  0 Correct Out Of 0 Attempts\n\n"
                                "Pick The Right Number :-  0 Correct Out Of 0 Attempts"));
        QVERIFY(f.inFront("fraScore", {"fraScoreClick"}));
        f.click("cmdScoreOk");
        QVERIFY(f.inFront("fraScoreClick", {"fraScore"}));

        f.enterNumberTest("1", "2", "1");
        f.random.queue({0.0f, 0.9f, 0.9f});
        for (int i = 0; i < 3; ++i)
            f.click("CmdOK");
        f.click("cmdBack");
        f.click("optOption_1");
        f.click("cmdNext");
        f.type("txtNumberOfAttemp", "5");
        f.random.queue({0.0f});
        f.click("lblFiveNumbers_0");
        f.click("cmdBackPick");
        f.click("cmdScore");
        QCOMPARE(score->toPlainText(),
                 QStringLiteral("Number Test :-  1 Correct Out Of 3 Attempts\n\n"
                                "Pick The Right Number :-  1 Correct Out Of 1 Attempts"));
        f.book.RecordVerdict(NumberTest, false);
        QVERIFY(score->toPlainText().startsWith(QStringLiteral("Number Test :-  1 Correct Out Of 3 ")));
    }

    void scoreBoxEmptiesTheClipboard()
    {
        MainWindowFixture f;
        QClipboard *clipboard = QGuiApplication::clipboard();
        f.click("cmdScore");
        QWidget *box = f.get<QTextEdit>("txtTotalScore")->viewport();

        clipboard->setText(QStringLiteral("from another program"));
        QTest::mouseMove(box, box->rect().center());
        QTRY_VERIFY(clipboard->text().isEmpty());

        clipboard->setText(QStringLiteral("again"));
        f.click("cmdScoreOk");
        QCOMPARE(clipboard->text(), QStringLiteral("again"));
        f.click("cmdScore"); // rewriting the text empties it too
        QVERIFY(clipboard->text().isEmpty());
    }
};

TEST_CLASS(TestPlays, Widgets)
#include "tst_plays.moc"
