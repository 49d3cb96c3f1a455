#pragma once

#include "game/scorebook.h"
#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"

#include <QLabel>
#include <QLineEdit>

#include <array>

// A real main window, shown and active, with a scripted random source, no
// pause, counted hooks, and a watcher that answers every modal window: a
// result window is recorded (its sentence and colour) and closed with
// TRY AGAIN once it has taken the input that waited for it.
struct MainWindowFixture
{
    ScoreBook book;
    ScriptedRandom random;
    // Stands in unless the test lends a pause of its own.
    NoPause pause;
    CountingHooks hooks;
    ModalWatcher modals;
    std::vector<std::pair<QString, QColor>> verdicts;
    // Runs as each result window shows, to look at the main window then.
    std::function<void()> atVerdict;
    frmMain window;

    // A test that watches the pause lends its own.
    explicit MainWindowFixture(Pause *lent = nullptr)
        : window(book, random, lent ? *lent : pause, hooks)
    {
        modals.onOtherModal = [this](QWidget *modal) {
            const auto *label = control<QLabel>(modal, "lblResult");
            verdicts.push_back({label->text(), label->palette().color(QPalette::WindowText)});
            if (atVerdict)
                atVerdict();
            QCoreApplication::processEvents();
            QTest::mouseClick(control(modal, "cmdTry"), Qt::LeftButton);
        };
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    template<class T = QWidget>
    T *get(const char *name)
    {
        return control<T>(&window, name);
    }
    QString text(const char *field) { return get<QLineEdit>(field)->text(); }
    void click(const char *name) { QTest::mouseClick(get(name), Qt::LeftButton); }

    // Chooses a test (0 Number Test, 1 Pick The Right Number), plays it and
    // fills its fields.
    void enter(int test, const QStringList &fields = {})
    {
        click(test == 0 ? "optOption_0" : "optOption_1");
        click("cmdNext");
        for (int i = 0; i < fields.size(); ++i)
            get<QLineEdit>(std::array{"txtRangeStart", "txtRangeEnd", "txtChuosenNumber", "txtNumberOfAttemp"}[i + test * 3])->setText(fields[i]);
    }

    // Which of the named sibling controls lies in front of the others.
    QString inFront(std::initializer_list<const char *> siblings)
    {
        QString front;
        for (const QObject *child : get(*siblings.begin())->parentWidget()->children())
            for (const char *name : siblings)
                front = child->objectName() == QLatin1String(name) ? child->objectName() : front;
        return front;
    }
};
