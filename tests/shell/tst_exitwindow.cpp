#include "pages/modhelp.h"
#include "support/testmain.h"
#include "pages/publisherhosts.h"
#include "shell/frmexitscreen.h"
#include "shell/modtellafriend.h"
#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/urlcatcher.h"

#include <QClipboard>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {
const char *const kBoxes[] = {"txtName", "txtEmail", "txtMessage", "txtFriendName", "txtFriendEmail"};

QString mainSite()
{
    return QStringLiteral("http://") + PublisherHosts::mainHost();
}

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
        activate();
    }

    void activate() { ::activate(&window); }

    QWidget *get(const QString &name) { return control(&window, qPrintable(name)); }

    QString text(const QString &box)
    {
        if (auto *line = qobject_cast<QLineEdit *>(get(box)))
            return line->text();
        return static_cast<QPlainTextEdit *>(get(box))->toPlainText();
    }

    // Puts the focus on E&xit, then tabs `count` times.
    void tab(int count)
    {
        activate();
        get(QStringLiteral("cmdClose"))->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < count; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    // name, e-mail, message, friend's name, friend's e-mail
    void fill(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i) {
            if (auto *line = qobject_cast<QLineEdit *>(get(QLatin1String(kBoxes[i]))))
                line->setText(texts[i]);
            else
                static_cast<QPlainTextEdit *>(get(QLatin1String(kBoxes[i])))->setPlainText(texts[i]);
        }
    }

    void click(const char *name) { QTest::mouseClick(get(QLatin1String(name)), Qt::LeftButton); }
};
} // namespace

class TestExitWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    // The draw picks one of four messages; each names the forum and fits.
    void supportMessageFollowsTheDraw_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("message");
        QTest::newRow("lowest") << 0.0f << 0;
        QTest::newRow("a half") << 0.5f << 2;
        QTest::newRow("highest") << 0.99999994f << 3;
    }
    void supportMessageFollowsTheDraw()
    {
        QFETCH(float, draw);
        QFETCH(int, message);
        ExitWindow exit({draw});
        auto *label = static_cast<QLabel *>(exit.get(QStringLiteral("Label2")));
        QCOMPARE(exit.random.taken(), 1);
        QCOMPARE(label->text(), frmExitScreen::supportMessage(message));
        QVERIFY(label->text().contains(PublisherHosts::mainHost() + QStringLiteral("/forum")));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
    }

    // Tab from E&xit: Check1, txtName, cmdSubmit, txtEmail, txtFriendEmail,
    // txtFriendName, txtMessage. Focus gained clears a placeholder, focus
    // lost with nothing but blanks puts it back, and a typed text stays. The
    // message box starts with its placeholder and a line end, which is no
    // placeholder.
    void placeholdersLeaveOnEntryAndReturnWhenLeftEmpty()
    {
        ExitWindow exit;
        const struct { const char *box; int tabs; const char *placeholder; } boxes[] = {
            {"txtName", 2, "Your Name"}, {"txtEmail", 4, "Your Email Address"},
            {"txtFriendEmail", 5, "Friend's Email Address"}, {"txtFriendName", 6, "Friend's Name"},
            {"txtMessage", 7, "Your Message"}};
        for (const auto &b : boxes) {
            const QString box = QLatin1String(b.box);
            exit.tab(b.tabs);
            QCOMPARE(QApplication::focusWidget(), exit.get(box));
            if (box == u"txtMessage") {
                QCOMPARE(exit.text(box), QStringLiteral("Your Message\n"));
                exit.fill({"", "", ""});
            } else {
                QCOMPARE(exit.text(box), QString());
                exit.fill({});
                static_cast<QLineEdit *>(exit.get(box))->setText(QStringLiteral("   "));
            }
            QTest::keyClick(exit.get(box), Qt::Key_Tab);
            QCOMPARE(exit.text(box), QLatin1String(b.placeholder));
            exit.tab(b.tabs);
            QCOMPARE(exit.text(box), QString());
            QTest::keyClicks(exit.get(box), QStringLiteral("Kept"));
            QTest::keyClick(exit.get(box), Qt::Key_Tab);
            QCOMPARE(exit.text(box), QStringLiteral("Kept"));
        }
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
        QCOMPARE(exit.text(box), QStringLiteral("ab"));
        QCOMPARE(exit.window.focusWidget(), exit.get(box));
        exit.tab(2);
        QTest::keyClicks(exit.get(QStringLiteral("txtName")), QStringLiteral("Ann Lee"));
        QCOMPARE(exit.text(QStringLiteral("txtName")), QStringLiteral("Ann Lee"));
        QCOMPARE(exit.modals.seen().size(), size_t(1));
    }

    // Pasted text is not examined, but the message box, no line edit, takes
    // no more than a line edit would, however text arrives: laying out
    // megabytes would freeze the window.
    void messageStopsAtTheLengthLimit()
    {
        ExitWindow exit;
        QGuiApplication::clipboard()->setText(QString(40000, u'x'));
        QWidget *box = exit.get(QStringLiteral("txtMessage"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Y);
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("yy"));
        QApplication::sendEvent(box, &composed);
        QCOMPARE(exit.text(QStringLiteral("txtMessage")), QString(32767, u'x'));
    }

    // Name, e-mail, message, friend's name, friend's e-mail; no message
    // expected means the request went out. Enter presses the focused button.
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
        QTest::newRow("name only blanks") << QStringList{"   ", "a@b.c", "m", "B", "b@c.d"}
                                          << "Please Enter Your Name";
        QTest::newRow("message placeholder") << QStringList{"A", "a@b.c", "Your Message", "B", "b@c.d"}
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
        QWidget *submit = exit.get(QStringLiteral("cmdSubmit"));
        submit->setFocus();
        QTest::keyClick(submit, Qt::Key_Return);
        QCOMPARE(exit.modals.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(exit.pages.urls.size(), message.isEmpty() ? 1 : 0);
        if (!message.isEmpty())
            QCOMPARE(exit.modals.seen()[0].icon, QMessageBox::Critical);
    }

    // The checks the form cannot reach on its own: each stored value in turn.
    void referFriendChecksEachValue_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("e-mail placeholder") << QStringList{"A", "Your Email Address", "m", "B", "b@c"}
                                            << "Please Enter Your Email";
        QTest::newRow("message missing") << QStringList{"A", "a@b", "", "", ""} << "Please Enter Your Message";
        QTest::newRow("friend's e-mail placeholder") << QStringList{"A", "a@b", "m", "B", "Friend's Email Address"}
                                                     << "Please Enter Your Friend's Email";
        QTest::newRow("placeholder and a blank is a value") << QStringList{"Your Name ", "a@b", "m", "B", "b@c"} << "";
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
    }

    // Every value reaches the page exactly as typed: nothing in it can end a
    // value, start a new one or turn into a blank.
    void requestCarriesEachValueEncoded_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("query");
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
        exit.click("cmdSubmit");
        const QString ownPage = QString::fromLatin1(QUrl::toPercentEncoding(mainSite() + QStringLiteral("/numensight/")));
        const QString address = mainSite() + QStringLiteral("/zelk-refer-a-friend.php?") + query + QStringLiteral("&taf6=") + ownPage;
        QCOMPARE(exit.pages.addresses(), QStringList(2, address));
        QVERIFY(exit.modals.seen().empty());
        QCOMPARE(exit.text(QStringLiteral("txtMessage")), texts[2]);
        QVERIFY(exit.window.isVisible());
    }

    // What the player typed never reaches the error output, where a desktop
    // session keeps it; an address too long to hand to a browser opens
    // nothing, quietly.
    void requestPrintsNothingAndTooLongOpensNothing()
    {
        modTellAFriend::referValues() = {"Ann", "ann@example.org", "m", "Bob", "bob@example.org"};
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        modTellAFriend::ReferFriend(); // no page handler: Qt itself would speak
        UrlCatcher pages;
        modTellAFriend::referValues().message = QString(modHelp::MaxAddressLength / 3, u'é');
        modTellAFriend::ReferFriend();
        QVERIFY(pages.urls.isEmpty());
        modTellAFriend::referValues().message = QString(modHelp::MaxAddressLength / 10, u'é');
        modTellAFriend::ReferFriend();
        QCOMPARE(pages.urls.size(), 1);
    }

    void forumButtonAndCatalogueLinkOpenTheirPages()
    {
        ExitWindow exit;
        auto *check = static_cast<QPushButton *>(exit.get(QStringLiteral("Check1")));
        exit.click("Check1");
        QVERIFY(!check->isChecked());
        exit.click("Check1");
        QVERIFY(!check->isChecked());
        exit.click("lblGoToHome");
        QCOMPARE(exit.pages.addresses(), (QStringList{mainSite(), mainSite(), mainSite() + QStringLiteral("/gladesoftwares")}));
    }

    // Escape leaves the window open; E&xit ends the program (its access key
    // and the close box are pressed on the real program in tst_process_exit).
    void exitEndsTheApplicationAndEscapeDoesNot()
    {
        ExitWindow exit;
        QTest::keyClick(&exit.window, Qt::Key_Escape);
        QVERIFY(exit.window.isVisible());
        QCOMPARE(exit.end.ends, 0);
        exit.click("cmdClose");
        QCOMPARE(exit.end.ends, 1);
        QVERIFY(exit.window.close());
        QCOMPARE(exit.end.ends, 2);
    }
};

TEST_CLASS(TestExitWindow, Widgets)
#include "tst_exitwindow.moc"
