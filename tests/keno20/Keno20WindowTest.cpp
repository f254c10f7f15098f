// The 20-ball window driven like a player, alone and beside the 22-ball game: names, load, pay
// table, refusals, a whole paid game, shut-down in mid-draw, and the switches between the games.
#include <QTest>

#include "tests/keno20/Keno20WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

// A draw of 20 that holds the given numbers first, then fills up from 61 on.
std::vector<int> DrawWith(std::vector<int> first) {
    for (int n = 61; first.size() < 20; ++n) first.push_back(n);
    return first;
}

bool Marked22(Keno20Rig& rig, int number) {
    auto* square = Find<BoardSquare>(rig.Machine().K22(), QStringLiteral("a_%1").arg(number));
    return square && square->view().picture != SquarePicture::None;
}

}  // namespace

class Keno20WindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsSlotOneWithBetOneAndNamedControls();
    void payTableFollowsMarksAndBets();
    void refusals_data();
    void refusals();
    void wholeGamePaysAndFlashesItsRow();
    void shutdownSettlesARunningGame();
    void switchingKeepsBothBoardsAndTheMeters();
    void bothGamesShowTheOneCredit();
    void firstSwitchSavesTheSlotInUseThenLoadsSlotOne();
};

void Keno20WindowTest::loadShowsSlotOneWithBetOneAndNamedControls() {
    Keno20Rig rig({}, {{"bank", "75"}, {"coinsbet", "4"}, {"reelspeed", "0"}, {"currentplayer", "Ann"}});
    QVERIFY(rig.Open());
    QCOMPARE(rig.Window()->objectName(), QStringLiteral("keno20"));
    QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       Ann"));
    QCOMPARE(rig.Window()->pos(), QPoint(0, 0));
    QCOMPARE(rig.Meters(), QStringLiteral("75/1 bank 75 wager 0 games 0 total 0"));
    QCOMPARE(rig.State().reelspeed, 1);
    QCOMPARE(rig.State().activegame, std::string("game2"));
    QCOMPARE(rig.Text("spts") + "/" + rig.Text("hts"), QStringLiteral("0/"));
    QCOMPARE(rig.PayTable(), QStringList(7, QStringLiteral(":")));
    QVERIFY(!rig.TimerActive("Timer1") && !rig.TimerActive("timerpay"));
    for (int n = 1; n <= 80; ++n) {
        QCOMPARE(rig.Square(n)->view(), SquareView{});
        QCOMPARE(rig.Square(n)->toolTip(), QStringLiteral("Click to select this number"));
    }
    const std::pair<const char*, const char*> tips[] = {
        {"coinsin", "Insert coins"}, {"makbet", "Increase or decrease your Bet"}, {"rubber", "Erase old numbers"},
        {"btnautoselect", "Select numbers automatically"}, {"start", "Play Game"},
        {"btkeno22", "22 ball keno game"}, {"mnuoptions", "Options Menu"}};
    for (const auto& [name, tip] : tips) {
        QVERIFY2(rig.Button(name), name);
        QCOMPARE(rig.Button(name)->toolTip(), QString::fromLatin1(tip));
    }
    for (auto [name, text] : {std::pair{"MNUhelp", "Help"}, {"mnuabout", "About"}, {"mnuexit", "Exit"}})
        QCOMPARE(Find<QAction>(rig.Window(), name)->text(), QString::fromLatin1(text));
    QCOMPARE(Find<QTimer>(rig.Window(), "Timer1")->interval(), 200);
    QCOMPARE(Find<QTimer>(rig.Window(), "timerpay")->interval(), 300);
    // The board's halves: squares 40 and 41 are a wider step apart than two rows of one half.
    const int rowStep = rig.Square(11)->y() - rig.Square(1)->y();
    QVERIFY(rig.Square(41)->y() - rig.Square(31)->y() > rowStep * 3 / 2);
    QCOMPARE(rig.Square(10)->y(), rig.Square(1)->y());
}

void Keno20WindowTest::payTableFollowsMarksAndBets() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    rig.Coins();
    const auto step = [&](std::vector<int> marks, int bets, QString spots, QStringList rows) {
        QVERIFY(rig.Mark(marks));
        for (int i = 0; i < bets; ++i) QVERIFY(rig.Bet());
        QCOMPARE(rig.Text("spts"), spots);
        QCOMPARE(rig.PayTable(), rows << QStringList(7 - rows.size(), QStringLiteral(":")));
    };
    step({5, 6}, 0, "2", {});
    step({7}, 0, "3", {"2:2", "3:45"});
    step({}, 1, "3", {"2:4", "3:90"});
    step({8}, 0, "4", {"2:4", "3:10", "4:170"});
    step({8}, 0, "3", {"2:4", "3:90"});  // unmarking takes row 3 away again
    step({9, 10, 11, 12, 13, 14, 15}, 0, "10", {"4:4", "5:10", "6:30", "7:140", "8:680", "9:6000", "10:20000"});
    QVERIFY(rig.Erase());
    QCOMPARE(rig.Text("spts"), QStringLiteral("0"));
    QCOMPARE(rig.PayTable(), QStringList(7, QStringLiteral(":")));
    QVERIFY(!rig.Marked(9));
}

