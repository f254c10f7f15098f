// The machine shell driven like a player: start-up, every way out (menus, close boxes, signals) in
// and out of a game, an unwritable settings folder, the first switch, the screen size on a signal.
#include <QFile>

#include <csignal>
#include <cstring>

#include "DisplayDummyServer.h"
#include "shell/DisplayModes.h"
#include "tests/support/FileWatch.h"
#include "tests/support/UiTestSupport.h"

using namespace keno;
using namespace keno::uitest;

namespace {

// Tickets are 1..4; the draw's first 20 balls hit `hits` of them (balls 21, 22 miss).
std::unique_ptr<ScriptedDraws> DrawHitting(int hits) {
    std::vector<int> draw;
    for (int n = 1; n <= hits; ++n) draw.push_back(n);
    for (int n = 11; draw.size() < 22; ++n) draw.push_back(n);
    return std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{draw});
}

// Slot 1 as a player with 100 credits who bets 2, at `reelspeed` (20: a draw runs long after PLAY),
// with 1..4 marked and PLAY pressed.
bool PlayTicket(AppRig& rig, const char* reelspeed = "20") {
    rig.PutRecord(1, {{"bank", "100"}, {"coinsbet", "2"}, {"reelspeed", reelspeed}, {"currentplayer", "Ann"}});
    return rig.Start() && ClickSquares(rig.K22(), {1, 2, 3, 4}) && ClickNamed(rig.K22(), "start");
}

// Rows of a column "signal": the signals to raise, 0 for the Exit menu.
void WaysOut(std::initializer_list<int> ways) {
    QTest::addColumn<int>("signal");
    for (int way : ways) QTest::newRow(way ? strsignal(way) : "Exit menu") << way;
}

QString Stored(AppRig& rig, const QStringList& keys) {
    QStringList values;
    for (const QString& key : keys) values << rig.Stored(1, key);
    return values.join(' ');
}

}  // namespace

class AppShellTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunShowsAnEmptyMachineAndEveryExitWritesSlotOne_data() {
        QTest::addColumn<bool>("in20Ball");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("keno22 Exit menu") << false << false;
        QTest::newRow("keno22 close box") << false << true;
        QTest::newRow("keno20 Exit menu") << true << false;
        QTest::newRow("keno20 close box") << true << true;
    }
    void firstRunShowsAnEmptyMachineAndEveryExitWritesSlotOne() {
        QFETCH(bool, in20Ball);
        QFETCH(bool, closeBox);
        AppRig rig;
        QVERIFY(rig.Start() && rig.K22()->isVisible() && !rig.K20());
        QCOMPARE(rig.K22()->pos(), QPoint(0, 0));
        QCOMPARE(rig.K22()->windowTitle(), QStringLiteral("Current Player       "));
        QCOMPARE(rig.State(), (MachineState{0, 0, 0, 0, 0, 0, 1, "", "1", "game1"}));
        QVERIFY(!rig.HasRecord(1));  // nothing is written before an exit

        QVERIFY(PressNamed(rig.K22(), "coinsin"));
        if (in20Ball) QVERIFY(ClickNamed(rig.K22(), "btn20ball") && PressNamed(rig.K20(), "coinsin"));
        QWidget* window = in20Ball ? static_cast<QWidget*>(rig.K20()) : rig.K22();
        test::FileWatch watch(rig.File());
        QVERIFY(closeBox ? window->close() : TriggerAction(window, in20Ball ? "mnuexit" : "mnexit"));
        QCOMPARE(rig.Exits(), 1);
        // The whole record in one replacement of the file, nothing written into it in place.
        QCOMPARE(watch.Take(), (test::FileWatch::Counts{1, 0}));
        QVERIFY(rig.HasRecord(1));
        QCOMPARE(Stored(rig, {"bank", "reelspeed"}), QString::number(rig.State().bank) + " 1");
        rig.App().Quit(true);  // the way out runs once
        QCOMPARE(rig.Exits(), 1);
    }

    void quittingMidDrawPaysTheGame_data() { WaysOut({0, SIGTERM, SIGINT, SIGHUP}); }
    void quittingMidDrawPaysTheGame() {
        QFETCH(int, signal);
        AppRig rig(DrawHitting(2));
        QVERIFY(PlayTicket(rig));
        QTest::qWait(50);
        QVERIFY2(rig.Running(), "the draw should still be running");
        BoxAnswerer watcher;  // a box shown by mistake is seen, not hung on
        watcher.Arm(QMessageBox::Ok, 1, 20000);
        if (signal) QCOMPARE(::raise(signal), 0);
        else QVERIFY(TriggerAction(rig.K22(), "mnexit") && rig.Exited());
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), 20000);
        QVERIFY(!rig.Running() && watcher.Seen().empty());
        // 4 spots, 2 hits: twice the bet of 2.
        QCOMPARE(Stored(rig, {"bank", "wager", "total", "games", "currentplayer"}), QStringLiteral("102 2 4 1 Ann"));
    }

    void quittingWithTheOfferOpenTakesTheWin() {
        AppRig rig(DrawHitting(3));
        QVERIFY(PlayTicket(rig, "1"));
        QVERIFY(rig.WaitSettled() && rig.K22()->Game().OfferOpen());
        QCOMPARE(rig.State().bank, 98);  // the win is offered, not paid
        QVERIFY(rig.K22()->close());
        QCOMPARE(rig.Exits(), 1);
        // 4 spots, 3 hits: an offer entry worth 8 times the bet; the game counts once, like any.
        QCOMPARE(Stored(rig, {"bank", "total", "games"}), QStringLiteral("114 16 1"));
    }

    void anUnwritableFolderWarnsUnlessNobodyIsThere_data() { WaysOut({0, SIGTERM}); }
    void anUnwritableFolderWarnsUnlessNobodyIsThere() {
        QFETCH(int, signal);
        QTemporaryDir folder;  // a regular file where the settings folder should be stops even root
        QVERIFY(QFile(folder.filePath("plinx")).open(QIODevice::WriteOnly));
        const QString file = folder.filePath("plinx/keno22.ini");
        AppRig rig(nullptr, file);
        QVERIFY(rig.Start());
        BoxAnswerer answerer;
        answerer.Arm(QMessageBox::Ok, 1, 20000);
        QVERIFY(signal ? ::raise(signal) == 0 : TriggerAction(rig.K22(), "mnexit"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.Exits(), 1, 20000);
        QCOMPARE(answerer.Seen().size(), static_cast<std::size_t>(signal ? 0 : 1));
        if (signal) return;
        const SeenBox& box = answerer.Seen().front();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains("could not be saved") && box.text.contains(file), qPrintable(box.text));
    }

    void firstSwitchSavesTheSlotInUseThenLoadsSlotOne_data() {
        QTest::addColumn<int>("slot");
        QTest::newRow("playing on slot 3") << 3;
        QTest::newRow("playing on slot 1 since the last save") << 1;
    }
    void firstSwitchSavesTheSlotInUseThenLoadsSlotOne() {
        QFETCH(int, slot);
        AppRig rig;
        rig.PutRecord(1, {{"bank", "40"}, {"coinsbet", "3"}, {"currentplayer", "One"}});
        rig.PutRecord(3, {{"bank", "500"}, {"coinsbet", "2"}, {"currentplayer", "Three"}});
        QVERIFY(rig.Start());
        rig.State().playerslot = std::to_string(slot);  // what the options dialog's slot button does
        rig.App().Ledger().LoadRecord(slot);
        const std::int32_t bank = rig.State().bank + 20;
        QVERIFY(PressNamed(rig.K22(), "coinsin"));
        QVERIFY(ClickNamed(rig.K22(), "btn20ball"));
        QCOMPARE(rig.Stored(slot, "bank"), QString::number(bank));
        const MachineState& s = rig.State();
        QCOMPARE(s.playerslot + s.activegame + s.currentplayer, std::string("1game2One"));
        QCOMPARE(s.bank, slot == 1 ? 60 : 40);
    }

    // Last, as it points DISPLAY at Xorg's dummy driver, whose RandR can really change the size.
    void aSignalPutsBackTheScreenSize() {
        DisplayDummyServer server;
        if (!server.Running() && DisplayDummyServer::Required()) QFAIL(server.Problem().c_str());
        if (!server.Running()) QSKIP(("no dummy Xorg: " + server.Problem()).c_str());
        qputenv("DISPLAY", server.DisplayName().c_str());
        AppRig rig;
        QVERIFY(rig.Start());
        MODchangeRes::ChangeDisplayMode(800, 600);
        QCOMPARE(MODchangeRes::CurrentScreenSize(), std::optional<ScreenSize>(ScreenSize{800, 600}));
        QCOMPARE(::raise(SIGTERM), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), 20000);
        QCOMPARE(MODchangeRes::CurrentScreenSize(), std::optional<ScreenSize>(ScreenSize{1024, 768}));
        QVERIFY(rig.HasRecord(1));
        qunsetenv("DISPLAY");
    }
};

KENO_UI_TEST_MAIN(AppShellTest)
#include "AppShellTest.moc"
