#include "support/files.h"
#include "support/testmain.h"
#include "support/gameprocess.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

namespace {
const QString kMainWindow = QStringLiteral("^Numensight v1\\.65$");
const QString kMessageBox = QStringLiteral("^Numensight$");
} // namespace

class TestProcessSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!GameEnvironment().hasDisplay())
            QSKIP("needs an X display; make test provides one");
    }

    // A FIFO at the settings path would hold a copy that opened it for good.
    void secondCopyIsRefusedAndLeavesTheFirstAlone()
    {
        GameEnvironment env;
        QProcess *first = env.start();
        const QStringList main = X11::waitForWindows(kMainWindow, first->processId());
        QCOMPARE(main.size(), 1);
        const QByteArray settings = QFile::encodeName(env.settingsFile());
        QVERIFY(!fileContents(env.settingsFile()).isEmpty());
        QVERIFY(QFile::remove(env.settingsFile()));
        QCOMPARE(::mkfifo(settings.constData(), 0600), 0);
        const QString geometryBefore = X11::geometry(main[0]);

        QProcess *second = env.start();
        const QStringList box = X11::waitForWindows(kMessageBox, second->processId());
        QCOMPARE(box.size(), 1);
        QVERIFY(X11::windows(kMainWindow, second->processId()).isEmpty());
        QVERIFY(X11::activate(box[0]));
        QVERIFY(X11::press(QStringLiteral("Return")));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(X11::windows(kMainWindow, first->processId()), main);
        QCOMPARE(X11::geometry(main[0]), geometryBefore);
        struct stat st;
        QVERIFY(::lstat(settings.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        first->kill();
        first->waitForFinished();
    }

    // Ending a refused copy after OK is the first test's business; here only
    // the outcome of the race counts.
    void simultaneousStartsLeaveExactlyOneRunning()
    {
        GameEnvironment env;
        std::vector<QProcess *> copies;
        for (int i = 0; i < 4; ++i)
            copies.push_back(env.start());
        QVERIFY(!X11::waitForWindows(kMainWindow).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(X11::windows(kMessageBox).size(), qsizetype(3), 30000);
        QCOMPARE(X11::windows(kMainWindow).size(), qsizetype(1));
        for (QProcess *copy : copies)
            QCOMPARE(copy->state(), QProcess::Running);
        for (QProcess *copy : copies) {
            copy->kill();
            copy->waitForFinished();
        }
    }
};

TEST_CLASS(TestProcessSingleInstance, Core)
#include "tst_process_singleinstance.moc"
