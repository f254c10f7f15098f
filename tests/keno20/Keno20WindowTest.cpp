// The 20-ball window driven like a player: load, pay table, refusals, a whole paid game.
#include <QTest>

#include "info/AboutWindow.h"
#include "options/OptionsDialog.h"
#include "tests/keno20/Keno20WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const QString kTitle20 = QStringLiteral("KENO 20 BALL");

std::unique_ptr<ScriptedDraws> Draws(std::deque<std::vector<int>> draws) {
    return std::make_unique<ScriptedDraws>(std::move(draws));
}

// A draw of 20 that holds the given numbers first, then fills up from 61 on.
std::vector<int> DrawWith(std::vector<int> first) {
    for (int n = 61; first.size() < 20; ++n) first.push_back(n);
    return first;
}

}  // namespace

class Keno20WindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsSlotOneWithBetOne();
    void controlsCarryTheirNamesAndTips();
    void payTableFollowsMarksAndBets();
    void betCyclesUpToTheCredit();
    void refusals_data();
    void refusals();
    void playWithTwoMarksClearsTheBoard();
    void eraseWithoutCreditHasNoPressEffect();
    void wholeGamePaysAndFlashesItsRow();
    void losingGameNeitherPaysNorFlashes();
    void drawLocksTheControls();
    void shutdownSettlesARunningGame();
    void optionsAndMenuEntries();
};

void Keno20WindowTest::loadShowsSlotOneWithBetOne() {
    Keno20Rig rig(nullptr, {{"bank", "75"}, {"coinsbet", "4"}, {"reelspeed", "0"}, {"currentplayer", "Ann"}});
    QVERIFY(rig.Open());
    QCOMPARE(rig.Window()->objectName(), QStringLiteral("keno20"));
    QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       Ann"));
    QCOMPARE(rig.Window()->pos(), QPoint(0, 0));
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("75"));
    QCOMPARE(rig.Text("betpan"), QStringLiteral("1"));
    QCOMPARE(rig.State().coinsbet, 1);
    QCOMPARE(rig.State().reelspeed, 1);
    QCOMPARE(rig.Text("spts"), QStringLiteral("0"));
    QCOMPARE(rig.Text("hts"), QString());
    QCOMPARE(rig.PayTable(), QStringList(7, QStringLiteral(":")));
    for (const char* timer : {"Timer1", "timerpay"}) QVERIFY(!Find<QTimer>(rig.Window(), timer)->isActive());
    for (int n : {1, 40, 41, 80}) {
        QCOMPARE(rig.Square(n)->view(), (SquareView{SquarePicture::None, SquareBackground::Black, SquareText::Blue}));
    }
    QCOMPARE(rig.State().activegame, std::string("game2"));
}