void Keno20WindowTest::refusals_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    const QString noCoins = QStringLiteral(" .....    You Have No Credit...Insert Some coins");
    QTest::newRow("square without credit") << "a_12" << "Ann" + noCoins << "KENO 20 BALL   Insert Coins";
    QTest::newRow("AUTO SELECT without credit") << "btnautoselect" << noCoins << "KENO 20 BALL   Insert Coins";
    QTest::newRow("ERASE without credit") << "rubber" << "You Have No Credit...Insert Some coins" << "K E N O";
    QTest::newRow("MAKE BET without credit")
        << "makbet" << "Ann....   You Have No Credit...Click On COINS Button For Credit" << "K E N O";
    QTest::newRow("PLAY without credit")
        << "start" << "You Have No Credit...Click On COINS Button For Credit" << "KENO 20 BALL   No Credit!! ";
    QTest::newRow("PLAY on two marks") << "two marks"
        << ".....   You Have To Mark A Minimum of 3 numbers first (Just Click On The Numbers You Want)\n"
           "(Mark Any Amount From 3 To 10)" << "KENO 20 BALL   not enough numbers !!";
}

void Keno20WindowTest::refusals() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, title);
    Keno20Rig rig({}, {{"currentplayer", "Ann"}});
    QVERIFY(rig.Open());
    if (control == "two marks") {
        rig.Coins();
        QVERIFY(rig.Mark({3, 44}));
        QVERIFY(rig.Marked(3) && rig.Marked(44));
        control = "start";
    }
    rig.Boxes().Arm();
    QVERIFY(control == "makbet" ? PressNamed(rig.Window(), control) : ClickNamed(rig.Window(), control));
    if (control == "rubber") QVERIFY(rig.Boxes().Answered());  // inside the click: no press effect
    QTRY_VERIFY(rig.Boxes().Answered());
    QVERIFY(rig.Machine().WaitSettled());
    QCOMPARE(rig.Boxes().Seen().size(), 1u);
    const SeenBox& box = rig.Boxes().Seen().front();
    QCOMPARE(box.text, text);
    QCOMPARE(box.title, title);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(rig.State().games, 0);
    QCOMPARE(rig.Text("spts"), control == "btnautoselect" ? QString() : QStringLiteral("0"));
    QVERIFY(!rig.Marked(3) && !rig.Marked(44) && !rig.Marked(12));
    if (control == "rubber" || control == "start") QVERIFY(!rig.Button(control)->imageHidden());
}

void Keno20WindowTest::wholeGamePaysAndFlashesItsRow() {
    Keno20Rig rig(DrawWith({50, 2, 3, 4}));  // four spots, three among the balls: 5 per coin on row 2
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Bet());
    QVERIFY(rig.Mark({1, 2, 3, 4}));
    QVERIFY(rig.Play());
    QCOMPARE(rig.Text("hts") + "/" + rig.Text("winnings"), QStringLiteral("3/10"));
    QCOMPARE(rig.Meters(), QStringLiteral("28/2 bank 28 wager 2 games 1 total 10"));
    QCOMPARE(rig.Window()->PayTable().payrow(), 2);
    QCOMPARE(rig.Square(50)->view(), (SquareView{SquarePicture::None, SquareBackground::LightGrey, SquareText::Red}));
    QCOMPARE(rig.Square(1)->view().picture, SquarePicture::Marked);
    for (const char* name : {"coinsin", "makbet", "rubber", "start", "btkeno22"}) QVERIFY2(rig.Button(name)->isEnabled(), name);
    // The hit squares blink and the winning row goes out and comes back.
    QVERIFY(rig.TimerActive("Timer1") && rig.TimerActive("timerpay"));
    auto* winRow = Find<QWidget>(rig.Window(), "winns_2");
    auto* hitsRow = Find<QWidget>(rig.Window(), "spotshit_2");
    QTRY_VERIFY_WITH_TIMEOUT(winRow->isHidden() && hitsRow->isHidden(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!winRow->isHidden() && !hitsRow->isHidden(), 3000);
    QVERIFY(!Find<QWidget>(rig.Window(), "winns_1")->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(rig.Square(2)->view().picture == SquarePicture::None, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.Square(2)->view().picture == SquarePicture::Hit, 3000);
    // Switching away stops the hit blink but not the row flash.
    QVERIFY(rig.To22());
    QVERIFY(!rig.TimerActive("Timer1") && rig.TimerActive("timerpay"));
    QVERIFY(rig.To20());
    // MAKE BET stops the flash and shows every row again.
    QTRY_VERIFY_WITH_TIMEOUT(winRow->isHidden(), 3000);
    QVERIFY(rig.Bet());
    QVERIFY(!rig.TimerActive("timerpay") && !winRow->isHidden());
    QCOMPARE(rig.PayTable(), (QStringList{"2:6", "3:15", "4:255", ":", ":", ":", ":"}));
}

void Keno20WindowTest::shutdownSettlesARunningGame() {
    Keno20Rig rig(DrawWith({1, 2, 3}), {{"reelspeed", "20"}});
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Mark({1, 2, 3}));
    QVERIFY(ClickNamed(rig.Window(), "start"));
    QTRY_VERIFY(rig.Window()->Game().Running() && !rig.Button("btnautoselect")->isEnabled());
    QVERIFY(!rig.Button("start")->isEnabled() && !rig.Button("mnuoptions")->isEnabled());
    QVERIFY(TriggerAction(rig.Window(), "mnuexit"));
    QCOMPARE(rig.Machine().Exits(), 1);
    QCOMPARE(rig.Meters(), QStringLiteral("64/1 bank 64 wager 1 games 1 total 45"));
    QCOMPARE(rig.Machine().Stored(1, "bank"), QStringLiteral("64"));
    QTest::qWait(100);  // no step of the settled game comes back
    QCOMPARE(rig.State().bank, 64);
}

