#include <algorithm>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "tests/keno20/GameFixture.h"

using namespace keno;

namespace {

std::vector<int> FirstNumbers(int count) {
    std::vector<int> v(static_cast<std::size_t>(count));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

const std::string kNoCredit = "You Have No Credit...Click On COINS Button For Credit";
const std::string kTooFew =
    ".....   You Have To Mark A Minimum of 3 numbers first (Just Click On The Numbers You Want)"
    "\r(Mark Any Amount From 3 To 10)";

struct Refusal {
    const char* name;
    int bank;
    int bet;
    int spots;
    std::string text;
    std::string title;
    bool clearsBoard;
};

class RefusedPlay : public GameTest, public ::testing::WithParamInterface<Refusal> {};

}  // namespace

TEST_P(RefusedPlay, ShowsItsMessageAndPlaysNothing) {
    const Refusal& c = GetParam();
    Mark(FirstNumbers(c.spots));
    state.bank = c.bank;
    state.coinsbet = static_cast<std::int16_t>(c.bet);
    view.SetText("winns_1", "x");
    table.StartRowFlash();

    const auto pauses = RunPaced();

    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0], (Message{c.text, c.title, Icon::Critical, Buttons::Ok, Answer::Ok}));
    EXPECT_EQ(pauses, (std::vector<int>{0, 100}));
    EXPECT_FALSE(game.Running());
    EXPECT_EQ(state.bank, c.bank);
    EXPECT_EQ(state.games, 0);
    EXPECT_EQ(state.wager, 0);
    EXPECT_FALSE(board.mustErase());
    EXPECT_TRUE(sound.cues.empty());
    EXPECT_EQ(random.reseeds, 0);
    EXPECT_FALSE(view.TimerRunning("timerpay"));
    EXPECT_TRUE(view.Visible("start"));
    for (const char* control : Keno20Game::kLockedControls) EXPECT_TRUE(view.Enabled(control)) << control;
    if (c.clearsBoard) {
        EXPECT_EQ(board.spots(), 0);
        EXPECT_TRUE(board.Picks().empty());
        EXPECT_EQ(view.Square(1).picture, SquarePicture::None);
        EXPECT_EQ(view.Text("spts"), "0");
        EXPECT_EQ(view.Text("winns_1"), "");
    } else {
        EXPECT_EQ(board.Picks(), FirstNumbers(c.spots));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Admission, RefusedPlay,
    ::testing::Values(Refusal{"NoCredit", 0, 1, 3, kNoCredit, "KENO 20 BALL   No Credit!! ", false},
                      Refusal{"TwoSpots", 100, 1, 2, kTooFew, "KENO 20 BALL   not enough numbers !!", true},
                      Refusal{"NoBet", 100, 0, 3, kTooFew, "KENO 20 BALL   not enough numbers !!", true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(GameTest, ShortCreditReducesTheBetAndPlaysForWhatIsLeft) {
    state.bank = 3;
    state.coinsbet = 5;
    PlayGame({1, 2, 3}, {});

    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0].text,
              ".....You Do Not Have Enough Credit For This Bet,\rYour Bet Has Been Reduced Accordingly");
    EXPECT_EQ(messenger.shown[0].title, "KENO 20 BALL   Bet Reduced");
    EXPECT_EQ(messenger.shown[0].icon, Icon::Critical);
    EXPECT_EQ(state.coinsbet, 3);
    EXPECT_EQ(state.bank, 0);
    EXPECT_EQ(state.wager, 3);
    EXPECT_EQ(state.games, 1);
    EXPECT_EQ(view.Text("betpan"), "3");
    EXPECT_EQ(view.Text("lblcredit"), "0");
    EXPECT_EQ(view.Text("winns_1"), "6");
    EXPECT_EQ(view.Text("winns_2"), "135");
}

struct Win {
    int spots;
    int hits;
    int bet;
    int coins;
    Cue cue;
    int row;
};

class WinningGame : public GameTest, public ::testing::WithParamInterface<Win> {};

TEST_P(WinningGame, PaysAnnouncesAndFlashesItsRow) {
    const Win& c = GetParam();
    state.coinsbet = static_cast<std::int16_t>(c.bet);
    PlayGame(FirstNumbers(c.spots), FirstNumbers(c.hits));

    EXPECT_EQ(game.hits(), c.hits);
    EXPECT_EQ(game.win(), c.coins);
    EXPECT_EQ(state.bank, 100 - c.bet + c.coins);
    EXPECT_EQ(state.total, c.coins);
    EXPECT_EQ(state.wager, c.bet);
    EXPECT_EQ(view.Text("winnings"), std::to_string(c.coins));
    EXPECT_EQ(view.Text("lblcredit"), std::to_string(state.bank));
    ASSERT_EQ(sound.cues.size(), 21u);
    EXPECT_EQ(sound.cues.back(), c.cue);
    EXPECT_EQ(std::count(sound.cues.begin(), sound.cues.end(), Cue::Hit), c.hits);
    EXPECT_TRUE(view.TimerRunning("timerpay"));
    EXPECT_EQ(table.payrow(), c.row);
}

// 51..200 coins sound the medium fanfare and above 200 the big one.
INSTANTIATE_TEST_SUITE_P(Schedule, WinningGame,
                         ::testing::Values(Win{3, 2, 1, 2, Cue::WinSmall, 1},
                                           Win{3, 3, 1, 45, Cue::WinSmall, 2},
                                           Win{3, 3, 2, 90, Cue::WinMedium, 2},
                                           Win{9, 7, 1, 200, Cue::WinMedium, 4},
                                           Win{4, 4, 3, 255, Cue::WinBig, 3},
                                           Win{8, 8, 5, 50000, Cue::WinBig, 5}));

TEST_F(GameTest, GameWithoutWinStillCountsTheBetAndGame) {
    state.total = 7;
    table.StartRowFlash();
    PlayGame({1, 2, 3, 4, 5}, {1, 2});
    EXPECT_EQ(game.hits(), 2);
    EXPECT_EQ(game.win(), 0);
    EXPECT_EQ(view.Text("winnings"), "");
    EXPECT_FALSE(view.TimerRunning("timerpay"));
    EXPECT_EQ(state.total, 7);
    EXPECT_EQ(state.wager, 1);
    EXPECT_EQ(state.games, 1);
    EXPECT_EQ(state.bank, 99);
    EXPECT_EQ(sound.cues.size(), 20u);
}

TEST_F(GameTest, FullMetersStayPutRatherThanWrap) {
    constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
    state.total = kTop - 1;
    state.wager = kTop;
    PlayGame({1, 2, 3}, {1, 2});
    EXPECT_EQ(game.win(), 2);
    EXPECT_EQ(state.total, kTop - 1);
    EXPECT_EQ(state.wager, kTop);
    EXPECT_EQ(state.bank, 101);
}

TEST_F(GameTest, GameWithoutHitNeverStartsTheBlink) {
    Mark({1, 2, 3});
    random.Force(DrawOf({}, {1, 2, 3}));
    game.Play();
    while (game.Advance()) ASSERT_FALSE(view.TimerRunning("Timer1"));
    EXPECT_EQ(game.hits(), 0);
    EXPECT_EQ(view.Text("hts"), "");
    EXPECT_EQ(std::count(sound.cues.begin(), sound.cues.end(), Cue::BallLands), 20);
}

TEST_F(GameTest, GameRepaintsTheBoardAndShowsEveryBall) {
    PlayGame({1, 2, 3}, {40, 41});  // an earlier game leaves grey squares behind
    view.Show("winns_3", false);
    const std::vector<int> picks{1, 2, 3};
    random.Force(DrawOf({2, 50, 3}, picks));
    RunPaced();

    EXPECT_TRUE(board.mustErase());
    EXPECT_TRUE(view.Visible("winns_3"));
    EXPECT_EQ(random.reseeds, 2);
    EXPECT_EQ(game.hitlist(), (std::array<int, 10>{2, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(view.Text("hts"), "2");
    const auto& drawn = game.drawn();
    for (int n = 1; n <= 80; ++n) {
        SCOPED_TRACE(n);
        const bool wasDrawn = std::find(drawn.begin(), drawn.end(), n) != drawn.end();
        const SquareView& square = view.Square(n);
        EXPECT_EQ(square.background, wasDrawn ? SquareBackground::LightGrey : SquareBackground::Black);
        EXPECT_EQ(square.text, wasDrawn ? SquareText::Red : SquareText::Blue);
        const SquarePicture picture = n == 2 || n == 3 ? SquarePicture::Hit
                                      : n == 1         ? SquarePicture::Marked
                                                       : SquarePicture::None;
        EXPECT_EQ(square.picture, picture);
    }
}

TEST_F(GameTest, HitBlinkShowsThePictureOneTickAndThePlainNumberTwo) {
    PlayGame({5, 6, 7}, {5, 6});
    ASSERT_TRUE(view.TimerRunning("Timer1"));
    const auto expectSquares = [&](int phase, SquarePicture picture, SquareBackground background) {
        game.FlashTick();
        EXPECT_EQ(game.blinkphase(), phase);
        for (int n : {5, 6}) {
            EXPECT_EQ(view.Square(n).picture, picture) << "phase " << phase;
            EXPECT_EQ(view.Square(n).background, background) << "phase " << phase;
            EXPECT_EQ(view.Square(n).text, SquareText::Red);
        }
        EXPECT_EQ(view.Square(7).picture, SquarePicture::Marked);
    };
    expectSquares(1, SquarePicture::Hit, SquareBackground::LightGrey);
    expectSquares(2, SquarePicture::None, SquareBackground::Black);
    expectSquares(0, SquarePicture::None, SquareBackground::Black);  // every slot left alone
    expectSquares(1, SquarePicture::Hit, SquareBackground::Black);

    // The next game stops the blink but does not reset its phase.
    random.Force(DrawOf({7}, {5, 6, 7}));
    game.Play();
    game.Advance();
    game.Advance();
    game.Advance();
    EXPECT_FALSE(view.TimerRunning("Timer1"));
    game.SettleNow();
    EXPECT_TRUE(view.TimerRunning("Timer1"));
    game.FlashTick();
    EXPECT_EQ(game.blinkphase(), 2);
    EXPECT_EQ(view.Square(7).picture, SquarePicture::None);
}

class PacedGame : public GameTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(PacedGame, PausesForThePressAndEveryBall) {
    state.reelspeed = static_cast<std::int16_t>(GetParam().first);
    Mark({1, 2, 3});
    const auto pauses = RunPaced();
    ASSERT_EQ(pauses.size(), 43u);
    EXPECT_EQ(pauses[0], 0);
    EXPECT_EQ(pauses[1], 100);
    for (std::size_t ball = 0; ball < 20; ++ball) {
        EXPECT_EQ(pauses[2 + 2 * ball], 20 * GetParam().first);
        EXPECT_EQ(pauses[3 + 2 * ball], 0);
    }
    EXPECT_EQ(pauses.back(), 0);
    EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Speeds, PacedGame,
                         ::testing::Values(std::pair{1, 500}, std::pair{10, 4100}, std::pair{20, 8100}));

TEST_F(GameTest, RunningGameLocksTheButtonsAutoSelectAndOptions) {
    Mark({1, 2, 3, 4});
    game.Play();
    for (int i = 0; i < 5; ++i) game.Advance();
    ASSERT_TRUE(game.Running());
    for (const char* control : Keno20Game::kLockedControls) EXPECT_FALSE(view.Enabled(control)) << control;
    game.Play();  // a second press while drawing changes nothing
    while (game.Advance()) {
        if (game.Running()) {
            EXPECT_FALSE(view.Enabled("btnautoselect"));
        }
    }
    EXPECT_EQ(state.games, 1);
    EXPECT_EQ(state.wager, 1);
    for (const char* control : Keno20Game::kLockedControls) EXPECT_TRUE(view.Enabled(control)) << control;
}

class SettledEarly : public ::testing::TestWithParam<int> {};

TEST_P(SettledEarly, EndsExactlyAsThePacedGame) {
    Machine20 paced;
    Machine20 settled;
    for (Machine20* m : {&paced, &settled}) {
        m->state.coinsbet = 2;
        m->Mark({3, 14, 25, 36, 47, 58, 69, 80});
        m->game.Play();
    }
    while (paced.game.Advance()) {}
    for (int i = 0; i < GetParam(); ++i) settled.game.Advance();
    settled.game.SettleNow();

    EXPECT_FALSE(settled.game.Running());
    EXPECT_EQ(settled.state, paced.state);
    EXPECT_EQ(settled.game.drawn(), paced.game.drawn());
    EXPECT_EQ(settled.game.hitlist(), paced.game.hitlist());
    EXPECT_EQ(settled.game.win(), paced.game.win());
    EXPECT_EQ(settled.sound.cues, paced.sound.cues);
    EXPECT_EQ(settled.view.Texts(), paced.view.Texts());
    EXPECT_EQ(settled.view.Timers(), paced.view.Timers());
    for (int n = 1; n <= 80; ++n) EXPECT_EQ(settled.view.Square(n), paced.view.Square(n)) << n;
    for (const auto& [name, control] : paced.view.Controls()) {
        EXPECT_EQ(settled.view.Enabled(name), control.enabled) << name;
        EXPECT_EQ(settled.view.Visible(name), control.visible) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(AtStep, SettledEarly, ::testing::Values(0, 1, 2, 3, 17, 42));
