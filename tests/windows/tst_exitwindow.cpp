#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/urlcatcher.h"
#include "windows/frmexitscreen.h"
#include "windows/modtellafriend.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

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
        QCOMPARE(name->text(), modTellAFriend::NamePlaceholder);
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
        QCOMPARE(pages.addresses, QStringList{u"http://" NUMENSIGHT_MAIN_HOST "/zelk-refer-a-friend.php?"
                                              "taf1=Tom%20%26%20Jerry%3D1%2B1%20%232&taf2=t%26x%3D1%40b.c"
                                              "&taf3=Hi%0D%0Athere%3F&taf4=Zo%C3%AB&taf5=z%2B1%40b.c&taf6="_s
                                              + QUrl::toPercentEncoding(u"http://" NUMENSIGHT_MAIN_HOST "/numensight/"_s)});
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
        QCOMPARE(pages.addresses, QStringList());
    }

    // The check box opens the home page on each click and never stays
    // checked; Escape leaves the window open, E&xit and the close box end
    // the program.
    void linksAndWaysOut()
    {
        frmExitScreen window(m_random, m_end);
        window.show();
        UrlCatcher pages;
        for (const char *link : {"Check1", "Check1", "lblGoToHome"})
            QTest::mouseClick(control(&window, link), Qt::LeftButton);
        QVERIFY(!control<QAbstractButton>(&window, "Check1")->isChecked());
        QCOMPARE(pages.addresses, QStringList({"http://" NUMENSIGHT_MAIN_HOST, "http://" NUMENSIGHT_MAIN_HOST,
                                               "http://" NUMENSIGHT_MAIN_HOST "/gladesoftwares"}));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QCOMPARE(m_end.ends, 0);
        QTest::mouseClick(control(&window, "cmdClose"), Qt::LeftButton);
        QCOMPARE(m_end.ends, 1);
        QVERIFY(window.close());
        QCOMPARE(m_end.ends, 2);
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