void Keno20WindowTest::controlsCarryTheirNamesAndTips() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    const std::vector<std::pair<const char*, const char*>> tips{
        {"coinsin", "Insert coins"},       {"makbet", "Increase or decrease your Bet"},
        {"rubber", "Erase old numbers"},   {"btnautoselect", "Select numbers automatically"},
        {"start", "Play Game"},            {"btkeno22", "22 ball keno game"},
        {"mnuoptions", "Options Menu"}};
    for (const auto& [name, tip] : tips) {
        QVERIFY2(rig.Button(name), name);
        QCOMPARE(rig.Button(name)->toolTip(), QString::fromLatin1(tip));
    }
    for (int n = 1; n <= 80; ++n) QCOMPARE(rig.Square(n)->toolTip(), QStringLiteral("Click to select this number"));
    QCOMPARE(Find<QAction>(rig.Window(), "MNUhelp")->text(), QStringLiteral("Help"));
    QCOMPARE(Find<QAction>(rig.Window(), "mnuabout")->text(), QStringLiteral("About"));
    QCOMPARE(Find<QAction>(rig.Window(), "mnuexit")->text(), QStringLiteral("Exit"));
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
    QVERIFY(rig.Mark({5, 6}));
    QCOMPARE(rig.PayTable(), QStringList(7, QStringLiteral(":")));
    QVERIFY(rig.Mark({7}));
    QCOMPARE(rig.Text("spts"), QStringLiteral("3"));
    QCOMPARE(rig.PayTable(), (QStringList{"2:2", "3:45", ":", ":", ":", ":", ":"}));
    QVERIFY(rig.Bet());
    QCOMPARE(rig.Text("betpan"), QStringLiteral("2"));
    QCOMPARE(rig.PayTable(), (QStringList{"2:4", "3:90", ":", ":", ":", ":", ":"}));
    QVERIFY(rig.Mark({8}));
    QCOMPARE(rig.PayTable(), (QStringList{"2:4", "3:10", "4:170", ":", ":", ":", ":"}));
    QVERIFY(rig.Mark({8}));  // unmarking takes row 3 away again
    QCOMPARE(rig.PayTable(), (QStringList{"2:4", "3:90", ":", ":", ":", ":", ":"}));
    QVERIFY(rig.Mark({9, 10, 11, 12, 13, 14, 15}));
    QCOMPARE(rig.Text("spts"), QStringLiteral("10"));
    QCOMPARE(rig.PayTable(),
             (QStringList{"4:4", "5:10", "6:30", "7:140", "8:680", "9:6000", "10:20000"}));
    QVERIFY(rig.Erase());
    QCOMPARE(rig.Text("spts"), QStringLiteral("0"));
    QCOMPARE(rig.PayTable(), QStringList(7, QStringLiteral(":")));
    QVERIFY(!rig.Marked(9));
}

void Keno20WindowTest::betCyclesUpToTheCredit() {
    Keno20Rig rig(nullptr, {{"bank", "3"}});
    QVERIFY(rig.Open());
    QStringList bets;
    for (int i = 0; i < 4; ++i) {
        QVERIFY(rig.Bet());
        bets << rig.Text("betpan");
    }
    QCOMPARE(bets, (QStringList{"2", "3", "1", "2"}));
}

void Keno20WindowTest::refusals_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    const QString noCoins = QStringLiteral(" .....    You Have No Credit...Insert Some coins");
    QTest::newRow("square without credit") << "a_12" << "Ann" + noCoins << kTitle20 + "   Insert Coins";
    QTest::newRow("AUTO SELECT without credit") << "btnautoselect" << noCoins << kTitle20 + "   Insert Coins";
    QTest::newRow("ERASE without credit")
        << "rubber" << QStringLiteral("You Have No Credit...Insert Some coins") << QStringLiteral("K E N O");
    QTest::newRow("MAKE BET without credit")
        << "makbet" << QStringLiteral("Ann....   You Have No Credit...Click On COINS Button For Credit")
        << QStringLiteral("K E N O");
    QTest::newRow("PLAY without credit")
        << "start" << QStringLiteral("You Have No Credit...Click On COINS Button For Credit")
        << kTitle20 + "   No Credit!! ";
}

void Keno20WindowTest::refusals() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, title);
    Keno20Rig rig(nullptr, {{"currentplayer", "Ann"}});
    QVERIFY(rig.Open());
    rig.Boxes().Arm();
    if (control == QLatin1String("makbet")) {
        QVERIFY(PressNamed(rig.Window(), control));
    } else {
        QVERIFY(ClickNamed(rig.Window(), control));
    }
    QTRY_VERIFY(rig.Boxes().Answered());
    QVERIFY(rig.Machine().WaitSettled());
    QCOMPARE(rig.Boxes().Seen().size(), 1u);
    const SeenBox& box = rig.Boxes().Seen().front();
    QCOMPARE(box.text, text);
    QCOMPARE(box.title, title);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.objectName, QStringLiteral("message"));
    QCOMPARE(rig.State().games, 0);
    QCOMPARE(rig.Text("spts"), control == QLatin1String("btnautoselect") ? QString() : QStringLiteral("0"));
}

