// Whole games on the 22-ball window: PLAY through the draw to the posted result, the offer
// answered both ways, the refusals of PLAY and of the extra balls, and settling for shut-down.
#include <QTimer>

#include <functional>
#include <set>

#include "keno22/Keno22Game.h"
#include "keno22/Keno22WindowImpl.h"
#include "shell/PacedRunner.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/BallWidget.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

namespace {

// Where ball `position` rests in the rack, in face pixels.
QRect RackSlot(Keno22Rig& rig, int position, int top) {
    auto* face = Find<TwipFace>(rig.Window(), QStringLiteral("face"));
    const int left = position % 2 == 1 ? Keno22Game::kLeftOdd : Keno22Game::kLeftEven;
    return face->toPixels(keno22face::BallTwips(left, top));
}

int RowTop(int position) { return Keno22Game::kRackBottom - 500 * ((position - 1) / 2); }

bool TimerActive(Keno22Rig& rig, const char* name) {
    auto* timer = Find<QTimer>(rig.Window(), QString::fromLatin1(name));
    return timer && timer->isActive();
}

const std::vector<int> kFour{10, 20, 30, 40};

}  // namespace

class Keno22WindowGameTest : public QObject {
    Q_OBJECT
private slots:
    void winningGameSettlesAtOnce();
    void playWithoutCreditIsRefused();
    void offerAnsweredByTakingTheWin();
    void offerAnsweredWithExtraBalls();
    void extraBallsRefusedUntilCoins();
    void drawAnimatesAndKeepsTheTicket();
    void shutdownSettlesARunningDrawAndAnOpenOffer();
    void shutdownFromInsideAMessageOfTheDraw();
    void switchesToThe20BallGame();
};

void Keno22WindowGameTest::winningGameSettlesAtOnce() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1, 3);
    rig.Mark({5, 17});
    const std::vector<int> draw = DrawOf({44, 5, 61, 17}, {5, 17});
    QVERIFY(rig.Play(draw));

    QCOMPARE(rig.Text("panelbank"), QStringLiteral("62"));
    QCOMPARE(rig.Text("winnings"), QStringLiteral("45"));
    QCOMPARE(rig.Text("hts"), QStringLiteral("2"));
    QCOMPARE(rig.Text("spts"), QStringLiteral("2"));
    QCOMPARE(rig.State().games, 1);
    QCOMPARE(rig.State().wager, 3);
    QCOMPARE(rig.State().total, 45);
    QCOMPARE(rig.State().reelspeed, std::int16_t{0});
    for (int i = 1; i <= 20; ++i) {
        auto* ball = qobject_cast<BallWidget*>(rig.Ball(i));
        QVERIFY(ball->isVisible());
        QCOMPARE(ball->number(), draw[static_cast<std::size_t>(i - 1)]);
        QCOMPARE(ball->geometry(), RackSlot(rig, i, RowTop(i)));
        const SquareView& square = rig.Square(ball->number())->view();
        QCOMPARE(square.text, SquareText::OrangeRed);
        // A hit square blinks between its hit picture and a black background.
        if (ball->number() != 5 && ball->number() != 17) QCOMPARE(square.background, SquareBackground::White);
    }
    QVERIFY(!rig.Ball(21)->isVisible() && !rig.Ball(22)->isVisible());
    QCOMPARE(rig.Square(1)->view(), SquareView{});
    QVERIFY(TimerActive(rig, "Timer1"));  // the hits blink until the next game
    for (const char* on : {"coinsin", "makbet", "start", "rubber", "btn20ball", "btnautoselect", "mnuoptions",
                           "mnupayouts"}) {
        QVERIFY2(rig.Enabled(on), on);
    }
    for (const char* off : {"takwin", "xtraballs", "flash"}) QVERIFY2(!rig.Enabled(off), off);
    QVERIFY(!rig.Button("start")->imageHidden());
}

