#include "support/mainwindowfixture.h"
#include "support/urlcatcher.h"
#include "windows/frmabout.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {
const QString Home = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST);
const QString Help = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/numensight-help.html");
const QString Download = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html");
const QString Donate = QStringLiteral("http://" NUMENSIGHT_HELP_HOST "/donate.html");
const QString CoBrand = QStringLiteral("http://" NUMENSIGHT_HELP_HOST "/co-brand.html");
const QString FullBrand = QStringLiteral("http://" NUMENSIGHT_HELP_HOST "/fully-branded.html");

const std::pair<QString, QColor> Correct{
    u"Your Chosen Number is Correct! Now take a deep breath, relax your mind and aim to predict the right answer again."_s,
    QColor(0, 128, 0)};
const std::pair<QString, QColor> Wrong{
    u"Incorrect: Don't lose hope! Relax, take a deep breath, keep a calm mind and guess again."_s, QColor(128, 0, 0)};
const QString OnlyNumbers = u"Please Enter Only Numbers"_s;
const QString NoTest = u"Please Select a test type to play"_s;
const QString Finished = u"You have Finished All Your Attempts\r\nPlease Reset It"_s;

// A click where the player would click: on the window, so that whatever lies
// in front at that spot receives it.
void clickOn(QWidget *window, const char *name)
{
    const QWidget *target = control(window, name);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, target->rect().center()));
    QCoreApplication::processEvents();
}

