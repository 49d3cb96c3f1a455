#include "pages/modhelp.h"
#include "shell/frmexitscreen.h"
#include "shell/modtellafriend.h"
#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/urlcatcher.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kMain = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST);
const QString kRefer = kMain + QStringLiteral("/zelk-refer-a-friend.php?");
const QString kOwnPage = QStringLiteral("&taf6=http%3A%2F%2F" NUMENSIGHT_MAIN_HOST "%2Fnumensight%2F");

ScriptedRandom &queued(ScriptedRandom &random, std::initializer_list<float> draws)
{
    random.queue(draws);
    return random;
}

// A real exit window, shown offscreen and active, whose way out is counted
// instead of ending the test.
struct ExitWindow
{
    ScriptedRandom random;
    CountingEnd end;
    ModalWatcher modals;
    UrlCatcher pages;
    frmExitScreen window;

    explicit ExitWindow(std::initializer_list<float> draws = {})
        : window(queued(random, draws), end)
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("exit window did not become active");
    }

    template<class T = QWidget>
    T *get(const QString &name)
    {
        return control<T>(&window, qPrintable(name));
    }

    QString text(const QString &box)
    {
        if (auto *line = window.findChild<QLineEdit *>(box))
            return line->text();
        return get<QPlainTextEdit>(box)->toPlainText();
    }

    // Puts the focus on E&xit, then tabs `count` times.
    void tab(int count)
    {
        get(QStringLiteral("cmdClose"))->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < count; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    void fill(const QStringList &texts)
    {
        const char *boxes[] = {"txtName", "txtEmail", "txtMessage", "txtFriendName", "txtFriendEmail"};
        for (int i = 0; i < texts.size(); ++i) {
            if (auto *line = window.findChild<QLineEdit *>(QLatin1String(boxes[i])))
                line->setText(texts[i]);
            else
                get<QPlainTextEdit>(QLatin1String(boxes[i]))->setPlainText(texts[i]);
        }
    }

    void click(const char *name) { QTest::mouseClick(get(QLatin1String(name)), Qt::LeftButton); }
};
} // namespace

class TestExitWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void supportMessageFollowsTheDraw_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("message");
        QTest::newRow("0.0") << 0.0f << 0;
        QTest::newRow("0.2499") << 0.2499f << 0;
        QTest::newRow("0.25") << 0.25f << 1;
        QTest::newRow("0.5") << 0.5f << 2;
        QTest::newRow("0.7499") << 0.7499f << 2;
        QTest::newRow("0.99") << 0.99f << 3;
    }
    void supportMessageFollowsTheDraw()
    {
        QFETCH(float, draw);
        QFETCH(int, message);
        ExitWindow exit({draw});
        QCOMPARE(exit.random.taken(), 1);
        QCOMPARE(exit.get<QLabel>(QStringLiteral("Label2"))->text(), frmExitScreen::supportMessage(message));
    }

    void supportMessagesNameTheForumAndFitTheirLabel()
    {
        ExitWindow exit;
        auto *label = exit.get<QLabel>(QStringLiteral("Label2"));
        for (int k = 0; k < frmExitScreen::SupportMessageCount; ++k) {
            label->setText(frmExitScreen::supportMessage(k));
            QVERIFY(label->text().contains(QLatin1String("www.gladesoftwares.com/forum")));
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
        }
    }

    // Tabs from E&xit: Check1, txtName, cmdSubmit, txtEmail, txtFriendEmail, txtFriendName.
    void placeholderLeavesOnEntryAndReturnsWhenLeftEmpty_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("placeholder");
        QTest::newRow("txtName") << "txtName" << 2 << "Your Name";
        QTest::newRow("txtEmail") << "txtEmail" << 4 << "Your Email Address";
        QTest::newRow("txtFriendEmail") << "txtFriendEmail" << 5 << "Friend's Email Address";
        QTest::newRow("txtFriendName") << "txtFriendName" << 6 << "Friend's Name";
    }
    void placeholderLeavesOnEntryAndReturnsWhenLeftEmpty()
    {
        QFETCH(QString, box);
        QFETCH(int, tabs);
        QFETCH(QString, placeholder);
        ExitWindow exit;
        exit.tab(tabs);
        QCOMPARE(QApplication::focusWidget(), exit.get(box));
        QCOMPARE(exit.text(box), QString());
        exit.get<QLineEdit>(box)->setText(QStringLiteral("   "));
        QTest::keyClick(exit.get(box), Qt::Key_Tab);
        QCOMPARE(exit.text(box), placeholder);

        exit.get<QLineEdit>(box)->setText(QStringLiteral("  ") + placeholder + QStringLiteral(" "));
        exit.tab(tabs);
        QCOMPARE(exit.text(box), QString());

        exit.get<QLineEdit>(box)->setText(QStringLiteral("Kept"));
        exit.tab(tabs);
        QTest::keyClick(exit.get(box), Qt::Key_Tab);
        QCOMPARE(exit.text(box), QStringLiteral("Kept"));
    }

    // Its starting text ends with a line end, so it is not the placeholder.
    void messageBoxKeepsItsStartingText()
    {
        ExitWindow exit;
        const QString box = QStringLiteral("txtMessage");
        exit.tab(7);
        QCOMPARE(QApplication::focusWidget(), exit.get(box));
        QCOMPARE(exit.text(box), QStringLiteral("Your Message\n"));
        QTest::keyClick(exit.get(box), Qt::Key_Tab);
        QCOMPARE(exit.text(box), QStringLiteral("Your Message\n"));

        exit.get<QPlainTextEdit>(box)->clear();
        exit.tab(7);
        QTest::keyClick(exit.get(box), Qt::Key_Tab);
        QCOMPARE(exit.text(box), QStringLiteral("Your Message"));
        exit.tab(7);
        QCOMPARE(exit.text(box), QString());
    }

    void spaceInAnEmailBoxIsRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("tabs");
        QTest::newRow("txtEmail") << "txtEmail" << 4;
        QTest::newRow("txtFriendEmail") << "txtFriendEmail" << 5;
    }
    void spaceInAnEmailBoxIsRefused()
    {
        QFETCH(QString, box);
        QFETCH(int, tabs);
        ExitWindow exit;
        exit.tab(tabs);
        QTest::keyClicks(exit.get(box), QStringLiteral("a b"));
        QCOMPARE(exit.modals.texts(), QStringList{QStringLiteral("Email Address Cannot Contain Space")});
        QCOMPARE(exit.modals.seen()[0].icon, QMessageBox::Critical);
        QCOMPARE(exit.modals.seen()[0].title, QStringLiteral("Numensight"));
        QCOMPARE(exit.text(box), QStringLiteral("ab"));
        QCOMPARE(exit.window.focusWidget(), exit.get(box));
    }

    void spacesPassInTheOtherBoxes()
    {
        ExitWindow exit;
        exit.tab(2);
        QTest::keyClicks(exit.get(QStringLiteral("txtName")), QStringLiteral("Ann Lee"));
        QCOMPARE(exit.text(QStringLiteral("txtName")), QStringLiteral("Ann Lee"));
        QVERIFY(exit.modals.seen().empty());
    }

    // name, e-mail, message, friend's name, friend's e-mail; an empty
    // expected message means the request went out.
    void submitChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        const QString proper = QStringLiteral("Please Enter Proper Email Address");
        QTest::newRow("starting texts") << QStringList{} << proper;
        QTest::newRow("same address first") << QStringList{"Your Name", "x", "", "", "x"}
                                            << "Please Enter Distinct Email Addresses";
        QTest::newRow("same after trimming") << QStringList{"A", " a@b.c", "m", "B", "a@b.c  "}
                                             << "Please Enter Distinct Email Addresses";
        QTest::newRow("no @ in friend's") << QStringList{"A", "a@b.c", "m", "B", "b.c"} << proper;
        QTest::newRow("no . in own") << QStringList{"A", "a@bc", "m", "B", "b@c.d"} << proper;
        QTest::newRow("name placeholder") << QStringList{"Your Name", "a@b.c", "m", "B", "b@c.d"}
                                          << "Please Enter Your Name";
        QTest::newRow("name only spaces") << QStringList{"   ", "a@b.c", "m", "B", "b@c.d"}
                                          << "Please Enter Your Name";
        QTest::newRow("message placeholder") << QStringList{"A", "a@b.c", "Your Message", "B", "b@c.d"}
                                             << "Please Enter Your Message";
        QTest::newRow("message empty") << QStringList{"A", "a@b.c", "", "B", "b@c.d"}
                                       << "Please Enter Your Message";
        QTest::newRow("friend's name placeholder") << QStringList{"A", "a@b.c", "m", "Friend's Name", "b@c.d"}
                                                   << "Please Enter Your Friend's Name";
        QTest::newRow("case differs") << QStringList{"A", "A@b.c", "m", "B", "a@b.c"} << "";
    }
    void submitChecksInOrder()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        ExitWindow exit;
        exit.fill(texts);
        // Enter presses the focused button here as a click does.
        QWidget *submit = exit.get(QStringLiteral("cmdSubmit"));
        submit->setFocus();
        QTest::keyClick(submit, Qt::Key_Return);
        if (message.isEmpty()) {
            QVERIFY(exit.modals.seen().empty());
            QCOMPARE(exit.pages.urls.size(), 1);
            return;
        }
        QCOMPARE(exit.modals.texts(), QStringList{message});
        QCOMPARE(exit.modals.seen()[0].icon, QMessageBox::Critical);
        QVERIFY(exit.pages.urls.isEmpty());
    }

    void referFriendChecksEachValue_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("name and e-mail missing") << QStringList{"", "", "m", "B", "b@c"} << "Please Enter Your Name";
        QTest::newRow("e-mail placeholder") << QStringList{"A", "Your Email Address", "m", "B", "b@c"}
                                            << "Please Enter Your Email";
        QTest::newRow("message missing") << QStringList{"A", "a@b", "", "", ""} << "Please Enter Your Message";
        QTest::newRow("friend's name missing") << QStringList{"A", "a@b", "m", "", "b@c"}
                                               << "Please Enter Your Friend's Name";
        QTest::newRow("friend's e-mail missing") << QStringList{"A", "a@b", "m", "B", ""}
                                                 << "Please Enter Your Friend's Email";
        QTest::newRow("friend's e-mail placeholder") << QStringList{"A", "a@b", "m", "B", "Friend's Email Address"}
                                                     << "Please Enter Your Friend's Email";
        QTest::newRow("placeholder with a space is a value") << QStringList{"Your Name ", "a@b", "m", "B", "b@c"} << "";
    }
    void referFriendChecksEachValue()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        ModalWatcher modals;
        UrlCatcher pages;
        modTellAFriend::referValues() = {values[0], values[1], values[2], values[3], values[4]};
        modTellAFriend::ReferFriend();
        QCOMPARE(modals.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(pages.urls.size(), message.isEmpty() ? 1 : 0);
        if (!message.isEmpty())
            QCOMPARE(modals.seen()[0].icon, QMessageBox::Critical);
    }

    // Every value reaches the page exactly as typed: nothing in it can end a
    // value, start a new one or turn into a blank.
    void requestCarriesEachValueEncoded_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("query");
        QTest::newRow("plain") << QStringList{"Ann", "ann@example.com", "Hello", "Bob", "bob@example.org"}
                               << "taf1=Ann&taf2=ann%40example.com&taf3=Hello&taf4=Bob&taf5=bob%40example.org";
        QTest::newRow("untouched message") << QStringList{"Ann", "a@b.c", "Your Message\n", "Bob", "b@c.d"}
                                           << "taf1=Ann&taf2=a%40b.c&taf3=Your%20Message%0D%0A&taf4=Bob&taf5=b%40c.d";
        QTest::newRow("hostile") << QStringList{"Tom & Jerry=1+1 #2", "t&x=1@b.c", "Hi\nthere?", "Zoë", "z+1@b.c"}
                                 << "taf1=Tom%20%26%20Jerry%3D1%2B1%20%232&taf2=t%26x%3D1%40b.c"
                                    "&taf3=Hi%0D%0Athere%3F&taf4=Zo%C3%AB&taf5=z%2B1%40b.c";
        QTest::newRow("only blanks trimmed") << QStringList{"  Ann  ", "a@b.c ", " \tHi\n", "Bob", "b@c.d"}
                                             << "taf1=Ann&taf2=a%40b.c&taf3=%09Hi%0D%0A&taf4=Bob&taf5=b%40c.d";
    }
    void requestCarriesEachValueEncoded()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, query);
        ExitWindow exit;
        exit.fill(texts);
        exit.click("cmdSubmit");
        QVERIFY(exit.modals.seen().empty());
        QCOMPARE(exit.pages.addresses(), QStringList{kRefer + query + kOwnPage});
        QVERIFY(exit.pages.urls[0].isValid());
    }

    void requestCanBeSentAgainAndTextsStay()
    {
        ExitWindow exit;
        const QStringList texts{"Ann", "a@b.c", "Your Message\n", "Bob", "b@c.d"};
        exit.fill(texts);
        exit.click("cmdSubmit");
        // An access key presses its button after a short visible delay.
        QTest::keyClick(&exit.window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(exit.pages.urls.size(), 2);
        QCOMPARE(exit.pages.urls[0], exit.pages.urls[1]);
        QCOMPARE(exit.text(QStringLiteral("txtName")), texts[0]);
        QCOMPARE(exit.text(QStringLiteral("txtMessage")), texts[2]);
        QCOMPARE(exit.text(QStringLiteral("txtFriendEmail")), texts[4]);
        QVERIFY(exit.window.isVisible());
    }

    void forumButtonOpensTheHomePageOnEveryClickAndNeverStaysChecked()
    {
        ExitWindow exit;
        auto *check = exit.get<QPushButton>(QStringLiteral("Check1"));
        for (int i = 1; i <= 2; ++i) {
            exit.click("Check1");
            QVERIFY(!check->isChecked());
            QCOMPARE(exit.pages.urls.size(), i);
        }
        QCOMPARE(exit.pages.urls[0], modHelp::homePageUrl());
        QCOMPARE(exit.pages.urls[1], modHelp::homePageUrl());
    }

    void catalogueLinkOpensTheCataloguePage()
    {
        ExitWindow exit;
        exit.click("lblGoToHome");
        QCOMPARE(exit.pages.addresses(), QStringList{kMain + QStringLiteral("/gladesoftwares")});
    }

    void hiddenExitButtonsNeverTakeFocusOrAct()
    {
        ExitWindow exit;
        QList<QWidget *> hidden;
        for (int i = 0; i < 3; ++i) {
            auto *button = exit.get<QPushButton>(QStringLiteral("cmdExit_%1").arg(i));
            QVERIFY(button->isHidden());
            QCOMPARE(button->text(), QStringLiteral("Exit"));
            button->click();
            hidden << button;
        }
        exit.tab(0);
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(!hidden.contains(QApplication::focusWidget()));
        }
        QCOMPARE(exit.end.ends, 0);
        QVERIFY(exit.pages.urls.isEmpty());
        QVERIFY(exit.modals.seen().empty());
    }

    void leavingTheWindowEndsTheApplication_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("E&xit clicked") << "click";
        QTest::newRow("Alt+X") << "alt+x";
        QTest::newRow("close box") << "close";
    }
    void leavingTheWindowEndsTheApplication()
    {
        QFETCH(QString, how);
        ExitWindow exit;
        if (how == QLatin1String("click"))
            exit.click("cmdClose");
        else if (how == QLatin1String("alt+x"))
            QTest::keyClick(&exit.window, Qt::Key_X, Qt::AltModifier);
        else
            QVERIFY(exit.window.close());
        QTRY_COMPARE(exit.end.ends, 1);
    }

    void escapeDoesNotCloseTheWindow()
    {
        ExitWindow exit;
        QTest::keyClick(&exit.window, Qt::Key_Escape);
        QVERIFY(exit.window.isVisible());
        QCOMPARE(exit.end.ends, 0);
    }
};

QTEST_MAIN(TestExitWindow)
#include "tst_exitwindow.moc"
