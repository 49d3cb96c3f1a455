#include "support/mainwindowfixture.h"
#include "support/urlcatcher.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

namespace {
// What a showing of the About window puts on screen, control by control.
QStringList contentOf(QWidget *about)
{
    QStringList content{about->windowTitle(), QStringLiteral("%1x%2").arg(about->width()).arg(about->height())};
    for (const QWidget *control : about->findChildren<QWidget *>()) {
        const QRect r = control->geometry();
        content << QStringLiteral("%1 %2 %3,%4 %5x%6 %7 %8")
                       .arg(control->objectName(), QLatin1String(control->metaObject()->className()))
                       .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                       .arg(control->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"),
                            control->property("text").toString());
    }
    return content;
}
} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensModalWithoutOwnerAndBlocksTheMainWindow()
    {
        MainWindowFixture f;
        UrlCatcher catcher;
        f.click("optOption_0");
        // Play, the banner, "&Donate" and Help, clicked where the player would.
        auto poke = [&f] {
            QWindow *main = f.window.windowHandle();
            for (const char *control : {"cmdNext", "Label61"}) {
                QWidget *w = f.get(control);
                QTest::mouseClick(main, Qt::LeftButton, {}, w->mapTo(&f.window, w->rect().center()));
            }
            auto *bar = f.get<QMenuBar>("menubar");
            for (QAction *action : {f.get<QAction>("mnuDonate"), f.get<QMenu>("mnuHelp")->menuAction()})
                QTest::mouseClick(main, Qt::LeftButton, {}, bar->mapTo(&f.window, bar->actionGeometry(action).center()));
            QCoreApplication::processEvents();
        };
        QString name;
        bool applicationModal = false;
        bool owned = true;
        bool activeModal = false;
        QString panelAfterClicks;
        bool menuOpened = true;
        qsizetype pagesOpened = -1;
        f.modals.onOtherModal([&](QWidget *about) {
            name = about->objectName();
            applicationModal = about->windowModality() == Qt::ApplicationModal;
            owned = about->parentWidget() != nullptr;
            activeModal = QApplication::activeModalWidget() == about;
            poke();
            panelAfterClicks = f.panelInFront();
            menuOpened = f.get<QMenu>("mnuHelp")->isVisible();
            pagesOpened = catcher.urls.size();
            QTest::mouseClick(about->findChild<QWidget *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        f.get<QAction>("mnuAbout")->trigger();

        // The menu handler returns only once the window has closed.
        QCOMPARE(name, QStringLiteral("frmAbout"));
        QVERIFY(applicationModal);
        QVERIFY(!owned);
        QVERIFY(activeModal);
        QCOMPARE(panelAfterClicks, QStringLiteral("fraMain"));
        QVERIFY(!menuOpened);
        QCOMPARE(pagesOpened, 0);
        QVERIFY(f.modals.seen().empty());

        // Once it is closed the same clicks reach the main window again.
        f.activate();
        poke();
        QCOMPARE(f.panelInFront(), QStringLiteral("fraNumberTest"));
        QCOMPARE(catcher.urls.size(), 2);
        QTRY_VERIFY(f.get<QMenu>("mnuHelp")->isVisible());
        f.get<QMenu>("mnuHelp")->close();
    }

    void eachShowingIsANewWindowWithTheSameContent()
    {
        MainWindowFixture f;
        std::vector<QStringList> contents;
        std::vector<QPointer<QWidget>> shown;
        std::vector<bool> marked;
        f.modals.onOtherModal([&](QWidget *about) {
            contents.push_back(contentOf(about));
            shown.emplace_back(about);
            marked.push_back(about->property("seenBefore").toBool());
            // A mark that only this instance carries, and a changed caption.
            about->setProperty("seenBefore", true);
            about->findChild<QLabel *>(QStringLiteral("lblCoBrand"))->setText(QStringLiteral("changed"));
            QTest::mouseClick(about->findChild<QWidget *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        f.get<QAction>("mnuAbout")->trigger();
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY(shown[0].isNull());
        f.activate();
        f.get<QAction>("mnuAbout")->trigger();

        QCOMPARE(shown.size(), size_t(2));
        QVERIFY(shown[1].isNull());
        QCOMPARE(marked, std::vector<bool>({false, false}));
        QCOMPARE(contents[1], contents[0]);
        QVERIFY(contents[0].join(u'\n').contains(QLatin1String(" Click here for more details.")));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(window->objectName() != QLatin1String("frmAbout"));
    }

    void closesByOkEnterEscapeAndCloseBox_data()
    {
        QTest::addColumn<QString>("how");

        QTest::newRow("OK") << "OK";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Return") << "Return";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("close box") << "close box";
    }

    void closesByOkEnterEscapeAndCloseBox()
    {
        QFETCH(QString, how);

        MainWindowFixture f;
        UrlCatcher catcher;
        int showings = 0;
        bool active = false;
        bool focusInside = false;
        bool closedAtOnce = false;
        f.modals.onOtherModal([&](QWidget *about) {
            ++showings;
            // Keys go where the player's keyboard would: the focus of the active window.
            active = QTest::qWaitForWindowActive(about);
            QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : about;
            focusInside = focus == about || about->isAncestorOf(focus);
            if (how == QLatin1String("OK"))
                QTest::mouseClick(about->findChild<QWidget *>(QStringLiteral("cmdOK")), Qt::LeftButton);
            else if (how == QLatin1String("Enter"))
                QTest::keyClick(focus, Qt::Key_Enter);
            else if (how == QLatin1String("Return"))
                QTest::keyClick(focus, Qt::Key_Return);
            else if (how == QLatin1String("Escape"))
                QTest::keyClick(focus, Qt::Key_Escape);
            else
                about->close();
            closedAtOnce = !about->isVisible();
            // Never leave the test waiting on a window that stayed open.
            if (!closedAtOnce)
                static_cast<QDialog *>(about)->reject();
        });
        f.get<QAction>("mnuAbout")->trigger();

        QCOMPARE(showings, 1);
        QVERIFY(active);
        QVERIFY(focusInside);
        QVERIFY(closedAtOnce);
        QVERIFY(catcher.urls.isEmpty());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
