#include "support/mainwindowfixture.h"
#include "support/testmain.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextEdit>

namespace {
const QString kOnlyNumbers = QStringLiteral("Please Enter Only Numbers");
}

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    void loadShowsTheStartPanelAndChoosingRenamesPlay()
    {
        MainWindowFixture f;
        QCOMPARE(f.hooks.reminders, 1);
        QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
        QVERIFY(f.inFront("fraScoreClick", {"fraScore"}));
        QVERIFY(!f.get<QRadioButton>("optOption_0")->isChecked() && !f.get<QRadioButton>("optOption_1")->isChecked());
        QCOMPARE(f.get<QPushButton>("cmdNext")->text(), QStringLiteral("&Play"));
        QCOMPARE(f.get<QAction>("mnuPlay")->text(), QStringLiteral("Paly"));
        QVERIFY(f.get<QAction>("mnuPlay")->isVisible() && !f.get<QAction>("mnuBack")->isVisible());

        f.click("optOption_1");
        QCOMPARE(f.get<QPushButton>("cmdNext")->text(), QStringLiteral("Pick The &Right Number"));
        QCOMPARE(f.get<QAction>("mnuPlay")->text(), QStringLiteral("Pick The &Right Number"));
        f.click("optOption_0");
        QCOMPARE(f.get<QPushButton>("cmdNext")->text(), QStringLiteral("&Number Test"));
        QCOMPARE(f.get<QAction>("mnuPlay")->text(), QStringLiteral("&Number Test"));
        QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
    }

    void playWithoutAChoiceRefusesAndChangesNothing()
    {
        MainWindowFixture f;
        f.click("cmdNext");
        f.get<QAction>("mnuPlay")->trigger();
        QCOMPARE(f.modals.texts(), QStringList(2, QStringLiteral("Please Select a test type to play")));
        QCOMPARE(f.modals.seen()[0].icon, QMessageBox::Critical);
        QCOMPARE(f.modals.seen()[0].title, QStringLiteral("Numensight"));
        QCOMPARE(f.modals.seen()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
    }

    void playEntersTheChosenPanelAndBackClearsTheNumberTest()
    {
        MainWindowFixture f;
        f.click("cmdScore");
        f.click("optOption_0");
        f.click("cmdNext");
        QCOMPARE(f.panelInFront(), QStringLiteral("fraNumberTest"));
        QVERIFY(f.inFront("fraScoreClick", {"fraScore"}));
        QVERIFY(!f.get<QAction>("mnuPlay")->isVisible() && f.get<QAction>("mnuBack")->isVisible());

        // Back, then File, Back: both clear the three fields.
        for (int round = 0; round < 2; ++round) {
            for (const char *field : {"txtRangeStart", "txtRangeEnd", "txtChuosenNumber"})
                f.type(field, "5");
            round == 0 ? f.click("cmdBack") : f.get<QAction>("mnuBack")->trigger();
            QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
            for (const char *field : {"txtRangeStart", "txtRangeEnd", "txtChuosenNumber"})
                QVERIFY(f.get<QLineEdit>(field)->text().isEmpty());
            QVERIFY(f.get<QAction>("mnuPlay")->isVisible() && !f.get<QAction>("mnuBack")->isVisible());
            f.click("cmdNext");
        }
        QVERIFY(f.get<QRadioButton>("optOption_0")->isChecked());
        QVERIFY(f.modals.seen().empty());
    }

    // Back keeps the run; File, Back from this panel is the Number Test's Back.
    void pickPanelKeepsItsRunAcrossBack()
    {
        MainWindowFixture f;
        f.book.RecordVerdict(NumberTest, true);
        f.click("optOption_1");
        f.get<QAction>("mnuPlay")->trigger();
        QCOMPARE(f.panelInFront(), QStringLiteral("fraPickRightNumber"));
        f.type("txtNumberOfAttemp", "4");
        f.random.queue({0.0f});
        f.click("lblFiveNumbers_0");
        f.click("cmdBackPick");
        QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
        QVERIFY(!f.get<QAction>("mnuBack")->isVisible());
        f.click("cmdNext");
        QCOMPARE(f.get<QLineEdit>("txtNumberOfAttemp")->text(), QStringLiteral("4"));
        QVERIFY(!f.get<QLineEdit>("txtNumberOfAttemp")->isEnabled());
        f.get<QAction>("mnuBack")->trigger();
        QCOMPARE(f.panelInFront(), QStringLiteral("fraMain"));
        QCOMPARE(f.get<QLineEdit>("txtNumberOfAttemp")->text(), QStringLiteral("4"));
        QCOMPARE(f.book.AttemptCount(PickTheRightNumber), 1);
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QCOMPARE(f.book.CorrectCount(NumberTest), 1);
    }

    void accessKeysFollowThePlayCaption()
    {
        MainWindowFixture f;
        // An access key presses its button after a short visible delay.
        QTest::keyClick(&f.window, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(f.modals.texts(), QStringList{QStringLiteral("Please Select a test type to play")});
        f.activate();
        f.click("optOption_0");
        QTest::keyClick(&f.window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(f.panelInFront(), QStringLiteral("fraNumberTest"));
        // Pressed again from the covered start panel, Play changes nothing visible.
        f.get("txtRangeStart")->setFocus();
        QSignalSpy played(f.get<QPushButton>("cmdNext"), &QPushButton::clicked);
        QTest::keyClick(&f.window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(played.size(), 1);
        QCOMPARE(f.panelInFront(), QStringLiteral("fraNumberTest"));
        QCOMPARE(f.modals.seen().size(), size_t(1));
    }

    void entryFieldsRefuseAnythingButDigits_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("letter") << int(Qt::Key_A) << "a" << none;
        QTest::newRow("slash, before 0") << int(Qt::Key_Slash) << "/" << none;
        QTest::newRow("colon, after 9") << int(Qt::Key_Colon) << ":" << none;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << none;
        QTest::newRow("ctrl+v") << int(Qt::Key_V) << "\x16" << ctrl;
        // AltGr comes as Ctrl+Alt on some keyboards, and types.
        QTest::newRow("altgr @") << int(Qt::Key_At) << "@" << int(Qt::ControlModifier | Qt::AltModifier);
    }

    void entryFieldsRefuseAnythingButDigits()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        MainWindowFixture f;
        QGuiApplication::clipboard()->setText(QStringLiteral("55"));
        for (const char *name : {"txtRangeStart", "txtRangeEnd", "txtChuosenNumber", "txtNumberOfAttemp"}) {
            auto *field = f.get<QLineEdit>(name);
            field->setText(QStringLiteral("12"));
            field->setFocus();
            field->setCursorPosition(1);
            f.modals.clear();
            QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
            QApplication::sendEvent(field, &press);
            QCOMPARE(field->text(), QStringLiteral("12"));
            QCOMPARE(f.modals.texts(), QStringList{kOnlyNumbers});
            QCOMPARE(f.modals.seen()[0].icon, QMessageBox::NoIcon);
        }
    }

    void digitsAndEditingKeysWork()
    {
        MainWindowFixture f;
        auto *chosen = f.get<QLineEdit>("txtChuosenNumber");
        f.type("txtChuosenNumber", "1x2y3");
        QCOMPARE(chosen->text(), QStringLiteral("123"));
        QCOMPARE(f.modals.seen().size(), size_t(2)); // one message per refused character
        QTest::keyClick(chosen, Qt::Key_Backspace);
        f.type("txtChuosenNumber", "0456789");
        QCOMPARE(chosen->text(), QStringLiteral("120456789"));
        QCOMPARE(f.modals.seen().size(), size_t(2));
    }

    // Alt with a key types nothing and says nothing; input-method text is
    // typed text; dropped text is pasted text.
    void onlyTypedCharactersMeetTheFilter()
    {
        MainWindowFixture f;
        auto *start = f.get<QLineEdit>("txtRangeStart");
        start->setFocus();
        for (Qt::Key key : {Qt::Key_Z, Qt::Key_Minus, Qt::Key_Period})
            QTest::keyClick(start, key, Qt::AltModifier);
        QCOMPARE(start->text(), QString());
        QVERIFY(f.modals.seen().empty());

        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("4a2"));
        QApplication::sendEvent(start, &composed);
        QCOMPARE(start->text(), QStringLiteral("42"));
        QCOMPARE(f.modals.texts(), QStringList{kOnlyNumbers});

        auto *chosen = f.get<QLineEdit>("txtChuosenNumber");
        QMimeData dragged;
        dragged.setText(QStringLiteral("-5"));
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(chosen, &enter);
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(chosen, &drop);
        QCOMPARE(chosen->text(), QStringLiteral("-5"));
        QCOMPARE(f.modals.seen().size(), size_t(1));
    }

    // The main window is no dialog: without the game's own rule Return would
    // do nothing on a focused button.
    void enterPressesTheFocusedButton()
    {
        MainWindowFixture f;
        auto *score = f.get<QPushButton>("cmdScore");
        score->setFocus();
        QTest::keyClick(score, Qt::Key_Return);
        QVERIFY(f.inFront("fraScore", {"fraScoreClick"}));
        auto *ok = f.get<QPushButton>("cmdScoreOk");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(f.inFront("fraScoreClick", {"fraScore"}));
    }

    // Pasting is not filtered, but the range fields keep three characters;
    // the score box, no line edit, keeps what a line edit would, as laying
    // out a huge paste would freeze the window.
    void pastesStopAtTheLengthLimit()
    {
        MainWindowFixture f;
        f.type("txtRangeStart", "1234");
        QCOMPARE(f.get<QLineEdit>("txtRangeStart")->text(), QStringLiteral("123"));
        QGuiApplication::clipboard()->setText(QStringLiteral("9e9x") + QString(40000, u'7'));
        auto *end = f.get<QLineEdit>("txtRangeEnd");
        end->setFocus();
        QTest::keyClick(end, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(end->text(), QStringLiteral("9e9"));
        QVERIFY(f.modals.seen().empty());
        // The score box takes what the player types or pastes, as much.
        auto *score = f.get<QTextEdit>("txtTotalScore");
        score->setFocus();
        QTest::keyClick(score, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(score->toPlainText().size(), 32767);
    }
};

TEST_CLASS(TestNavigation, Widgets)
#include "tst_navigation.moc"
