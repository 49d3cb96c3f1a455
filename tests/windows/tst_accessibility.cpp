#include "support/mainwindowfixture.h"
#include "support/testmain.h"

#include "mainwindow/frmabout.h"
#include "shell/frmexitscreen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {
QAccessible::Role roleOf(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->role();
}

QString nameOf(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

// Every control that shows text or takes a click or typing has a name.
QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(QLatin1String("qt_"))) // Qt's own parts
            continue;
        const auto *label = qobject_cast<QLabel *>(w);
        const bool speaks = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
            || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w)
            || (label && !label->text().isEmpty());
        if (speaks && nameOf(w).trimmed().isEmpty())
            unnamed << w->objectName() + QLatin1Char(':') + QLatin1String(w->metaObject()->className());
    }
    return unnamed;
}
} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsAreNamedWithTheirRoles()
    {
        MainWindowFixture f;
        frmAbout about;
        ScriptedRandom random;
        CountingEnd end;
        frmExitScreen exitWindow(random, end);
        for (QWidget *window : {static_cast<QWidget *>(&f.window), static_cast<QWidget *>(&about),
                                static_cast<QWidget *>(&exitWindow)})
            QVERIFY2(unnamedControls(window).isEmpty(), qPrintable(unnamedControls(window).join(u' ')));
        for (int i = 0; i < 5; ++i) {
            QWidget *tile = f.get(qPrintable(QStringLiteral("lblFiveNumbers_%1").arg(i)));
            QCOMPARE(roleOf(tile), QAccessible::Button);
            QCOMPARE(nameOf(tile), QString::number(i + 1));
        }
        for (QWidget *link : {f.get("Label61"), f.get("lblFullBrand"), f.get("lblCobrand"), control(&about, "lblHomePage"),
                              control(&about, "lblCoBrand"), control(&exitWindow, "lblGoToHome")})
            QCOMPARE(roleOf(link), QAccessible::Link);
        // "&&" shows one "&".
        QVERIFY(nameOf(f.get("lblCobrand")).contains(QLatin1String("name &  link")));
    }

    // Pressing a tile through assistive technology plays like a click.
    void tilePressActionPlays()
    {
        MainWindowFixture f;
        f.click("optOption_1");
        f.click("cmdNext");
        f.type("txtNumberOfAttemp", "1");
        f.random.queue({0.0f});
        QAccessibleInterface *tile = QAccessible::queryAccessibleInterface(f.get("lblFiveNumbers_0"));
        tile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.verdicts.size(), size_t(1));
        QCOMPARE(f.book.CorrectCount(PickTheRightNumber), 1);
    }
};

TEST_CLASS(TestAccessibility, Widgets)
#include "tst_accessibility.moc"