void Keno20WindowTest::playWithTwoMarksClearsTheBoard() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Mark({3, 44}));
    QVERIFY(rig.Marked(3) && rig.Marked(44));
    rig.Boxes().Arm();
    QVERIFY(rig.Play());
    QTRY_VERIFY(rig.Boxes().Answered());
    const SeenBox& box = rig.Boxes().Seen().front();
    QCOMPARE(box.text, QStringLiteral(".....   You Have To Mark A Minimum of 3 numbers first (Just Click On The "
                                      "Numbers You Want)\n(Mark Any Amount From 3 To 10)"));
    QCOMPARE(box.title, kTitle20 + "   not enough numbers !!");
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(!rig.Marked(3) && !rig.Marked(44));
    QCOMPARE(rig.Text("spts"), QStringLiteral("0"));
    QCOMPARE(rig.State().bank, 20);
    QCOMPARE(rig.State().games, 0);
    QVERIFY(!rig.Button("start")->imageHidden());
}

void Keno20WindowTest::eraseWithoutCreditHasNoPressEffect() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    rig.Boxes().Arm();
    QVERIFY(ClickNamed(rig.Window(), "rubber"));
    // The box was raised and answered inside the click: the picture never left.
    QVERIFY(rig.Boxes().Answered());
    QVERIFY(!rig.Button("rubber")->imageHidden());
}

void Keno20WindowTest::wholeGamePaysAndFlashesItsRow() {
    // Four spots, three of them among the balls: 5 coins per coin bet on row 2.
    Keno20Rig rig(Draws({DrawWith({50, 2, 3, 4})}));
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Bet());
    QVERIFY(rig.Mark({1, 2, 3, 4}));
    QVERIFY(rig.Play());
    QCOMPARE(rig.Text("hts"), QStringLiteral("3"));
    QCOMPARE(rig.Text("winnings"), QStringLiteral("10"));
    QCOMPARE(rig.State().bank, 20 - 2 + 10);
    QCOMPARE(rig.Text("lblcredit"), QStringLiteral("28"));
    QCOMPARE(rig.State().games, 1);
    QCOMPARE(rig.State().wager, 2);
    QCOMPARE(rig.State().total, 10);
    QCOMPARE(rig.Window()->PayTable().payrow(), 2);
    QCOMPARE(rig.Square(50)->view().background, SquareBackground::LightGrey);
    QCOMPARE(rig.Square(50)->view().text, SquareText::Red);
    QCOMPARE(rig.Square(1)->view().picture, SquarePicture::Marked);
    for (const char* name : {"coinsin", "makbet", "rubber", "start", "btkeno22"}) QVERIFY2(rig.Button(name)->isEnabled(), name);

    // The hit squares blink and the winning row goes out and comes back.
    QVERIFY(Find<QTimer>(rig.Window(), "Timer1")->isActive());
    QVERIFY(Find<QTimer>(rig.Window(), "timerpay")->isActive());
    auto* winRow = Find<QWidget>(rig.Window(), "winns_2");
    auto* hitsRow = Find<QWidget>(rig.Window(), "spotshit_2");
    QTRY_VERIFY_WITH_TIMEOUT(winRow->isHidden() && hitsRow->isHidden(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!winRow->isHidden() && !hitsRow->isHidden(), 3000);
    QVERIFY(!Find<QWidget>(rig.Window(), "winns_1")->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(rig.Square(2)->view().picture == SquarePicture::None, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.Square(2)->view().picture == SquarePicture::Hit, 3000);

    // MAKE BET stops the flash and shows every row again.
    QTRY_VERIFY_WITH_TIMEOUT(winRow->isHidden(), 3000);
    QVERIFY(rig.Bet());
    QVERIFY(!Find<QTimer>(rig.Window(), "timerpay")->isActive());
    QVERIFY(!winRow->isHidden());
    QCOMPARE(rig.PayTable(), (QStringList{"2:6", "3:15", "4:255", ":", ":", ":", ":"}));
}

void Keno20WindowTest::losingGameNeitherPaysNorFlashes() {
    Keno20Rig rig(Draws({DrawWith({})}));
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Mark({1, 2, 3}));
    QVERIFY(rig.Play());
    QCOMPARE(rig.Text("hts"), QString());
    QCOMPARE(rig.Text("winnings"), QString());
    QCOMPARE(rig.State().bank, 19);
    QCOMPARE(rig.State().wager, 1);
    QVERIFY(!Find<QTimer>(rig.Window(), "Timer1")->isActive());
    QVERIFY(!Find<QTimer>(rig.Window(), "timerpay")->isActive());
    // The played numbers stay; a click on the board now asks for ERASE first.
    rig.Boxes().Arm();
    QVERIFY(rig.Mark({9}));
    QTRY_VERIFY(rig.Boxes().Answered());
    QCOMPARE(rig.Boxes().Seen().front().text, QStringLiteral(".....   Have To Erase Old Numbers First"));
    QCOMPARE(rig.Boxes().Seen().front().title, kTitle20 + "   Erase old Numbers First");
    QVERIFY(rig.Erase());
    QVERIFY(rig.Mark({9}));
    QVERIFY(rig.Marked(9));
}

