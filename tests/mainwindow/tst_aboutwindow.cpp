#include "pages/publisherhosts.h"
#include "support/testmain.h"
#include "support/mainwindowfixture.h"
#include "support/urlcatcher.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>

class TestAboutWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itsLinksOpenWhileItStaysModalAndEnterOrEscapeCloseIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void itsLinksOpenWhileItStaysModalAndEnterOrEscapeCloseIt()
    {
        QFETCH(int, key);
        MainWindowFixture f;
        UrlCatcher pages;
        const QString mainSite = QStringLiteral("http://") + PublisherHosts::mainHost();
        const QString fullBrand = QStringLiteral("http://") + PublisherHosts::helpHost() + QStringLiteral("/fully-branded.html");
        QPointer<QWidget> shown;
        QStringList openedByLinks, openedByMainWindow;
        bool stillModal = false;
        bool closedByKey = false;
        QString description;
        f.modals.onOtherModal([&](QWidget *about) {
            shown = about;
            description = about->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            // A click where the player would click: on the window, whatever lies there.
            auto clickOn = [](QWidget *window, const char *name) {
                QWidget *w = control(window, name);
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, w->mapTo(window, w->rect().center()));
                QCoreApplication::processEvents();
            };
            clickOn(&f.window, "Label61");
            clickOn(&f.window, "cmdExit");
            openedByMainWindow = pages.addresses();
            clickOn(about, "lblHomePage");
            clickOn(about, "lblCoBrand");
            openedByLinks = pages.addresses();
            stillModal = about->isVisible() && QApplication::activeModalWidget() == about;
            QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : about;
            QTest::keyClick(focus, Qt::Key(key));
            closedByKey = !about->isVisible();
            if (!closedByKey)
                static_cast<QDialog *>(about)->reject();
        });
        f.get<QAction>("mnuAbout")->trigger();

        QVERIFY(openedByMainWindow.isEmpty());
        QCOMPARE(f.hooks.exitWindows, 0);
        QCOMPARE(openedByLinks, (QStringList{mainSite, fullBrand}));
        QVERIFY(stillModal);
        QVERIFY(closedByKey);
        QVERIFY2(shown.isNull(), "each showing is a window of its own, gone once closed");
        QVERIFY(description.contains(PublisherHosts::mainHost()));
        QVERIFY(f.modals.seen().empty());
    }
};

TEST_CLASS(TestAboutWindow, Widgets)
#include "tst_aboutwindow.moc"
