// The 20-ball window driven like a player, alone and beside the 22-ball game: names, load,
// a whole paid game, and the switches between the games.
#include <QPushButton>  // before UiTestSupport.h, which uses it
#include <QTest>

#include <map>
#include <memory>
#include <vector>

#include "tests/support/UiTestSupport.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

using namespace keno;
using namespace keno::uitest;

namespace {

// The machine started and switched to the 20-ball window.
class Keno20Rig {
public:
    explicit Keno20Rig(std::vector<int> draw = {}, const std::map<QString, QString>& slot1 = {})
        : rig_(draw.empty() ? nullptr : std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{draw})) {
        if (!slot1.empty()) rig_.PutRecord(1, slot1);
    }
    // Starts the machine and switches to the 20-ball window with its button.
    bool Open() { return rig_.Start() && To20(); }
    bool To20() { return ClickNamed(rig_.K22(), "btn20ball") && rig_.K20() && QTest::qWaitForWindowExposed(rig_.K20()); }
    bool To22() { return ClickNamed(Window(), "btkeno22") && rig_.K22()->isVisible(); }

    AppRig& Machine() { return rig_; }
    MachineState& State() { return rig_.State(); }
    Keno20Window* Window() const { return rig_.K20(); }
    QString Text(const QString& name) const { return TextOf(Window(), name); }
    ImageButton* Button(const QString& name) const { return Find<ImageButton>(Window(), name); }
    BoardSquare* Square(int number) const { return Find<BoardSquare>(Window(), QStringLiteral("a_%1").arg(number)); }
    bool Marked(int number) const { return Square(number)->view().picture != SquarePicture::None; }
    bool TimerActive(const char* name) const { return Find<QTimer>(Window(), name)->isActive(); }

    void Coins(int presses = 1) {
        for (int i = 0; i < presses; ++i) PressNamed(Window(), QStringLiteral("coinsin"));
    }
    // MAKE BET acts on its press once its picture is back; waits for that.
    bool Bet() { return PressNamed(Window(), "makbet") && PressOver(); }
    bool Mark(const std::vector<int>& numbers) { return ClickSquares(Window(), numbers); }
    bool Play() { return ClickNamed(Window(), QStringLiteral("start")) && rig_.WaitSettled(); }
    // The rows of the pay table as "hits:coins" texts, empty rows as ":".
    QStringList PayTable() const {
        QStringList rows;
        for (int row = 1; row <= 7; ++row)
            rows << Text(QStringLiteral("spotshit_%1").arg(row)) + u':' + Text(QStringLiteral("winns_%1").arg(row));
        return rows;
    }
    QString Meters() {
        const MachineState& s = rig_.State();
        return QStringLiteral("%1/%2 bank %3 wager %4 games %5 total %6")
            .arg(Text("lblcredit"), Text("betpan")).arg(s.bank).arg(s.wager).arg(s.games).arg(s.total);
    }

private:
    bool PressOver() {
        auto* delay = Find<QTimer>(Window(), QStringLiteral("pressdelay"));
        return delay && QTest::qWaitFor([delay] { return !delay->isActive(); }, 5000);
    }
    AppRig rig_;
};

// A draw of 20 that holds the given numbers first, then fills up from 61 on.
std::vector<int> DrawWith(std::vector<int> first) {
    for (int n = 61; first.size() < 20; ++n) first.push_back(n);
    return first;
}

}  // namespace

class Keno20WindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsSlotOneWithBetOneAndNamedControls();
    void wholeGamePaysAndFlashesItsRow();
    void switchingKeepsBothBoardsAndTheMeters();
    void bothGamesShowTheOneCredit();
};

