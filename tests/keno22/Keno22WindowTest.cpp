// The 22-ball window driven like a player: names, first run, a whole game, the offer, the
// refused extra balls and shut-down in mid-draw.
#include <QElapsedTimer>
#include <QMenuBar>

#include <functional>

#include "keno22/Keno22Window.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/BallWidget.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kFour{10, 20, 30, 40};

// Where ball `position` rests in the rack, in face pixels.
QRect RackSlot(Keno22Rig& rig, int position) {
    const int left = position % 2 == 1 ? Keno22Game::kLeftOdd : Keno22Game::kLeftEven;
    const int top = Keno22Game::kRackBottom - (position > 20 ? 0 : 500 * ((position - 1) / 2));
    return Find<TwipFace>(rig.Window(), QStringLiteral("face"))->toPixels(keno22face::BallTwips(left, top));
}

}  // namespace

class Keno22WindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsNamedControlsAndAnEmptyMachine();
    void wholeGameShowsTheDrawAndTheCredit();
    void eraseHidesItsPictureUntilTheNextTick();
    void offerAnsweredBothWays();
    void refusedExtraBallsReachABox();
    void shutdownFromInsideAMessageOfTheDraw();
};

void Keno22WindowTest::firstRunShowsNamedControlsAndAnEmptyMachine() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    const QString offer = QStringLiteral("When flashing , cluick for extra balls ( costs an extra bet )");
    const std::pair<const char*, QString> rows[] = {
        {"btnautoselect", "Select number automatically"}, {"rubber", "Erase numbers"}, {"coinsin", "Insert Coins"},
        {"start", "Play the game"}, {"mnuoptions", "Options Menu"}, {"mnupayouts", "Pay Schedule"},
        {"btn20ball", "20 Ball keno Game"}, {"xtraballs", offer}, {"flash", offer},
        {"takwin", "Take win instead of paying for extra balls"}, {"makbet", ""}, {"panelbank", ""}, {"betpan", ""},
        {"spts", ""}, {"hts", ""}, {"winnings", ""}, {"a_1", "Click to select this number"},
        {"a_80", "Click to select this number"}, {"ball_1", ""}, {"ball_22", ""}};
    for (const auto& [name, tip] : rows) {
        QWidget* control = Find(rig.Window(), QString::fromLatin1(name));
        QVERIFY2(control && control->toolTip() == tip, name);
    }
    for (auto [name, text] : {std::pair{"mnexit", "Exit"}, {"mnabout", "About"}, {"MNUhelp", "Help"}}) {
        auto* action = Find<QAction>(rig.Window(), QString::fromLatin1(name));
        QVERIFY2(action && action->text() == QLatin1String(text), name);
        QVERIFY(rig.Window()->menuBar()->actions().contains(action));
    }
    QCOMPARE(rig.Window()->objectName() + '/' + rig.Window()->windowTitle(), QStringLiteral("keno22/Current Player       "));
    QCOMPARE(rig.Text("panelbank") + rig.Text("betpan"), QStringLiteral("00"));
    QCOMPARE(rig.Wrong({"makbet", "start", "rubber", "flash", "xtraballs", "takwin"}, false) +
                 rig.Wrong({"coinsin", "btnautoselect", "btn20ball", "mnuoptions", "mnupayouts"}, true), QString());
    QCOMPARE(rig.State().activegame + rig.State().playerslot, std::string("game11"));
    QCOMPARE(rig.State().reelspeed, std::int16_t{1});
    for (int n = 1; n <= 80; ++n) QCOMPARE(rig.Square(n)->view(), SquareView{});
    for (int i = 1; i <= 22; ++i) QVERIFY(!rig.Ball(i)->isVisible());
    for (auto [name, interval, active] : {std::tuple{"Timer1", 200, false}, {"tmrflash", 200, false},
                                          {"tmrshowbuttons", 100, false}}) {
        QCOMPARE(Find<QTimer>(rig.Window(), QString::fromLatin1(name))->interval(), interval);
        QCOMPARE(rig.TimerActive(name), active);
    }
}

void Keno22WindowTest::wholeGameShowsTheDrawAndTheCredit() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"reelspeed", "10"}});
    QVERIFY(rig.Start());
    rig.Fund(3);
    rig.Mark({5, 17});
    const std::vector<int> draw = DrawOf({44, 5, 61, 17}, {5, 17});
    rig.NextDraw(draw);
    rig.Click("start");
    QTRY_VERIFY(rig.Window()->Game().Running() && rig.Ball(1)->isVisible());
    QVERIFY(rig.Settled());
    for (auto [label, text] : {std::pair{"panelbank", "62"}, {"winnings", "45"}, {"hts", "2"}, {"spts", "2"}})
        QCOMPARE(rig.Text(label), QString::fromLatin1(text));
    for (int i = 1; i <= 20; ++i) {
        auto* ball = qobject_cast<BallWidget*>(rig.Ball(i));
        QVERIFY(ball->isVisible());
        QCOMPARE(ball->number(), draw[static_cast<std::size_t>(i - 1)]);
        QCOMPARE(ball->geometry(), RackSlot(rig, i));
        QCOMPARE(rig.Square(ball->number())->view().text, SquareText::OrangeRed);
    }
    QVERIFY(!rig.Ball(21)->isVisible() && !rig.Ball(22)->isVisible());
    QVERIFY(rig.TimerActive("Timer1"));  // the hits blink until the next game
    QCOMPARE(rig.Wrong({"coinsin", "makbet", "start", "rubber", "btn20ball", "btnautoselect", "mnuoptions", "mnupayouts"}, true) +
                 rig.Wrong({"takwin", "xtraballs", "flash"}, false), QString());
}

