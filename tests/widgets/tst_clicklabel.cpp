#include "widgets/clicklabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

// Assistive technology can name, tell apart and press a clickable label as
// it would a link or a button; Qt's own label interface offers no press.
class TestClickLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressedThroughTheAccessibilityInterface_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("withBuddy");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::newRow("tile") << "3" << true << false << "3" << QAccessible::Button;
        QTest::newRow("link") << "Click Here" << false << false << "Click Here" << QAccessible::Link;
        QTest::newRow("link showing one &") << "Put your name &&  link here" << false << true
                                             << "Put your name &  link here" << QAccessible::Link;
    }
    void pressedThroughTheAccessibilityInterface()
    {
        QFETCH(QString, caption);
        QFETCH(bool, button);
        QFETCH(bool, withBuddy);
        QWidget window;
        auto *label = new ClickLabel(&window);
        label->setText(caption);
        label->setAnnouncedAsButton(button);
        if (withBuddy)
            label->setBuddy(&window);
        QSignalSpy clicks(label, &ClickLabel::clicked);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
        QVERIFY(accessible);
        QTEST(accessible->role(), "role");
        QTEST(accessible->text(QAccessible::Name), "name");
        QAccessibleActionInterface *actions = accessible->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestClickLabel)
#include "tst_clicklabel.moc"
