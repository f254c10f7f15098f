// Moving between the two games: each keeps its board, both show the one credit, the first
// switch loads slot 1 after the slot in use has been saved, and closing keno20 ends the machine.
#include <QTest>

#include "tests/keno20/Keno20WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

bool SwitchTo20(Keno20Rig& rig) { return ClickNamed(rig.Machine().K22(), "btn20ball"); }
bool SwitchTo22(Keno20Rig& rig) { return ClickNamed(rig.Window(), "btkeno22"); }

QString Credit22(Keno20Rig& rig) { return TextOf(rig.Machine().K22(), "panelbank"); }

bool Marked22(Keno20Rig& rig, int number) {
    auto* square = Find<BoardSquare>(rig.Machine().K22(), QStringLiteral("a_%1").arg(number));
    return square && square->view().picture != SquarePicture::None;
}

}  // namespace

class Keno20SwitchTest : public QObject {
    Q_OBJECT
private slots:
    void switchingKeepsBothBoards();
    void bothGamesShowTheOneCredit();
    void firstSwitchSavesTheSlotInUseThenLoadsSlotOne();
    void laterSwitchesChangeNoMeter();
    void switchStopsTheHitBlinkButNotTheRowFlash();
    void closingTheWindowEndsTheMachine();
};

void Keno20SwitchTest::switchingKeepsBothBoards() {
    Keno20Rig rig(nullptr, {{"bank", "100"}, {"coinsbet", "1"}});
    QVERIFY(rig.Machine().Start());
    QVERIFY(ClickSquares(rig.Machine().K22(), {5, 6}));
    QVERIFY(Marked22(rig, 5) && Marked22(rig, 6));
    QVERIFY(SwitchTo20(rig));
    QVERIFY(QTest::qWaitForWindowExposed(rig.Window()));
    QVERIFY(!rig.Machine().K22()->isVisible());
    QVERIFY(rig.Mark({30, 31, 32}));
    for (int round = 0; round < 2; ++round) {
        QVERIFY(SwitchTo22(rig));
        QVERIFY(rig.Machine().K22()->isVisible() && !rig.Window()->isVisible());
        QCOMPARE(rig.State().activegame, std::string("game1"));
        QVERIFY(Marked22(rig, 5) && Marked22(rig, 6) && !Marked22(rig, 30));
        QVERIFY(SwitchTo20(rig));
        QVERIFY(rig.Window()->isVisible() && !rig.Machine().K22()->isVisible());
        QCOMPARE(rig.State().activegame, std::string("game2"));
        QVERIFY(rig.Marked(30) && rig.Marked(31) && rig.Marked(32) && !rig.Marked(5));
        QCOMPARE(rig.Text("spts"), QStringLiteral("3"));
        QCOMPARE(rig.PayTable().front(), QStringLiteral("2:2"));
    }
}

void Keno20SwitchTest::bothGamesShowTheOneCredit() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    rig.Coins(2);
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("40"));
    QVERIFY(SwitchTo22(rig));
    QCOMPARE(rig.State().bank, 40);
    QTest::qWait(50);
    QCOMPARE(Credit22(rig), QStringLiteral("40"));
    // keno22 opened with no credit; the coins inserted in the other game unlock its bet button.
    QVERIFY(rig.Machine().K22()->findChild<QWidget*>("makbet")->isEnabled());
    QVERIFY(PressNamed(rig.Machine().K22(), "coinsin"));
    QTRY_COMPARE(Credit22(rig), QStringLiteral("60"));
    QVERIFY(SwitchTo20(rig));
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("60"));
    QCOMPARE(rig.State().amountinvested, 60);
}

void Keno20SwitchTest::firstSwitchSavesTheSlotInUseThenLoadsSlotOne() {
    Keno20Rig rig(nullptr, {{"bank", "100"}, {"coinsbet", "3"}, {"currentplayer", "Ann"}, {"games", "7"}});
    rig.Machine().PutRecord(3, {{"bank", "9"}, {"currentplayer", "Bob"}});
    QVERIFY(rig.Machine().Start());
    // As if the options dialog had chosen slot 3 and Bob had played on since.
    MachineState& state = rig.State();
    state.playerslot = "3";
    state.currentplayer = "Bob";
    state.bank = 555;
    state.coinsbet = 5;
    QVERIFY(SwitchTo20(rig));
    QVERIFY(QTest::qWaitForWindowExposed(rig.Window()));
    QCOMPARE(rig.Machine().Stored(3, "bank"), QStringLiteral("555"));
    QCOMPARE(rig.Machine().Stored(3, "currentplayer"), QStringLiteral("Bob"));
    QCOMPARE(state.playerslot, std::string("1"));
    QCOMPARE(state.bank, 100);
    QCOMPARE(state.games, 7);
    QCOMPARE(state.coinsbet, 1);
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("100"));
    QCOMPARE(rig.Text("betpan"), QStringLiteral("1"));
    QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       Ann"));
}

void Keno20SwitchTest::laterSwitchesChangeNoMeter() {
    Keno20Rig rig(nullptr, {{"bank", "100"}, {"coinsbet", "3"}});
    QVERIFY(rig.Open());
    QVERIFY(rig.Bet());
    QCOMPARE(rig.State().coinsbet, 2);
    const MachineState before = rig.State();
    QVERIFY(SwitchTo22(rig));
    QVERIFY(SwitchTo20(rig));
    QVERIFY(SwitchTo22(rig));
    QVERIFY(SwitchTo20(rig));
    QCOMPARE(rig.State(), before);
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("100"));
    QCOMPARE(rig.Text("betpan"), QStringLiteral("2"));
}

void Keno20SwitchTest::switchStopsTheHitBlinkButNotTheRowFlash() {
    auto draws = std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{
        {1, 2, 3, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77}});
    Keno20Rig rig(std::move(draws));
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Mark({1, 2, 3}));
    QVERIFY(rig.Play());
    QCOMPARE(rig.Text("winnings"), QStringLiteral("45"));
    auto* timer1 = Find<QTimer>(rig.Window(), "Timer1");
    auto* timerpay = Find<QTimer>(rig.Window(), "timerpay");
    QVERIFY(timer1->isActive() && timerpay->isActive());
    QVERIFY(SwitchTo22(rig));
    QVERIFY(!timer1->isActive());
    QVERIFY(timerpay->isActive());
    QVERIFY(!rig.Window()->View().TimerRunning("Timer1"));
}

void Keno20SwitchTest::closingTheWindowEndsTheMachine() {
    Keno20Rig rig(nullptr, {{"bank", "10"}});
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Window()->close());
    QCOMPARE(rig.Machine().Exits(), 1);
    QVERIFY(rig.Machine().App().Quitting());
    QCOMPARE(rig.Machine().Stored(1, "bank"), QStringLiteral("30"));
    QCOMPARE(rig.Machine().Stored(1, "amountinvested"), QStringLiteral("20"));
}

KENO_UI_TEST_MAIN(Keno20SwitchTest)
#include "Keno20SwitchTest.moc"