// What assistive technology sees of a control, and its press.
QAccessibleInterface *accessible(QObject *control)
{
    QAccessibleInterface *found = QAccessible::queryAccessibleInterface(control);
    if (!found)
        qFatal("no accessible interface for %s", qPrintable(control->objectName()));
    return found;
}
void pressAccessibly(QObject *control)
{
    accessible(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The panel in front, Play's caption and the File entries shown.
QString state(MainWindowFixture &f)
{
    QStringList file;
    for (const QAction *entry : f.get<QMenu>("mnuFile")->actions())
        if (entry->isVisible())
            file << entry->text();
    return f.inFront({"fraMain", "fraNumberTest", "fraPickRightNumber"}) + u", "_s
        + f.get<QPushButton>("cmdNext")->text() + u", "_s + file.join(u'|');
}

// The entries of a menu as the player sees them, "-" for a separator.
QStringList entries(const QList<QAction *> &actions, bool hiddenToo = false)
{
    QStringList shown;
    for (const QAction *action : actions)
        if (hiddenToo || action->isVisible())
            shown << (action->isSeparator() ? u"-"_s : action->text());
    return shown;
}

// The wait notice, the hidden verdict and the count as a play stands.
QString playStage(MainWindowFixture &f)
{
    const bool notice = f.get("picMessage")->isVisible()
        && f.inFront({"picMessage", "fraMain", "fraNumberTest", "fraPickRightNumber"}) == u"picMessage"_s;
    return u"%1, \"%2\", %3"_s.arg(notice ? u"notice"_s : u"no notice"_s, f.get<QLabel>("lblResult")->text())
        .arg(f.book.AttemptCount(NumberTest));
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { hideSizeHintWarnings(); }

    // Load asks the reminder, chooses nothing and shows the start panel with
    // the score card's button in front; a choice renames Play and File's
    // first entry and moves no panel.
    void loadShowsTheStartPanelAndChoosingRenamesPlay()
    {
        MainWindowFixture f;
        QCOMPARE(f.hooks.reminders, 1);
        QVERIFY(!f.get<QRadioButton>("optOption_0")->isChecked() && !f.get<QRadioButton>("optOption_1")->isChecked());
        QCOMPARE(state(f), u"fraMain, &Play, Paly|E&xit"_s);
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScoreClick"_s);
        QCOMPARE(f.get<QTextEdit>("txtTotalScore")->toPlainText(), QString());
        f.click("optOption_1");
        QCOMPARE(state(f), u"fraMain, Pick The &Right Number, Pick The &Right Number|E&xit"_s);
        f.click("optOption_0");
        QCOMPARE(state(f), u"fraMain, &Number Test, &Number Test|E&xit"_s);
        f.click("cmdScore");
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScore"_s);
        QCOMPARE(f.get<QTextEdit>("txtTotalScore")->toPlainText(),
                 u"Number Test :-  0 Correct Out Of 0 Attempts\n\nPick The Right Number :-  0 Correct Out Of 0 Attempts"_s);
    }

    // Play needs a chosen test. Back, and File, Back, clear the Number
    // Test's fields; Back from Pick The Right Number keeps its run; Play and
    // Back take turns in the menu; Play closes the score text; nothing here
    // counts.
    void playAndBackMoveBetweenThePanels()
    {
        MainWindowFixture f;
        f.book.RecordVerdict(NumberTest, true);
        f.book.RecordVerdict(PickTheRightNumber, false);
        f.click("cmdNext");
        f.get<QAction>("mnuPlay")->trigger();
        QCOMPARE(f.modals.texts, QStringList(2, NoTest));
        QCOMPARE(f.modals.icons, QList<QMessageBox::Icon>(2, QMessageBox::Critical));
        QCOMPARE(f.modals.titles[0], u"Numensight"_s);
        QCOMPARE(state(f), u"fraMain, &Play, Paly|E&xit"_s);
        for (const char *back : {"cmdBack", "mnuBack"}) {
            f.click("cmdScore");
            f.enter(0, {u"1"_s, u"5"_s, u"3"_s});
            QCOMPARE(state(f), u"fraNumberTest, &Number Test, &Back|E&xit"_s);
            back[0] == 'c' ? f.click(back) : f.get<QAction>(back)->trigger();
            QCOMPARE(state(f), u"fraMain, &Number Test, &Number Test|E&xit"_s);
            QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScoreClick"_s);
            QCOMPARE(f.text("txtRangeStart") + f.text("txtRangeEnd") + f.text("txtChuosenNumber"), QString());
        }
        f.click("optOption_1");
        f.get<QAction>("mnuPlay")->trigger();
        QCOMPARE(state(f), u"fraPickRightNumber, Pick The &Right Number, &Back|E&xit"_s);
        auto *budget = f.get<QLineEdit>("txtNumberOfAttemp");
        budget->setText(u"4"_s);
        for (bool played : {false, true}) {
            if (played)
                f.click("lblFiveNumbers_0");
            played ? f.get<QAction>("mnuBack")->trigger() : f.click("cmdBackPick");
            QCOMPARE(state(f), u"fraMain, Pick The &Right Number, Pick The &Right Number|E&xit"_s);
            f.click("cmdNext");
            QCOMPARE(budget->text(), u"4"_s);
            QCOMPARE(budget->isEnabled(), !played);
        }
        QCOMPARE(f.book.CorrectCount(NumberTest), 1);
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 2);
        QCOMPARE(f.modals.texts.size(), 2);
        f.get<QAction>("mnuExit")->trigger();
        QCOMPARE(f.hooks.exitWindows, 1);
    }

    // Play's access key is the one its caption shows, also while a test
    // panel covers it; Enter presses the focused button.
    void keysPressTheButtonsTheirCaptionsName()
    {
        MainWindowFixture f;
        QSignalSpy played(f.get<QPushButton>("cmdNext"), &QPushButton::clicked);
        QTest::keyClick(&f.window, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(f.modals.texts, QStringList{NoTest});
        activate(&f.window);
        f.click("optOption_0");
        QTest::keyClick(&f.window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(state(f), u"fraNumberTest, &Number Test, &Back|E&xit"_s);
        f.get("txtRangeStart")->setFocus();
        QTest::keyClick(&f.window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(played.size(), 3);
        QCOMPARE(state(f), u"fraNumberTest, &Number Test, &Back|E&xit"_s);
        QCOMPARE(f.modals.texts.size(), 1);

        f.click("cmdBack");
        auto *score = f.get<QPushButton>("cmdScore");
        score->setFocus();
        QTest::keyClick(score, Qt::Key_Return);
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScore"_s);
        auto *ok = f.get<QPushButton>("cmdScoreOk");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScoreClick"_s);
    }

    // File and Help hold their entries in order; Donate is a command on the
    // bar; the hidden entry takes no place there and its access key reaches
    // nothing.
    void menusHoldTheirEntries()
    {
        MainWindowFixture f;
        UrlCatcher pages;
        QCOMPARE(entries(f.get<QMenuBar>("menubar")->actions()), (QStringList{u"&File"_s, u"&Help"_s, u"&Donate"_s}));
        QCOMPARE(entries(f.get<QMenu>("mnuFile")->actions(), true), (QStringList{u"Paly"_s, u"&Back"_s, u"E&xit"_s}));
        QCOMPARE(entries(f.get<QMenu>("mnuHelp")->actions()),
                 (QStringList{u"&Online Help"_s, u"&Visit Us Online"_s, u"-"_s, u"Check for Software &Update"_s, u"-"_s,
                              u"&About Software"_s}));
        QVERIFY(!f.get<QAction>("mnuDonate")->menu());
        QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(&f.window, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(pages.addresses, QStringList{Donate});
    }

    // From "12" with the caret after the 1, in each of the four fields: a
    // key the filter refuses says so once and changes nothing; digits,
    // editing keys and a paste pass silently; Alt with a key types nothing;
    // input-method text is judged one character at a time.
    void entryFieldsTakeOnlyDigits_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("messages");
        const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier;
        QTest::newRow("digit") << int(Qt::Key_7) << none << "" << "172" << 2 << 0;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "" << "2" << 0 << 0;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "" << "1" << 1 << 0;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << "12" << 0 << 0;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << "" << "12" << 2 << 0;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << "12" << 0 << 0;
        QTest::newRow("End") << int(Qt::Key_End) << none << "" << "12" << 2 << 0;
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << "" << "12" << 1 << 0;
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "" << "1a2" << 2 << 0;
        QTest::newRow("Alt+Z") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::AltModifier) << "" << "12" << 1 << 0;
        for (const auto &[name, key, modifiers] :
             {std::tuple{"colon", Qt::Key_Colon, none}, {"slash", Qt::Key_Slash, none}, {"semicolon", Qt::Key_Semicolon, none},
              {"minus", Qt::Key_Minus, none}, {"point", Qt::Key_Period, none}, {"space", Qt::Key_Space, none},
              {"letter", Qt::Key_A, none}, {"Enter", Qt::Key_Return, none}, {"Escape", Qt::Key_Escape, none},
              {"Ctrl+A", Qt::Key_A, ctrl}, {"Ctrl+C", Qt::Key_C, ctrl}, {"Ctrl+V", Qt::Key_V, ctrl},
              {"Ctrl+X", Qt::Key_X, ctrl}, {"Ctrl+Z", Qt::Key_Z, ctrl}})
            QTest::newRow(name) << int(key) << modifiers << "" << "12" << 1 << 1;
        QTest::newRow("input method") << 0 << none << "a3b" << "132" << 2 << 2;
    }
    void entryFieldsTakeOnlyDigits()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, committed);
        QFETCH(int, messages);
        MainWindowFixture f;
        QGuiApplication::clipboard()->setText(u"a"_s);
        for (const char *name : {"txtRangeStart", "txtRangeEnd", "txtChuosenNumber", "txtNumberOfAttemp"}) {
            auto *field = f.get<QLineEdit>(name);
            field->setText(u"12"_s);
            field->setFocus();
            field->setCursorPosition(1);
            if (key) {
                QTest::keyClick(field, Qt::Key(key), modifiers);
            } else {
                QInputMethodEvent typed;
                typed.setCommitString(committed);
                QApplication::sendEvent(field, &typed);
            }
            QTEST(field->text(), "after");
            QTEST(field->cursorPosition(), "caret");
        }
        QCOMPARE(f.modals.texts, QStringList(4 * messages, OnlyNumbers));
        QCOMPARE(f.modals.icons, QList<QMessageBox::Icon>(4 * messages, QMessageBox::NoIcon));
    }

    // The range fields drop a fourth character, typed or pasted, without a
    // message; the other two take any length.
    void rangeFieldsStopAtThreeCharacters()
    {
        MainWindowFixture f;
        QGuiApplication::clipboard()->setText(u"98765"_s);
        for (const char *name : {"txtRangeStart", "txtRangeEnd", "txtChuosenNumber", "txtNumberOfAttemp"}) {
            auto *field = f.get<QLineEdit>(name);
            const bool range = name[3] == 'R';
            QTest::keyClicks(field, u"1234"_s);
            QCOMPARE(field->text(), range ? u"123"_s : u"1234"_s);
            field->clear();
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
            QCOMPARE(field->text(), range ? u"987"_s : u"98765"_s);
        }
        QCOMPARE(f.modals.texts, QStringList());
    }

    // Each of the eight checks in its order: its message with the
    // information icon, the focus where the player must mend the entry
    // (moved from elsewhere), check 6 emptying the start; no pause, no draw,
    // nothing counted.
    void refusedEntriesShowTheirMessageAndMoveTheFocus_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("all empty") << QStringList{"", "", ""} << "Please Enter Starting Number" << "txtRangeStart"
                                   << QStringList{"", "", ""};
        QTest::newRow("no end") << QStringList{"1", "", ""} << "Please Enter Ending Number" << "txtRangeEnd"
                                << QStringList{"1", "", ""};
        QTest::newRow("no chosen") << QStringList{"1", "5", ""} << "Please Enter Your Chosen Number"
                                   << "txtChuosenNumber" << QStringList{"1", "5", ""};
        QTest::newRow("same") << QStringList{"5", "5", "5"} << "Starting and Ending Number Can't be Same"
                              << "txtRangeEnd" << QStringList{"5", "5", "5"};
        QTest::newRow("reversed") << QStringList{"9", "5", "6"} << "Starting Range Can't be Bigger Than Ending Range"
                                  << "txtRangeEnd" << QStringList{"9", "5", "6"};
        QTest::newRow("zero start") << QStringList{"0", "10", "5"} << "Please Enter Correct Starting Number"
                                    << "txtRangeStart" << QStringList{"", "10", "5"};
        QTest::newRow("below start") << QStringList{"5", "10", "3"}
                                     << "Your Chosen Number Can't be Less Than Starting Number" << "txtRangeStart"
                                     << QStringList{"5", "10", "3"};
        QTest::newRow("above end") << QStringList{"5", "10", "11"}
                                   << "Your Chosen Number Can't be Bigger Than Ending Number" << "txtChuosenNumber"
                                   << QStringList{"5", "10", "11"};
    }
    void refusedEntriesShowTheirMessageAndMoveTheFocus()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        MainWindowFixture f;
        f.enter(0, fields);
        f.get("cmdBack")->setFocus();
        f.click("CmdOK");
        QCOMPARE(f.modals.texts, QStringList{message});
        QCOMPARE(f.modals.icons, QList<QMessageBox::Icon>{QMessageBox::Information});
        QCOMPARE(f.modals.titles, QStringList{u"Numensight"_s});
        QTEST(f.window.focusWidget() ? f.window.focusWidget()->objectName() : QString(), "focus");
        QTEST((QStringList{f.text("txtRangeStart"), f.text("txtRangeEnd"), f.text("txtChuosenNumber")}), "after");
        QCOMPARE(f.pause.asked, QList<int>());
        QCOMPARE(f.random.taken(), 0);
        QCOMPARE(f.book.AttemptCount(NumberTest), 0);
        QCOMPARE(f.get<QLabel>("lblResult")->text(), u"Your Result"_s);
        QCOMPARE(state(f), u"fraNumberTest, &Number Test, &Back|E&xit"_s);
    }

    // Each play: the notice in front through a pause of 1500 ms, the draw,
    // the count, the notice gone, then the result window with the verdict's
    // own sentence and colour. A pasted number followed by other text reads
    // as the number. The entries stay for the next play; Total Score shows
    // the counts as they stand at each click.
    void numberTestPlaysCountAndAnnounce()
    {
        MainWindowFixture f;
        f.enter(0, {u"1"_s, u"20"_s});
        QGuiApplication::clipboard()->setText(u"12abc"_s);
        auto *chosen = f.get<QLineEdit>("txtChuosenNumber");
        chosen->setFocus();
        QTest::keyClick(chosen, Qt::Key_Insert, Qt::ShiftModifier);
        QStringList stages;
        f.pause.during = [&] { stages << playStage(f); };
        f.atVerdict = [&] { stages << playStage(f); };
        f.random.queue({0.55f, 0.0f, 0.55f}); // draws 12, 1, 12
        for (int play = 0; play < 3; ++play)
            f.click("CmdOK");
        QCOMPARE(stages, (QStringList{u"notice, \"\", 0"_s, u"no notice, \"Correct\", 1"_s, u"notice, \"\", 1"_s,
                                      u"no notice, \"InCorrect\", 2"_s, u"notice, \"\", 2"_s,
                                      u"no notice, \"Correct\", 3"_s}));
        QCOMPARE(f.pause.asked, QList<int>(3, 1500));
        QCOMPARE(f.verdicts, (std::vector{Correct, Wrong, Correct}));
        QCOMPARE(f.random.taken(), 3);
        QCOMPARE(f.text("txtRangeStart") + u' ' + f.text("txtRangeEnd") + u' ' + chosen->text(), u"1 20 12abc"_s);
        QCOMPARE(f.modals.texts, QStringList());

        f.click("cmdBack");
        f.click("cmdScore");
        auto *score = f.get<QTextEdit>("txtTotalScore");
        const QString twoOfThree = u"Number Test :-  2 Correct Out Of 3 Attempts\n\nPick The Right Number :-  0 Correct Out Of 0 Attempts"_s;
        QCOMPARE(score->toPlainText(), twoOfThree);
        f.book.RecordVerdict(NumberTest, false);
        f.click("cmdScoreOk");
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), u"fraScoreClick"_s);
        QCOMPARE(score->toPlainText(), twoOfThree);
        f.click("cmdScore");
        QVERIFY(score->toPlainText().startsWith(u"Number Test :-  2 Correct Out Of 4 Attempts\n"_s));
    }

    // Something other than the player's input presses OK or a tile while
    // the pause runs: the play under way ends in its one verdict first.
    void aPressDuringThePauseStartsNoSecondPlay_data()
    {
        QTest::addColumn<int>("test");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("OK") << int(NumberTest) << "CmdOK" << QStringList{"1", "5", "3"};
        QTest::newRow("tile") << int(PickTheRightNumber) << "lblFiveNumbers_2" << QStringList{"5"};
    }
    void aPressDuringThePauseStartsNoSecondPlay()
    {
        QFETCH(int, test);
        QFETCH(QString, control);
        QFETCH(QStringList, fields);
        MainWindowFixture f;
        f.enter(test, fields);
        QObject *target = f.get(qPrintable(control));
        bool pressed = false;
        f.pause.during = [&] {
            if (std::exchange(pressed, true))
                return;
            // A button's accessible press clicks only after the pause.
            if (auto *button = qobject_cast<QPushButton *>(target))
                button->click();
            else
                pressAccessibly(target);
        };
        f.click(qPrintable(control));
        QCOMPARE(f.verdicts.size(), size_t(1));
        QCOMPARE(f.pause.asked, QList<int>{1500});
        QCOMPARE(f.book.AttemptCount(TestKind(test)), 1);
        QCOMPARE(f.random.taken(), 1);
    }

    // The result window is modal, keeps open on Escape, closes on Enter on
    // TRY AGAIN, and returns the player to the panel as the play left it.
    void resultWindowIgnoresEscapeAndTakesEnter()
    {
        MainWindowFixture f;
        f.enter(0, {u"1"_s, u"5"_s, u"3"_s});
        QStringList seen;
        f.modals.onOtherModal = [&](QWidget *result) {
            QCoreApplication::processEvents();
            seen << (QApplication::activeModalWidget() == result ? u"modal"_s : u"not modal"_s);
            clickOn(&f.window, "cmdBack");
            seen << state(f);
            QTest::keyClick(result->windowHandle(), Qt::Key_Escape);
            seen << (result->isVisible() ? u"open after Escape"_s : u"closed by Escape"_s);
            QTest::keyClick(result->windowHandle(), Qt::Key_Return);
            seen << (result->isVisible() ? u"open after Enter"_s : u"closed by Enter"_s);
            if (result->isVisible())
                QTest::mouseClick(control(result, "cmdTry"), Qt::LeftButton);
        };
        f.click("CmdOK");
        QCOMPARE(seen, (QStringList{u"modal"_s, u"fraNumberTest, &Number Test, &Back|E&xit"_s, u"open after Escape"_s,
                                    u"closed by Enter"_s}));
        QCOMPARE(state(f), u"fraNumberTest, &Number Test, &Back|E&xit"_s);
        QCOMPARE(f.text("txtRangeStart") + f.text("txtRangeEnd") + f.text("txtChuosenNumber"), u"153"_s);
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
    }

    // Without a budget a tile asks for one, with no icon, and leaves the
    // field open with the focus; the clicked tile's caption decides; the run
    // goes on across Back; once it is spent, Reset clears Pick The Right
    // Number's counts and no others.
    void pickPlaysUntilTheBudgetIsSpentThenReset()
    {
        MainWindowFixture f;
        f.book.RecordVerdict(NumberTest, true);
        f.enter(1);
        f.get("cmdReset")->setFocus();
        f.click("lblFiveNumbers_2");
        QCOMPARE(f.window.focusWidget(), f.get("txtNumberOfAttemp"));
        QVERIFY(f.get("txtNumberOfAttemp")->isEnabled());
        QCOMPARE(f.pause.asked, QList<int>());
        f.get<QLineEdit>("txtNumberOfAttemp")->setText(u"2"_s);
        f.random.queue({0.5f, 0.5f}); // draws 3, 3
        f.click("lblFiveNumbers_2");
        QCOMPARE(f.get<QLabel>("lblResultPicKNumber")->text(), u"Correct"_s);
        f.click("cmdBackPick");
        f.click("cmdNext");
        f.click("lblFiveNumbers_0");
        f.click("lblFiveNumbers_4");
        QCOMPARE(f.modals.texts, (QStringList{u"Enter The Number Of Attempts You Want To Make"_s, Finished}));
        QCOMPARE(f.modals.icons, (QList<QMessageBox::Icon>{QMessageBox::NoIcon, QMessageBox::Information}));
        QCOMPARE(f.verdicts, (std::vector{Correct, Wrong}));
        QCOMPARE(f.pause.asked, QList<int>(2, 1500));
        QCOMPARE(f.book.CorrectCount(PickTheRightNumber), 1);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 2);
        QVERIFY(!f.get("txtNumberOfAttemp")->isEnabled());
        f.click("cmdReset");
        QCOMPARE(f.text("txtNumberOfAttemp"), QString());
        QVERIFY(f.get("txtNumberOfAttemp")->isEnabled());
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber) + f.book.CorrectCount(PickTheRightNumber), 0);
        QCOMPARE(f.book.CorrectCount(NumberTest), 1);
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QCOMPARE(f.get<QLabel>("lblResultPicKNumber")->text(), u"InCorrect"_s);
    }

    // The budget is read as a real number with the blanks around it
    // dropped; the first click closes the field, and a spent budget (0 at
    // once) refuses with the finished message until Reset.
    void budgetIsReadAsARealNumber_data()
    {
        QTest::addColumn<QString>("budget");
        QTest::addColumn<int>("plays");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("2.5") << "2.5" << 3;
        QTest::newRow("2 between blanks") << " 2 " << 2;
    }
    void budgetIsReadAsARealNumber()
    {
        QFETCH(QString, budget);
        QFETCH(int, plays);
        MainWindowFixture f;
        f.enter(1, {budget});
        auto *field = f.get("txtNumberOfAttemp");
        for (int click = 0; click <= plays; ++click) {
            f.click("lblFiveNumbers_1");
            QVERIFY(!field->isEnabled());
        }
        QCOMPARE(f.modals.texts, QStringList{Finished});
        QCOMPARE(f.modals.icons, QList<QMessageBox::Icon>{QMessageBox::Information});
        QCOMPARE(int(f.verdicts.size()), plays);
        QCOMPARE(f.pause.asked.size(), plays);
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), plays);
        f.click("cmdBackPick");
        f.click("cmdNext");
        QVERIFY(!field->isEnabled());
        f.click("cmdReset");
        QVERIFY(field->isEnabled());
    }

    // The score box empties the clipboard when its text changes and when
    // the mouse moves, presses or lets go over it; a key that changes
    // nothing leaves it.
    void scoreBoxEmptiesTheClipboard_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("empties");
        for (const char *action : {"move", "press", "release", "typing", "Total Score"})
            QTest::newRow(action) << action << true;
        QTest::newRow("Ctrl+C") << "Ctrl+C" << false;
        QTest::newRow("Left") << "Left" << false;
    }
    void scoreBoxEmptiesTheClipboard()
    {
        QFETCH(QString, action);
        MainWindowFixture f;
        f.click("cmdScore");
        auto *box = f.get<QTextEdit>("txtTotalScore");
        box->setFocus();
        QWindow *window = f.window.windowHandle();
        const QPoint over = box->mapTo(&f.window, box->rect().center());
        // A press or release elsewhere would come with a move.
        QTest::mouseMove(window, over);
        if (action == u"release")
            QTest::mousePress(window, Qt::LeftButton, {}, over);
        QGuiApplication::clipboard()->setText(u"from another program"_s);
        if (action == u"move")
            QTest::mouseMove(window, over + QPoint(3, 0));
        else if (action == u"press")
            QTest::mousePress(window, Qt::LeftButton, {}, over);
        else if (action == u"release")
            QTest::mouseRelease(window, Qt::LeftButton, {}, over);
        else if (action == u"typing")
            QTest::keyClick(box, Qt::Key_X);
        else if (action == u"Total Score")
            f.click("cmdScore");
        else if (action == u"Ctrl+C")
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        else
            QTest::keyClick(box, Qt::Key_Left);
        QTEST(QGuiApplication::clipboard()->text().isEmpty(), "empties");
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
        QStringList expected;
        for (const auto &[menu, page] : {std::pair{"mnuOnline", Help}, {"mnuVisit", Home}, {"mnuUpdate", Download},
                                         {"mnuDonate", Donate}, {"mkmoney", FullBrand}}) {
            f.get<QAction>(menu)->trigger();
            f.get<QAction>(menu)->trigger();
            expected << page << page;
        }
        clickOn(&f.window, "Label61");
        clickOn(&f.window, "Label61");
        expected << Home << Home;
        // n: 1, 7, 2 (of 2.5), 7, 3, 4, 5, 6 (of 5.5)
        for (const auto &[draw, page] : {std::pair{0.0f, CoBrand}, {0.99999994f, CoBrand}, {0.25f, FullBrand},
                                         {0.99999994f, FullBrand}, {0.4f, CoBrand}, {0.5f, FullBrand},
                                         {0.6f, CoBrand}, {0.75f, FullBrand}}) {
            f.random.queue({draw});
            f.window.CoBrand_Randomize();
            clickOn(&f.window, "lblCobrand");
            expected << page;
        }
        QCOMPARE(pages.addresses, expected);
        QCOMPARE(f.random.taken(), 8);
        QCOMPARE(f.modals.texts, QStringList());
    }

    // Assistive technology finds each tile as a button named by its number
    // that plays it when pressed, each link as a link named by its caption
    // as shown that opens its page, and each number field by what it is for.
    // Captions that name the main site show its host.
    void tilesLinksAndFieldsAnswerAssistiveTechnology()
    {
        MainWindowFixture f;
        UrlCatcher pages;
        frmAbout about;
        f.enter(1, {u"5"_s});
        f.random.queue({0.0f, 0.25f, 0.5f, 0.75f, 0.99999994f}); // draws 1 to 5
        for (const char *tile : {"lblFiveNumbers_0", "lblFiveNumbers_1", "lblFiveNumbers_2", "lblFiveNumbers_3", "lblFiveNumbers_4"}) {
            QCOMPARE(accessible(f.get(tile))->role(), QAccessible::Button);
            QCOMPARE(accessible(f.get(tile))->text(QAccessible::Name), QString(QChar(tile[15] + 1)));
            pressAccessibly(f.get(tile));
        }
        QCOMPARE(f.verdicts, std::vector(5, Correct));

        const QString host = QStringLiteral(NUMENSIGHT_MAIN_HOST);
        int opened = 0;
        for (const auto &[link, name, page] : {
                 std::tuple<QWidget *, QString, QString>{f.get("Label61"), host, Home},
                 {f.get("lblFullBrand"),
                  u"Home Business Opportunity. Start your own Internet business and make money online. Get this software "
                  "fully branded for your website. Click here for more details."_s,
                  FullBrand},
                 {f.get("lblCobrand"),
                  u"Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name "
                  "&  link here. See \"Help\" for details.Click Here for more info on co-branding."_s,
                  CoBrand},
                 {control(&about, "lblHomePage"), host, Home},
                 {control(&about, "lblCoBrand"), u" Click here for more details."_s, FullBrand}}) {
            const QString shown = accessible(link)->text(QAccessible::Name);
            QVERIFY2(name == host ? shown.contains(host) : shown == name, qPrintable(shown));
            QCOMPARE(accessible(link)->role(), QAccessible::Link);
            pressAccessibly(link);
            QCOMPARE(pages.addresses.value(opened++), page);
        }
        QCOMPARE(pages.addresses.size(), 5);
        QVERIFY(control<QLabel>(&about, "Label1")->text().endsWith(host + u'.'));
        for (const QWidget *window : {static_cast<QWidget *>(&f.window), static_cast<QWidget *>(&about)})
            for (const QLabel *label : window->findChildren<QLabel *>())
                QVERIFY2(!label->text().contains(u"{main-host}"_s), qPrintable(label->objectName()));

        for (const auto &[field, name] : {std::pair{"txtRangeStart", "Start of the range"}, {"txtRangeEnd", "End of the range"},
                                          {"txtChuosenNumber", "Your chosen number"},
                                          {"txtNumberOfAttemp", "Number of attempts"}})
            QCOMPARE(accessible(f.get(field))->text(QAccessible::Name), QString::fromLatin1(name));
    }

    // While the About window is open the main window takes no click and no
    // key; its links open their pages and leave it open; OK, Enter or
    // Escape close it. Each showing is a window of its own, gone once closed.
    void aboutWindowIsModalAndItsLinksOpenTheirPages_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void aboutWindowIsModalAndItsLinksOpenTheirPages()
    {
        QFETCH(int, key);
        MainWindowFixture f;
        UrlCatcher pages;
        QPointer<QWidget> shown;
        QStringList seen;
        f.modals.onOtherModal = [&](QWidget *about) {
            shown = about;
            QCoreApplication::processEvents();
            seen << (QApplication::activeModalWidget() == about ? u"modal"_s : u"not modal"_s);
            clickOn(&f.window, "Label61");
            QTest::keyClick(f.window.windowHandle(), Qt::Key_D, Qt::AltModifier);
            for (const char *name : {"lblHomePage", "lblCoBrand"})
                clickOn(about, name);
            seen << (about->isVisible() ? u"open"_s : u"closed"_s);
            if (key)
                QTest::keyClick(about->windowHandle(), Qt::Key(key));
            else
                clickOn(about, "cmdOK");
            seen << (about->isVisible() ? u"open"_s : u"closed"_s);
            if (about->isVisible())
                static_cast<QDialog *>(about)->reject();
        };
        f.get<QAction>("mnuAbout")->trigger();
        QCOMPARE(seen, (QStringList{u"modal"_s, u"open"_s, u"closed"_s}));
        QVERIFY(shown.isNull());
        QCOMPARE(pages.addresses, (QStringList{Home, FullBrand}));
        QCOMPARE(f.modals.texts, QStringList());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