// tmrshowbuttons runs only while ERASE's picture is away, and brings it back within its 100 ms.
void Keno22WindowTest::eraseHidesItsPictureUntilTheNextTick() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1);
    rig.Mark({5, 17, 33});
    ImageButton* erase = rig.Button("rubber");
    for (int press = 0; press < 2; ++press) {
        QVERIFY(erase->isEnabled() && !rig.TimerActive("tmrshowbuttons"));
        QElapsedTimer clock;
        clock.start();
        rig.Click("rubber");
        QVERIFY(erase->imageHidden() && rig.TimerActive("tmrshowbuttons"));
        QTRY_VERIFY(!erase->imageHidden());
        QVERIFY2(clock.elapsed() >= 90, "the picture stays away for one tick");
        QVERIFY(!rig.TimerActive("tmrshowbuttons"));
        rig.Mark({5, 17});
    }
}

void Keno22WindowTest::offerAnsweredBothWays() {
    for (bool extraBalls : {false, true}) {
        Keno22Rig rig;
        QVERIFY(rig.Start());
        rig.Fund(2);
        rig.Mark(kFour);
        QVERIFY(rig.Play(DrawOf({10, 20, 30}, kFour, {77, 40})));
        QCOMPARE(rig.Text("winnings") + "/" + rig.Text("panelbank"), QStringLiteral("16/18"));
        // The two pictures of the offer button take turns at one place.
        ImageButton* extra = rig.Button("xtraballs");
        ImageButton* flash = rig.Button("flash");
        QCOMPARE(extra->geometry(), flash->geometry());
        QTRY_VERIFY(flash->isVisible() && !extra->isVisible());
        QTRY_VERIFY(extra->isVisible() && !flash->isVisible());
        extraBalls ? rig.ClickOffer() : rig.Click("takwin");
        QVERIFY(rig.Settled());
        QCOMPARE(rig.Text("hts") + "/" + rig.Text("winnings") + "/" + rig.Text("panelbank"),
                 extraBalls ? QStringLiteral("4/86/102") : QStringLiteral("3/16/34"));
        for (int i = 1; i <= 22; ++i) QCOMPARE(rig.Ball(i)->isVisible(), extraBalls == (i > 20));
        QVERIFY(!rig.TimerActive("tmrflash") && extra->isVisible());
        QCOMPARE(rig.Wrong({"takwin", "xtraballs", "flash"}, false) + rig.Wrong({"start", "coinsin"}, true), QString());
    }
}

// Once a first game has spent the credit the extra balls are refused in a box, and the offer
// stays open for COINS and a second press.
void Keno22WindowTest::refusedExtraBallsReachABox() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "3"}, {"coinsbet", "3"}});
    QVERIFY(rig.Start());
    rig.Mark(kFour);
    QVERIFY(rig.Play(DrawOf({10, 20, 30}, kFour)));
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("0"));
    BoxAnswerer answer;
    answer.Arm();
    rig.Click("xtraballs");
    QVERIFY(rig.Settled());
    QTRY_VERIFY(answer.Answered());
    QCOMPARE(answer.Seen().size(), std::size_t{1});
    QCOMPARE(answer.Seen().front().text + '|' + answer.Seen().front().title,
             QStringLiteral("\nYou Do Not Have Enough credit  For This Bet!! Please Insert Some More Coins..| Keno"));
    QCOMPARE(answer.Seen().front().icon, QMessageBox::Warning);
    QCOMPARE(rig.Wrong({"coinsin", "xtraballs"}, true) + rig.Wrong({"takwin"}, false), QString());
}

// The reduced-bet message is raised from inside a step of PLAY; a shut-down that comes while it
// is up must not resume the draw from in there, but finish it as soon as the step returns.
void Keno22WindowTest::shutdownFromInsideAMessageOfTheDraw() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "3"}, {"coinsbet", "5"}, {"reelspeed", "20"}});
    QVERIFY(rig.Start());
    rig.Mark({1, 2});
    rig.NextDraw(DrawOf({1, 2}, {1, 2}));
    bool settledInside = true;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return QTimer::singleShot(10, answer);
        rig.Window()->SettleForShutdown();
        settledInside = !rig.Window()->Game().Running();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, answer);
    rig.Click("start");
    QTRY_VERIFY(!rig.Window()->Game().Running());
    QVERIFY(!settledInside);  // still running while the box was up
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("45"));  // 0 after the bet of 3, then 15 x 3
    QCOMPARE(rig.Ball(20)->geometry(), RackSlot(rig, 20));
    QTest::qWait(100);  // no step of the settled draw comes after
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("45"));
}

KENO_UI_TEST_MAIN(Keno22WindowTest)
#include "Keno22WindowTest.moc"