void Keno20WindowTest::loadShowsSlotOneWithBetOneAndNamedControls() {
    Keno20Rig rig({}, {{"bank", "75"}, {"coinsbet", "4"}, {"reelspeed", "0"}, {"currentplayer", "Ann"}});
    QVERIFY(rig.Open());
    QCOMPARE(rig.Window()->objectName() + '/' + rig.Window()->windowTitle(), QStringLiteral("keno20/Current Player       Ann"));
    QCOMPARE(rig.Window()->pos(), QPoint(0, 0));
    QCOMPARE(rig.Meters(), QStringLiteral("75/1 bank 75 wager 0 games 0 total 0"));
    QVERIFY(rig.State().reelspeed == 1 && rig.State().activegame == "game2");
    QCOMPARE(rig.Text("spts") + "/" + rig.Text("hts"), QStringLiteral("0/"));
    QCOMPARE(rig.PayTable(), QStringList(7, QStringLiteral(":")));
    QVERIFY(!rig.TimerActive("Timer1") && !rig.TimerActive("timerpay"));
    QCOMPARE(Find<QTimer>(rig.Window(), "Timer1")->interval() + Find<QTimer>(rig.Window(), "timerpay")->interval(), 200 + 300);
    for (int n = 1; n <= 80; ++n) {
        QCOMPARE(rig.Square(n)->view(), SquareView{});
        QCOMPARE(rig.Square(n)->toolTip(), QStringLiteral("Click to select this number"));
    }
    const std::pair<const char*, const char*> tips[] = {
        {"coinsin", "Insert coins"}, {"makbet", "Increase or decrease your Bet"}, {"rubber", "Erase old numbers"},
        {"btnautoselect", "Select numbers automatically"}, {"start", "Play Game"},
        {"btkeno22", "22 ball keno game"}, {"mnuoptions", "Options Menu"}};
    for (const auto& [name, tip] : tips) QVERIFY2(rig.Button(name) && rig.Button(name)->toolTip() == QLatin1String(tip), name);
    for (auto [name, text] : {std::pair{"MNUhelp", "Help"}, {"mnuabout", "&about"}, {"mnuexit", "Exit"}})
        QCOMPARE(Find<QAction>(rig.Window(), name)->text(), QString::fromLatin1(text));
}

void Keno20WindowTest::wholeGamePaysAndFlashesItsRow() {
    Keno20Rig rig(DrawWith({50, 2, 3, 4}));  // four spots, three among the balls: 5 per coin on row 2
    QVERIFY(rig.Open());
    rig.Coins();
    QVERIFY(rig.Bet());
    QVERIFY(rig.Mark({1, 2, 3, 4}));
    QCOMPARE(rig.PayTable(), (QStringList{"2:4", "3:10", "4:170", ":", ":", ":", ":"}));
    QVERIFY(rig.Play());
    QCOMPARE(rig.Text("hts") + "/" + rig.Text("winnings"), QStringLiteral("3/10"));
    QCOMPARE(rig.Meters(), QStringLiteral("28/2 bank 28 wager 2 games 1 total 10"));
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
    // MAKE BET stops the flash and shows every row again.
    QTRY_VERIFY_WITH_TIMEOUT(winRow->isHidden(), 3000);
    QVERIFY(rig.Bet());
    QVERIFY(!rig.TimerActive("timerpay") && !winRow->isHidden());
    QCOMPARE(rig.PayTable(), (QStringList{"2:6", "3:15", "4:255", ":", ":", ":", ":"}));
}

void Keno20WindowTest::switchingKeepsBothBoardsAndTheMeters() {
    Keno20Rig rig({}, {{"bank", "100"}, {"coinsbet", "3"}});
    QVERIFY(rig.Machine().Start());
    QVERIFY(ClickSquares(rig.Machine().K22(), {5, 6}));
    QVERIFY(rig.To20() && !rig.Machine().K22()->isVisible());
    QVERIFY(rig.Mark({30, 31, 32}));
    QVERIFY(rig.Bet());
    const MachineState before = rig.State();
    const auto marked22 = [&](int n) { return Find<BoardSquare>(rig.Machine().K22(), QStringLiteral("a_%1").arg(n))->view().picture != SquarePicture::None; };
    QVERIFY(rig.To22() && !rig.Window()->isVisible());
    QCOMPARE(rig.State().activegame, std::string("game1"));
    QVERIFY(marked22(5) && marked22(6) && !marked22(30));
    QVERIFY(rig.To20() && !rig.Machine().K22()->isVisible());
    QCOMPARE(rig.State().activegame, std::string("game2"));
    QVERIFY(rig.Marked(30) && rig.Marked(31) && rig.Marked(32) && !rig.Marked(5));
    QCOMPARE(rig.Text("spts") + rig.PayTable().front(), QStringLiteral("32:4"));
    QCOMPARE(rig.State(), before);  // later switches change no meter
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

KENO_UI_TEST_MAIN(Keno20WindowTest)
#include "Keno20WindowTest.moc"