void Keno22WindowGameTest::playWithoutCreditIsRefused() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "1"}, {"coinsbet", "1"}});
    QVERIFY(rig.Start());
    rig.Mark({1, 2});
    QVERIFY(rig.Play(DrawOf({}, {1, 2})));
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("0"));
    QVERIFY(rig.Enabled("start"));

    BoxAnswerer answer;
    answer.Arm();
    rig.Click("start");
    QVERIFY(rig.Settled());
    QTRY_VERIFY(answer.Answered());
    const SeenBox& box = answer.Seen().front();
    QCOMPARE(box.text, QStringLiteral("You Have No credit !! Click On COINS Button For more credit"));
    QCOMPARE(box.title, QStringLiteral("K E N O 22"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(rig.State().games, 1);
    QCOMPARE(rig.Text("hts"), QString());
}

void Keno22WindowGameTest::offerAnsweredByTakingTheWin() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1, 2);
    rig.Mark(kFour);
    QVERIFY(rig.Play(DrawOf({10, 20, 30}, kFour)));

    QCOMPARE(rig.Text("winnings"), QStringLiteral("16"));
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("18"));
    for (const char* on : {"takwin", "xtraballs", "flash"}) QVERIFY2(rig.Enabled(on), on);
    for (const char* off : {"start", "coinsin", "makbet", "rubber", "btn20ball", "btnautoselect", "mnuoptions",
                            "mnupayouts"}) {
        QVERIFY2(!rig.Enabled(off), off);
    }
    QVERIFY(TimerActive(rig, "tmrflash"));
    // The two pictures of the offer button take turns at one place.
    ImageButton* extra = rig.Button("xtraballs");
    ImageButton* flash = rig.Button("flash");
    QCOMPARE(extra->geometry(), flash->geometry());
    QTRY_VERIFY(flash->isVisible() && !extra->isVisible());
    QTRY_VERIFY(extra->isVisible() && !flash->isVisible());

    rig.Click("takwin");
    QVERIFY(rig.Settled());
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("34"));
    QCOMPARE(rig.Text("winnings"), QStringLiteral("16"));
    QCOMPARE(rig.State().total, 16);
    QCOMPARE(rig.State().games, 0);
    QVERIFY(!TimerActive(rig, "tmrflash"));
    QVERIFY(extra->isVisible());
    for (const char* off : {"takwin", "xtraballs", "flash"}) QVERIFY2(!rig.Enabled(off), off);
    for (const char* on : {"start", "coinsin", "makbet", "rubber", "btnautoselect"}) QVERIFY2(rig.Enabled(on), on);
}

void Keno22WindowGameTest::offerAnsweredWithExtraBalls() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1, 2);
    rig.Mark(kFour);
    const std::vector<int> draw = DrawOf({10, 20, 30}, kFour, {77, 40});
    QVERIFY(rig.Play(draw));
    QCOMPARE(rig.Text("winnings"), QStringLiteral("16"));

    ImageButton* offer = rig.Button("xtraballs")->isVisible() ? rig.Button("xtraballs") : rig.Button("flash");
    QTest::mouseClick(offer, Qt::LeftButton, {}, offer->rect().center());
    QVERIFY(!rig.Enabled("takwin"));
    QVERIFY(rig.Settled());

    QCOMPARE(rig.Text("hts"), QStringLiteral("4"));
    QCOMPARE(rig.Text("winnings"), QStringLiteral("86"));
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("102"));  // 20 - 2 - 2 + 86
    QCOMPARE(rig.State().wager, 2);
    QCOMPARE(rig.State().total, 86);
    for (int i = 1; i <= 20; ++i) QVERIFY(!rig.Ball(i)->isVisible());
    for (int i = 21; i <= 22; ++i) {
        auto* ball = qobject_cast<BallWidget*>(rig.Ball(i));
        QVERIFY(ball->isVisible());
        QCOMPARE(ball->number(), draw[static_cast<std::size_t>(i - 1)]);
        QCOMPARE(ball->geometry(), RackSlot(rig, i, Keno22Game::kRackBottom));
    }
    QCOMPARE(rig.Square(77)->view().background, SquareBackground::White);
    for (const char* off : {"takwin", "xtraballs", "flash"}) QVERIFY2(!rig.Enabled(off), off);
    QVERIFY(rig.Enabled("start"));
}

