#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/urlcatcher.h"
#include "windows/frmexitscreen.h"
#include "windows/modtellafriend.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// The form's boxes in the order the refer-a-friend values are taken.
constexpr const char *FormBoxes[] = {"txtName", "txtEmail", "txtMessage", "txtFriendName", "txtFriendEmail"};

QString textOf(const QWidget *window, const char *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(control(window, box)))
        return line->text();
    return control<QPlainTextEdit>(window, box)->toPlainText();
}

void setTextOf(const QWidget *window, const char *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(control(window, box)))
        line->setText(text);
    else
        control<QPlainTextEdit>(window, box)->setPlainText(text);
}

QStringList formTexts(const QWidget *window)
{
    QStringList texts;
    for (const char *box : FormBoxes)
        texts << textOf(window, box);
    return texts;
}

// The refer-a-friend address for the five values as they travel in the query.
QString referAddress(const QString &values)
{
    return u"http://" NUMENSIGHT_MAIN_HOST "/zelk-refer-a-friend.php?"_s + values + u"&taf6="_s
        + QString::fromLatin1(QUrl::toPercentEncoding(u"http://" NUMENSIGHT_MAIN_HOST "/numensight/"_s));
}
} // namespace

class TestExitWindow : public QObject
{
    Q_OBJECT

    ScriptedRandom m_random;
    CountingEnd m_end;

private Q_SLOTS:
    void initTestCase() { hideSizeHintWarnings(); }

    // A box gives up its placeholder while it has focus and takes it back
    // when left blank. Every value reaches the page as typed: nothing in it
    // can end a value, start a new one or turn into a blank. The same
    // address twice is refused first.
    void referAFriendSendsEachValueEncoded()
    {
        frmExitScreen window(m_random, m_end);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalWatcher modals;
        UrlCatcher pages;
        auto *name = control<QLineEdit>(&window, "txtName");
        auto *email = control<QLineEdit>(&window, "txtEmail");
        name->setFocus();
        QCOMPARE(name->text(), QString());
        name->setText(u"  "_s);
        email->setFocus();
        QCOMPARE(name->text(), u"Your Name"_s);
        QCOMPARE(email->text(), QString());
        name->setText(u"Tom & Jerry=1+1 #2"_s);
        email->setText(u"t&x=1@b.c"_s);
        control<QPlainTextEdit>(&window, "txtMessage")->setPlainText(u"Hi\nthere?"_s);
        control<QLineEdit>(&window, "txtFriendName")->setText(u"Zoë"_s);
        for (const QString &friendEmail : {email->text(), u"z+1@b.c"_s}) {
            control<QLineEdit>(&window, "txtFriendEmail")->setText(friendEmail);
            QTest::mouseClick(control(&window, "cmdSubmit"), Qt::LeftButton);
        }
        QCOMPARE(modals.texts, QStringList{u"Please Enter Distinct Email Addresses"_s});
        QCOMPARE(pages.addresses, QStringList{referAddress(u"taf1=Tom%20%26%20Jerry%3D1%2B1%20%232&taf2=t%26x%3D1%40b.c"
                                                           "&taf3=Hi%0D%0Athere%3F&taf4=Zo%C3%AB&taf5=z%2B1%40b.c"_s)});
    }