void Keno20WindowTest::drawLocksTheControls() {
    Keno20Rig rig(Draws({DrawWith({})}), {{"reelspeed", "20"}});
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Mark({1, 2, 3}));
    QVERIFY(ClickNamed(rig.Window(), "start"));
    QTRY_VERIFY(rig.Window()->Game().Running() && !rig.Button("start")->isEnabled());
    QVERIFY(!rig.Button("btnautoselect")->isEnabled());
    QVERIFY(!rig.Button("mnuoptions")->isEnabled());
    rig.Window()->SettleForShutdown();  // no need to sit through 8 s of balls
    QVERIFY(!rig.Window()->Game().Running());
    QCOMPARE(rig.Window()->Board().Picks(), (std::vector<int>{1, 2, 3}));
    QVERIFY(rig.Button("btnautoselect")->isEnabled());
}

void Keno20WindowTest::shutdownSettlesARunningGame() {
    Keno20Rig rig(Draws({DrawWith({1, 2, 3})}), {{"reelspeed", "20"}});
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Mark({1, 2, 3}));
    QVERIFY(ClickNamed(rig.Window(), "start"));
    QTRY_VERIFY(rig.Window()->Game().Running());
    QVERIFY(TriggerAction(rig.Window(), "mnuexit"));
    QVERIFY(rig.Machine().Exited());
    QCOMPARE(rig.State().bank, 19 + 45);
    QCOMPARE(rig.Text("winnings"), QStringLiteral("45"));
    QCOMPARE(rig.Machine().Stored(1, "bank"), QStringLiteral("64"));
    QTest::qWait(100);  // no step of the settled game comes back
    QCOMPARE(rig.State().bank, 64);
}

void Keno20WindowTest::optionsAndMenuEntries() {
    Keno20Rig rig;
    QVERIFY(rig.Open());
    QVERIFY(PressNamed(rig.Window(), "mnuoptions"));
    QTRY_VERIFY(rig.Machine().App().Options() != nullptr);
    QVERIFY(!rig.Window()->isEnabled());
    QTRY_VERIFY(!rig.Button("mnuoptions")->imageHidden());
    QWidget* options = rig.Machine().App().Options();
    QVERIFY(options->close());
    QTRY_VERIFY(rig.Window()->isEnabled() && rig.Window()->isVisible());

    rig.Boxes().Arm();
    QVERIFY(TriggerAction(rig.Window(), "MNUhelp"));
    QTRY_VERIFY(rig.Boxes().Answered());
    QVERIFY(!rig.Boxes().Seen().front().text.isEmpty());

    QVERIFY(TriggerAction(rig.Window(), "mnuabout"));
    QTRY_VERIFY(rig.Machine().App().About() != nullptr);
    QVERIFY(!rig.Machine().Exited());

    QVERIFY(TriggerAction(rig.Window(), "mnuexit"));
    QCOMPARE(rig.Machine().Exits(), 1);
    QVERIFY(rig.Machine().HasRecord(1));
}

KENO_UI_TEST_MAIN(Keno20WindowTest)
#include "Keno20WindowTest.moc"