void Keno22WindowGameTest::extraBallsRefusedUntilCoins() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "3"}, {"coinsbet", "3"}});
    QVERIFY(rig.Start());
    rig.Mark(kFour);
    QVERIFY(rig.Play(DrawOf({10, 20, 30}, kFour)));
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("0"));
    QCOMPARE(rig.Text("winnings"), QStringLiteral("24"));

    BoxAnswerer answer;
    answer.Arm();
    rig.Click("xtraballs");
    QVERIFY(rig.Settled());
    QTRY_VERIFY(answer.Answered());
    const SeenBox& box = answer.Seen().front();
    QCOMPARE(box.text, QStringLiteral("\nYou Do Not Have Enough credit  For This Bet!! Please Insert Some More Coins.."));
    QCOMPARE(box.title, QStringLiteral(" Keno"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(!TimerActive(rig, "tmrflash"));
    QVERIFY(!rig.Enabled("takwin"));
    QVERIFY(rig.Enabled("coinsin"));
    QVERIFY(rig.Enabled("xtraballs"));

    rig.Press("coinsin");
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("20"));
    for (const char* off : {"makbet", "start", "rubber"}) QVERIFY2(!rig.Enabled(off), off);
    ImageButton* offer = rig.Button("xtraballs")->isVisible() ? rig.Button("xtraballs") : rig.Button("flash");
    QTest::mouseClick(offer, Qt::LeftButton, {}, offer->rect().center());
    QVERIFY(rig.Settled());
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("41"));  // 20 - 3 + 24
    QVERIFY(rig.Enabled("start"));
}

void Keno22WindowGameTest::drawAnimatesAndKeepsTheTicket() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"reelspeed", "10"}});
    QVERIFY(rig.Start());
    rig.Fund(1, 1);
    rig.Mark({1, 2, 3});
    rig.NextDraw(DrawOf({}, {1, 2, 3}));
    // Every step the window draws moves the first ball on its way, not only into its slot.
    std::set<int> heights;
    auto* runner = Find<PacedRunner>(rig.Window(), QStringLiteral("runner"));
    QVERIFY(runner);
    QObject::connect(runner, &PacedRunner::stepped, rig.Window(), [&] {
        if (rig.Ball(1)->isVisible() && !rig.Ball(2)->isVisible()) heights.insert(rig.Ball(1)->y());
    });
    rig.Click("start");
    QTRY_VERIFY(rig.Window()->Game().Running() && rig.Ball(1)->isVisible());
    // While it runs, nothing that would change the ticket or the player can be pressed.
    for (const char* off : {"start", "coinsin", "makbet", "rubber", "btnautoselect", "mnuoptions", "btn20ball"}) {
        QVERIFY2(!rig.Enabled(off), off);
    }
    QVERIFY(rig.Settled());
    QVERIFY(heights.size() >= 10);  // top edge, below the slot, ten steps up, the fall back
    QCOMPARE(rig.Window()->Board().Picks(), (std::vector<int>{1, 2, 3}));
    QCOMPARE(rig.State().games, 1);
}

void Keno22WindowGameTest::shutdownSettlesARunningDrawAndAnOpenOffer() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"reelspeed", "20"}});
    QVERIFY(rig.Start());
    rig.Fund(1, 2);
    rig.Mark(kFour);
    rig.NextDraw(DrawOf({10, 20, 30}, kFour));
    rig.Click("start");
    QTRY_VERIFY(rig.Ball(2)->isVisible());
    rig.Window()->SettleForShutdown();
    QVERIFY(!rig.Window()->Game().Running());
    QVERIFY(!rig.Window()->Game().OfferOpen());
    // The offer of 3 of 4 was taken: 20 - 2 + 16.
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("34"));
    QCOMPARE(rig.State().total, 16);
    for (int i = 1; i <= 20; ++i) QCOMPARE(rig.Ball(i)->geometry(), RackSlot(rig, i, RowTop(i)));
    QTest::qWait(100);  // no step of the cancelled draw comes after
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("34"));
}

// The reduced-bet message is raised from inside a step of PLAY; a shut-down that comes while it
// is up must not resume the draw from in there, but finish it as soon as the step returns.
void Keno22WindowGameTest::shutdownFromInsideAMessageOfTheDraw() {
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
    QCOMPARE(rig.State().coinsbet, std::int16_t{3});
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("45"));  // 0 after the bet of 3, then 15 x 3
    QCOMPARE(rig.Ball(20)->geometry(), RackSlot(rig, 20, RowTop(20)));
}

void Keno22WindowGameTest::switchesToThe20BallGame() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Click("btn20ball");
    QTRY_VERIFY(rig.Rig().K20() && rig.Rig().K20()->isVisible());
    QVERIFY(!rig.Window()->isVisible());
    QCOMPARE(rig.State().activegame, std::string("game2"));
}

KENO_UI_TEST_MAIN(Keno22WindowGameTest)
#include "Keno22WindowGameTest.moc"