    // Loading draws once: the whole part of the draw times four picks one of
    // four distinct messages, each naming the forum on the main site. Each
    // keyword is what only its message says.
    void supportMessageFollowsTheDraw_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("says");
        QTest::newRow("0") << 0.0f << "only with";
        QTest::newRow("just under a quarter") << std::nextafter(0.25f, 0.0f) << "only with";
        QTest::newRow("a quarter") << 0.25f << "without";
        QTest::newRow("a half") << 0.5f << "esoteric";
        QTest::newRow("just under three quarters") << std::nextafter(0.75f, 0.0f) << "esoteric";
        QTest::newRow("highest") << std::nextafter(1.0f, 0.0f) << "more programs";
    }
    void supportMessageFollowsTheDraw()
    {
        QFETCH(float, draw);
        QFETCH(QString, says);
        ScriptedRandom random;
        random.queue({draw});
        frmExitScreen window(random, m_end);
        QCOMPARE(random.taken(), 1);
        QCOMPARE(window.windowTitle(), u"Numensight v1.65"_s);
        const QString message = control<QLabel>(&window, "Label2")->text();
        QVERIFY2(message.contains(u"" NUMENSIGHT_MAIN_HOST), qPrintable(message));
        for (const QString &keyword : {u"only with"_s, u"without"_s, u"esoteric"_s, u"more programs"_s})
            QVERIFY2(message.contains(keyword, Qt::CaseInsensitive) == (keyword == says), qPrintable(message));
    }

    // Focus gained empties a box whose text, blanks aside, is its
    // placeholder; focus lost with nothing but blanks puts it back; what was
    // typed stays. The message box starts with its placeholder and a line
    // end, which is no placeholder: that text stays.
    void eachBoxShowsItsPlaceholderWhileEmpty_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("placeholder");
        QTest::newRow("txtName") << "txtName" << "Your Name";
        QTest::newRow("txtEmail") << "txtEmail" << "Your Email Address";
        QTest::newRow("txtMessage") << "txtMessage" << "Your Message";
        QTest::newRow("txtFriendName") << "txtFriendName" << "Friend's Name";
        QTest::newRow("txtFriendEmail") << "txtFriendEmail" << "Friend's Email Address";
    }
    void eachBoxShowsItsPlaceholderWhileEmpty()
    {
        QFETCH(QString, box);
        QFETCH(QString, placeholder);
        frmExitScreen window(m_random, m_end);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QByteArray name = box.toLatin1();
        QWidget *edit = control(&window, name);
        QWidget *elsewhere = control(&window, "cmdClose");
        const QString start = box == u"txtMessage" ? placeholder + u'\n' : placeholder;
        QCOMPARE(textOf(&window, name), start);
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(window.focusWidget(), edit);
        QCOMPARE(textOf(&window, name), start == placeholder ? QString() : start);
        elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(textOf(&window, name), start);
        setTextOf(&window, name, u"  "_s + placeholder + u' ');
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(textOf(&window, name), QString());
        setTextOf(&window, name, u"   "_s);
        elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(textOf(&window, name), placeholder);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, u"Kept"_s);
        elsewhere->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(textOf(&window, name), u"Kept"_s);
    }

    // A space typed into an e-mail box is refused with a message, and the
    // focus stays in the box; the other boxes take it, and a paste is not
    // examined. A key held with Alt types nothing, unless Ctrl is held too,
    // which is AltGr on some keyboards: "@" among others.
    void spaceIsRefusedOnlyInTheEmailBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::newRow("txtEmail") << "txtEmail" << "ab@";
        QTest::newRow("txtFriendEmail") << "txtFriendEmail" << "ab@";
        QTest::newRow("txtName") << "txtName" << "a b@";
        QTest::newRow("txtFriendName") << "txtFriendName" << "a b@";
        QTest::newRow("txtMessage") << "txtMessage" << "a b@";
    }
    void spaceIsRefusedOnlyInTheEmailBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        frmExitScreen window(m_random, m_end);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalWatcher modals;
        const QByteArray name = box.toLatin1();
        QWidget *edit = control(&window, name);
        edit->setFocus(Qt::TabFocusReason);
        setTextOf(&window, name, QString());
        QTest::keyClicks(edit, u"a b"_s);
        QTest::keyClick(edit, 'q', Qt::AltModifier);
        QTest::keyClick(edit, '@', Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(textOf(&window, name), typed);
        const bool refused = !typed.contains(u' ');
        QCOMPARE(modals.texts, QStringList(refused, u"Email Address Cannot Contain Space"_s));
        QCOMPARE(modals.icons, QList<QMessageBox::Icon>(refused, QMessageBox::Critical));
        QCOMPARE(modals.titles, QStringList(refused, u"Numensight"_s));
        QCOMPARE(window.focusWidget(), edit);
        QGuiApplication::clipboard()->setText(u" c"_s);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(&window, name), typed + u" c"_s);
        QCOMPARE(modals.texts.size(), qsizetype(refused));
    }

    // Name, e-mail, message, friend's name, friend's e-mail (null: left as
    // loaded), and the message they give, or the values of the request when
    // it goes out. The e-mail tests come first, the same address before all;
    // then each value in turn, empty or left at its placeholder.
    void referAFriendChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("values");
        const QString untouched;
        const QString proper = u"Please Enter Proper Email Address"_s;
        const QString distinct = u"Please Enter Distinct Email Addresses"_s;
        QTest::newRow("starting texts") << QStringList(5, untouched) << proper << "";
        QTest::newRow("same address without @") << QStringList{u"Ann"_s, u"x"_s, untouched, u"Bob"_s, u"x"_s} << distinct << "";
        QTest::newRow("same address after trimming") << QStringList{u""_s, u" a@b.c"_s, u""_s, u""_s, u"a@b.c  "_s} << distinct << "";
        QTest::newRow("no @ in own") << QStringList{u"Ann"_s, u"ab.c"_s, untouched, u"Bob"_s, u"b@c.d"_s} << proper << "";
        QTest::newRow("no @ in friend's") << QStringList{u"Ann"_s, u"a@b.c"_s, untouched, u"Bob"_s, u"bc.d"_s} << proper << "";
        QTest::newRow("no . in own") << QStringList{u"Ann"_s, u"a@bc"_s, untouched, u"Bob"_s, u"b@c.d"_s} << proper << "";
        QTest::newRow("no . in friend's") << QStringList{u"Ann"_s, u"a@b.c"_s, untouched, u"Bob"_s, u"b@cd"_s} << proper << "";
        QTest::newRow("name left") << QStringList{untouched, u"a@b.c"_s, untouched, u"Bob"_s, u"b@c.d"_s} << "Please Enter Your Name" << "";
        QTest::newRow("name blank, message and friend's name empty") << QStringList{u"  "_s, u"a@b.c"_s, u""_s, u""_s, u"b@c.d"_s}
                                                                     << "Please Enter Your Name" << "";
        QTest::newRow("message empty, friend's name empty") << QStringList{u"Ann"_s, u"a@b.c"_s, u""_s, u""_s, u"b@c.d"_s}
                                                            << "Please Enter Your Message" << "";
        QTest::newRow("message at its placeholder") << QStringList{u"Ann"_s, u"a@b.c"_s, u"Your Message"_s, u"Bob"_s, u"b@c.d"_s}
                                                    << "Please Enter Your Message" << "";
        QTest::newRow("friend's name left") << QStringList{u"Ann"_s, u"a@b.c"_s, untouched, untouched, u"b@c.d"_s}
                                            << "Please Enter Your Friend's Name" << "";
        QTest::newRow("friend's name blank") << QStringList{u"Ann"_s, u"a@b.c"_s, untouched, u" "_s, u"b@c.d"_s}
                                             << "Please Enter Your Friend's Name" << "";
        QTest::newRow("message left") << QStringList{u"Ann"_s, u"a@b.c"_s, untouched, u"Bob"_s, u"b@c.d"_s} << ""
                                      << "taf1=Ann&taf2=a%40b.c&taf3=Your%20Message%0D%0A&taf4=Bob&taf5=b%40c.d";
        QTest::newRow("only blanks trimmed") << QStringList{u"  Ann  "_s, u"a@b.c "_s, u" \tHi\n"_s, u"Bob"_s, u"b@c.d"_s} << ""
                                             << "taf1=Ann&taf2=a%40b.c&taf3=%09Hi%0D%0A&taf4=Bob&taf5=b%40c.d";
        QTest::newRow("addresses differing in case") << QStringList{u"Ann"_s, u"A@b.c"_s, u"Hi"_s, u"Bob"_s, u"a@b.c"_s} << ""
                                                     << "taf1=Ann&taf2=A%40b.c&taf3=Hi&taf4=Bob&taf5=a%40b.c";
    }

    // Pressed twice, by its access key and by Enter while it has the focus:
    // the same answer both times, the boxes as they were and the window open.
    void referAFriendChecksInOrder()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, values);
        CountingEnd end;
        frmExitScreen window(m_random, end);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (int i = 0; i < texts.size(); ++i) {
            if (!texts[i].isNull())
                setTextOf(&window, FormBoxes[i], texts[i]);
        }
        const QStringList before = formTexts(&window);
        ModalWatcher modals;
        UrlCatcher pages;
        QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(modals.texts.size() + pages.addresses.size(), 1);
        control(&window, "cmdSubmit")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control(&window, "cmdSubmit"), Qt::Key_Return);
        QCOMPARE(modals.texts, QStringList(message.isEmpty() ? 0 : 2, message));
        QCOMPARE(modals.icons, QList<QMessageBox::Icon>(modals.texts.size(), QMessageBox::Critical));
        QCOMPARE(modals.titles, QStringList(modals.texts.size(), u"Numensight"_s));
        QCOMPARE(pages.addresses, QStringList(values.isEmpty() ? 0 : 2, referAddress(values)));
        QCOMPARE(formTexts(&window), before);
        QVERIFY(window.isVisible());
        QCOMPARE(end.ends, 0);
    }

    // The values as stored, where the form cannot bring them: an e-mail
    // address left empty or at its placeholder. Only a value equal to its
    // placeholder is one.
    void referFriendChecksEachStoredValue_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty") << QStringList(5) << "Please Enter Your Name";
        QTest::newRow("e-mail empty, then message") << QStringList{u"Ann"_s, u""_s, u""_s, u"Bob"_s, u""_s} << "Please Enter Your Email";
        QTest::newRow("e-mail at its placeholder") << QStringList{u"Ann"_s, u"Your Email Address"_s, u"m"_s, u"Bob"_s, u"b@c.d"_s}
                                                   << "Please Enter Your Email";
        QTest::newRow("friend's name before friend's e-mail") << QStringList{u"Ann"_s, u"a@b.c"_s, u"m"_s, u""_s, u""_s}
                                                              << "Please Enter Your Friend's Name";
        QTest::newRow("friend's e-mail empty") << QStringList{u"Ann"_s, u"a@b.c"_s, u"m"_s, u"Bob"_s, u""_s}
                                               << "Please Enter Your Friend's Email";
        QTest::newRow("friend's e-mail at its placeholder") << QStringList{u"Ann"_s, u"a@b.c"_s, u"m"_s, u"Bob"_s, u"Friend's Email Address"_s}
                                                            << "Please Enter Your Friend's Email";
        QTest::newRow("a placeholder and a blank is a value") << QStringList{u"Your Name "_s, u"a@b"_s, u"m"_s, u"Bob"_s, u"b@c"_s} << "";
    }
    void referFriendChecksEachStoredValue()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        ModalWatcher modals;
        UrlCatcher pages;
        modTellAFriend::referValues() = {values[0], values[1], values[2], values[3], values[4]};
        modTellAFriend::ReferFriend();
        QCOMPARE(modals.texts, QStringList(!message.isEmpty(), message));
        QCOMPARE(modals.icons, QList<QMessageBox::Icon>(!message.isEmpty(), QMessageBox::Critical));
        QCOMPARE(modals.titles, QStringList(!message.isEmpty(), u"Numensight"_s));
        QCOMPARE(pages.addresses.size(), qsizetype(message.isEmpty()));
    }

    // A browser takes an address of at most 128 KiB: a longer request opens
    // nothing, and the player is told instead of left waiting.
    void aRequestTooLongToSendIsRefusedWithAMessage()
    {
        frmExitScreen window(m_random, m_end);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalWatcher modals;
        UrlCatcher pages;
        control<QLineEdit>(&window, "txtName")->setText(QString(30000, u'\u00FC'));
        control<QLineEdit>(&window, "txtEmail")->setText(u"a@b.c"_s);
        control<QLineEdit>(&window, "txtFriendName")->setText(u"Zoe"_s);
        control<QLineEdit>(&window, "txtFriendEmail")->setText(u"z@b.c"_s);
        QTest::mouseClick(control(&window, "cmdSubmit"), Qt::LeftButton);
        QCOMPARE(modals.texts, QStringList{u"What You Have Entered Is Too Long To Send"_s});
        QCOMPARE(modals.icons, QList<QMessageBox::Icon>{QMessageBox::Critical});
        QCOMPARE(modals.titles, QStringList{u"Numensight"_s});
        QCOMPARE(pages.addresses, QStringList());
        // The limit holds for the address as handed over, each "ü" six bytes
        // of it: one byte more than a browser takes is refused.
        const QString rest = u"&taf2=a%40b.c&taf3=Your%20Message%0D%0A&taf4=Zoe&taf5=z%40b.c"_s;
        const qsizetype room = 128 * 1024 - 1 - referAddress(u"taf1="_s + rest).size();
        const QString longest = QString(room / 6, u'\u00FC') + QString(room % 6, u'n');
        for (const QString &name : {longest + u'n', longest}) {
            control<QLineEdit>(&window, "txtName")->setText(name);
            QTest::mouseClick(control(&window, "cmdSubmit"), Qt::LeftButton);
        }
        QCOMPARE(modals.texts.size(), 2);
        QCOMPARE(pages.addresses, QStringList{referAddress(u"taf1="_s + QUrl::toPercentEncoding(longest) + rest)});
    }

    // The check box opens the home page on each click and never stays
    // checked; the hidden Exit buttons never take the focus; Escape leaves
    // the window open, E&xit (by its access key or a click) and the close
    // box end the program.
    void linksAndWaysOut()
    {
        frmExitScreen window(m_random, m_end);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (const char *hidden : {"cmdExit_0", "cmdExit_1", "cmdExit_2"})
            QVERIFY(!control(&window, hidden)->isVisibleTo(&window));
        control(&window, "Check1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control(&window, "Check1"), Qt::Key_Tab);
        QCOMPARE(window.focusWidget(), control(&window, "txtName"));
        UrlCatcher pages;
        for (const char *link : {"Check1", "Check1", "lblGoToHome"})
            QTest::mouseClick(control(&window, link), Qt::LeftButton);
        QVERIFY(!control<QAbstractButton>(&window, "Check1")->isChecked());
        QCOMPARE(pages.addresses, QStringList({"http://" NUMENSIGHT_MAIN_HOST, "http://" NUMENSIGHT_MAIN_HOST,
                                               "http://" NUMENSIGHT_MAIN_HOST "/gladesoftwares"}));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QCOMPARE(m_end.ends, 0);
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(m_end.ends, 1);
        QTest::mouseClick(control(&window, "cmdClose"), Qt::LeftButton);
        QCOMPARE(m_end.ends, 2);
        QVERIFY(window.close());
        QCOMPARE(m_end.ends, 3);
    }

    // The message box, no line edit, keeps of a paste what a line edit would:
    // laying out megabytes would freeze the window.
    void messageBoxKeepsALineEditsRoom()
    {
        frmExitScreen window(m_random, m_end);
        auto *box = control<QPlainTextEdit>(&window, "txtMessage");
        QGuiApplication::clipboard()->setText(QString(40000, u'x'));
        box->selectAll();
        box->paste();
        QCOMPARE(box->toPlainText(), QString(32767, u'x'));
    }
};

QTEST_MAIN(TestExitWindow)
#include "tst_exitwindow.moc"
