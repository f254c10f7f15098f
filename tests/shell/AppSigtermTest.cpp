// Termination signals take the close box's way out: the game in progress is settled, the record
// saved, and nothing waits for an answer nobody will give.
#include <QFile>

#include <csignal>

#include "tests/support/UiTestSupport.h"

using namespace keno;
using namespace keno::uitest;

namespace {

constexpr int kPatienceMs = 20000;

std::vector<int> DrawHittingTwoOfOneToFour() {
    std::vector<int> draw = {1, 2};
    for (int n = 11; draw.size() < 22; ++n) draw.push_back(n);
    return draw;
}

}  // namespace

class AppSigtermTest : public QObject {
    Q_OBJECT

private slots:
    void signalMidDrawSavesTheSettledGame_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void signalMidDrawSavesTheSettledGame() {
        QFETCH(int, signal);
        AppRig rig(std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{DrawHittingTwoOfOneToFour()}));
        rig.PutRecord(1, {{"bank", "100"}, {"coinsbet", "2"}, {"reelspeed", "20"}});
        QVERIFY(rig.Start());
        QVERIFY(ClickSquares(rig.K22(), {1, 2, 3, 4}));
        QVERIFY(ClickNamed(rig.K22(), "start"));
        QVERIFY(rig.K22()->Game().Running());

        BoxAnswerer watcher;  // answers any box, so that one shown by mistake is seen, not hung on
        watcher.Arm(QMessageBox::Ok, 1, kPatienceMs);
        QCOMPARE(::raise(signal), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), kPatienceMs);
        QVERIFY(!rig.Running());
        QCOMPARE(rig.Stored(1, "bank"), QStringLiteral("102"));
        QCOMPARE(rig.Stored(1, "games"), QStringLiteral("1"));
        QCOMPARE(rig.Stored(1, "total"), QStringLiteral("4"));
        QVERIFY(watcher.Seen().empty());
    }

    void aFailedSaveIsReportedWithoutABox() {
        QTemporaryDir folder;
        QFile blocker(folder.filePath("plinx"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        AppRig rig(nullptr, folder.filePath("plinx/keno22.ini"));
        QVERIFY(rig.Start());

        BoxAnswerer watcher;
        watcher.Arm(QMessageBox::Ok, 1, kPatienceMs);
        QCOMPARE(::raise(SIGTERM), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), kPatienceMs);
        QVERIFY(watcher.Seen().empty());
    }

    void aBoxThatIsUpIsDismissedFirst() {
        AppRig rig;
        QVERIFY(rig.Start());
        QVERIFY(PressNamed(rig.K22(), "coinsin"));
        // The game information box is modal; the signal arrives while it waits for the player.
        bool raised = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (!raised && QApplication::activeModalWidget()) {
                raised = true;
                ::raise(SIGTERM);
            }
        });
        poll.start();
        QVERIFY(TriggerAction(rig.K22(), "MNUhelp"));  // returns once the box is gone
        poll.stop();
        QVERIFY(raised);
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), kPatienceMs);
        QCOMPARE(rig.Stored(1, "bank"), QStringLiteral("20"));
    }
};

KENO_UI_TEST_MAIN(AppSigtermTest)
#include "AppSigtermTest.moc"