void Keno20WindowTest::switchingKeepsBothBoardsAndTheMeters() {
    Keno20Rig rig({}, {{"bank", "100"}, {"coinsbet", "3"}});
    QVERIFY(rig.Machine().Start());
    QVERIFY(ClickSquares(rig.Machine().K22(), {5, 6}));
    QVERIFY(rig.To20());
    QVERIFY(!rig.Machine().K22()->isVisible());
    QVERIFY(rig.Mark({30, 31, 32}));
    QVERIFY(rig.Bet());
    const MachineState before = rig.State();
    for (int round = 0; round < 2; ++round) {
        QVERIFY(rig.To22() && !rig.Window()->isVisible());
        QCOMPARE(rig.State().activegame, std::string("game1"));
        QVERIFY(Marked22(rig, 5) && Marked22(rig, 6) && !Marked22(rig, 30));
        QVERIFY(rig.To20() && !rig.Machine().K22()->isVisible());
        QCOMPARE(rig.State().activegame, std::string("game2"));
        QVERIFY(rig.Marked(30) && rig.Marked(31) && rig.Marked(32) && !rig.Marked(5));
        QCOMPARE(rig.Text("spts"), QStringLiteral("3"));
        QCOMPARE(rig.PayTable().front(), QStringLiteral("2:4"));
        QCOMPARE(rig.State(), before);  // later switches change no meter
    }
    QCOMPARE(rig.Meters(), QStringLiteral("100/2 bank 100 wager 0 games 0 total 0"));
}

void Keno20WindowTest::bothGamesShowTheOneCredit() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    rig.Coins(2);
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("40"));
    QVERIFY(rig.To22());
    QTRY_COMPARE(TextOf(rig.Machine().K22(), "panelbank"), QStringLiteral("40"));
    // keno22 opened with no credit; the coins inserted in the other game unlock its bet button.
    QVERIFY(EnabledNamed(rig.Machine().K22(), "makbet"));
    QVERIFY(PressNamed(rig.Machine().K22(), "coinsin"));
    QTRY_COMPARE(TextOf(rig.Machine().K22(), "panelbank"), QStringLiteral("60"));
    QVERIFY(rig.To20());
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("60"));
    QCOMPARE(rig.State().amountinvested, 60);
}

void Keno20WindowTest::firstSwitchSavesTheSlotInUseThenLoadsSlotOne() {
    Keno20Rig rig({}, {{"bank", "100"}, {"coinsbet", "3"}, {"currentplayer", "Ann"}, {"games", "7"}});
    rig.Machine().PutRecord(3, {{"bank", "9"}, {"currentplayer", "Bob"}});
    QVERIFY(rig.Machine().Start());
    MachineState& state = rig.State();  // as if the options had chosen slot 3 and Bob played on since
    state.playerslot = "3";
    state.currentplayer = "Bob";
    state.bank = 555;
    state.coinsbet = 5;
    QVERIFY(rig.To20());
    QCOMPARE(rig.Machine().Stored(3, "bank") + "/" + rig.Machine().Stored(3, "currentplayer"), QStringLiteral("555/Bob"));
    QCOMPARE(state.playerslot, std::string("1"));
    QCOMPARE(rig.Meters(), QStringLiteral("100/1 bank 100 wager 0 games 7 total 0"));
    QCOMPARE(state.coinsbet, 1);
    QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       Ann"));
}

KENO_UI_TEST_MAIN(Keno20WindowTest)
#include "Keno20WindowTest.moc"
