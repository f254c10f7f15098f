#include <limits>
#include <numeric>
#include <string>

#include "tests/keno20/GameFixture.h"

using namespace keno;

namespace {

std::vector<int> FirstNumbers(int count) {
    std::vector<int> v(static_cast<std::size_t>(count));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

TEST(Keno20Game, RefusedPlayShowsItsMessageAndPlaysNothing) {
    const std::string noCredit = "You Have No Credit...Click On COINS Button For Credit";
    const std::string tooFew = ".....   You Have To Mark A Minimum of 3 numbers first (Just Click On The Numbers You "
                               "Want)\r(Mark Any Amount From 3 To 10)";
    struct Case { int bank, bet, spots; std::string text, title; bool clearsBoard; };
    const Case cases[] = {{0, 1, 3, noCredit, "KENO 20 BALL   No Credit!! ", false},
                          {100, 1, 2, tooFew, "KENO 20 BALL   not enough numbers !!", true},
                          {100, 0, 3, tooFew, "KENO 20 BALL   not enough numbers !!", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "bank " << c.bank << " bet " << c.bet << " spots " << c.spots);
        Machine20 m;
        m.Mark(FirstNumbers(c.spots));
        m.state.bank = c.bank;
        m.state.coinsbet = static_cast<std::int16_t>(c.bet);
        m.view.SetText("winns_1", "x");
        m.table.StartRowFlash();
        EXPECT_EQ(m.RunPaced(), (std::vector<int>{0, 100}));
        EXPECT_EQ(m.messenger.shown, (std::vector<Message>{{c.text, c.title, Icon::Critical, Buttons::Ok, Answer::Ok}}));
        EXPECT_FALSE(m.game.Running());
        EXPECT_EQ(m.state.bank, c.bank);
        EXPECT_EQ(m.state.games + m.state.wager, 0);
        EXPECT_FALSE(m.board.mustErase());
        EXPECT_TRUE(m.sound.cues.empty());
        EXPECT_EQ(m.random.reseeds, 0);
        EXPECT_FALSE(m.view.TimerRunning("timerpay"));
        EXPECT_TRUE(m.view.Visible("start"));
        for (const char* control : Keno20Game::kLockedControls) EXPECT_TRUE(m.view.Enabled(control)) << control;
        EXPECT_EQ(m.board.Picks(), c.clearsBoard ? std::vector<int>{} : FirstNumbers(c.spots));
        if (c.clearsBoard) {
            EXPECT_EQ(m.view.Square(1).picture, SquarePicture::None);
            EXPECT_EQ(m.view.Text("spts") + m.view.Text("winns_1"), "0");
        }
    }
}

TEST_F(GameTest, ShortCreditReducesTheBetAndPlaysForWhatIsLeft) {
    state.bank = 3;
    state.coinsbet = 5;
    PlayGame({1, 2, 3}, {});
    EXPECT_EQ(messenger.shown,
              (std::vector<Message>{{".....You Do Not Have Enough Credit For This Bet,\rYour Bet Has Been Reduced Accordingly",
                                     "KENO 20 BALL   Bet Reduced", Icon::Critical, Buttons::Ok, Answer::Ok}}));
    EXPECT_EQ(state.coinsbet, 3);
    EXPECT_EQ(state.bank, 0);
    EXPECT_EQ(state.wager, 3);
    EXPECT_EQ(state.games, 1);
    EXPECT_EQ(view.Text("betpan") + view.Text("lblcredit"), "30");
    EXPECT_EQ(view.Text("winns_1") + "/" + view.Text("winns_2"), "6/135");
}

// Paid games announce their band (51..200 medium, above 200 big) and flash their row; a game
// without a win still counts, and full meters stay put rather than wrap.
TEST(Keno20Game, GamesPayAnnounceAndFlashTheirRow) {
    struct Case { int spots, hits, bet, coins; Cue cue; int row; };
    const Case cases[] = {{3, 2, 1, 2, Cue::WinSmall, 1},     {3, 3, 1, 45, Cue::WinSmall, 2},
                          {3, 3, 2, 90, Cue::WinMedium, 2},   {9, 7, 1, 200, Cue::WinMedium, 4},
                          {4, 4, 3, 255, Cue::WinBig, 3},     {8, 8, 5, 50000, Cue::WinBig, 5},
                          {5, 2, 1, 0, Cue::None, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hits << " of " << c.spots << " at " << c.bet);
        Machine20 m;
        m.state.total = 7;
        m.state.coinsbet = static_cast<std::int16_t>(c.bet);
        m.table.StartRowFlash();
        m.PlayGame(FirstNumbers(c.spots), FirstNumbers(c.hits));
        EXPECT_EQ(m.game.hits(), c.hits);
        EXPECT_EQ(m.game.win(), c.coins);
        EXPECT_EQ(m.state.bank, 100 - c.bet + c.coins);
        EXPECT_EQ(m.state.total, 7 + c.coins);
        EXPECT_EQ(m.state.wager, c.bet);
        EXPECT_EQ(m.state.games, 1);
        EXPECT_EQ(m.view.Text("winnings"), c.coins ? std::to_string(c.coins) : "");
        EXPECT_EQ(m.view.Text("lblcredit"), std::to_string(m.state.bank));
        ASSERT_EQ(m.sound.cues.size(), c.coins ? 21u : 20u);
        if (c.coins) { EXPECT_EQ(m.sound.cues.back(), c.cue); }
        EXPECT_EQ(std::count(m.sound.cues.begin(), m.sound.cues.end(), Cue::Hit), c.hits);
        EXPECT_EQ(m.view.TimerRunning("timerpay"), c.coins > 0);
        if (c.coins) { EXPECT_EQ(m.table.payrow(), c.row); }
    }
    constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
    Machine20 full;
    full.state.total = kTop - 1;
    full.state.wager = kTop;
    full.PlayGame({1, 2, 3}, {1, 2});
    EXPECT_EQ(full.game.win(), 2);
    EXPECT_EQ(full.state.total, kTop - 1);
    EXPECT_EQ(full.state.wager, kTop);
    EXPECT_EQ(full.state.bank, 101);
}

TEST_F(GameTest, GameWithoutHitNeverStartsTheBlink) {
    Mark({1, 2, 3});
    random.Force(DrawOf({}, {1, 2, 3}, {}, 20));
    game.Play();
    while (game.Advance()) ASSERT_FALSE(view.TimerRunning("Timer1"));
    EXPECT_EQ(game.hits(), 0);
    EXPECT_EQ(view.Text("hts"), "");
    EXPECT_EQ(std::count(sound.cues.begin(), sound.cues.end(), Cue::BallLands), 20);
}

TEST_F(GameTest, GameRepaintsTheBoardAndBlinksItsHits) {
    PlayGame({1, 2, 3}, {40, 41});  // an earlier game leaves grey squares behind
    view.Show("winns_3", false);
    random.Force(DrawOf({2, 50, 3}, {1, 2, 3}, {}, 20));
    RunPaced();
    EXPECT_TRUE(board.mustErase());
    EXPECT_TRUE(view.Visible("winns_3"));
    EXPECT_EQ(random.reseeds, 2);
    EXPECT_EQ(game.hitlist(), (std::array<int, 10>{2, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(view.Text("hts"), "2");
    const auto& drawn = game.drawn();
    for (int n = 1; n <= 80; ++n) {
        const bool wasDrawn = std::find(drawn.begin(), drawn.end(), n) != drawn.end();
        const SquarePicture picture = n == 2 || n == 3 ? SquarePicture::Hit
                                      : n == 1         ? SquarePicture::Marked : SquarePicture::None;
        EXPECT_EQ(view.Square(n), (SquareView{picture, wasDrawn ? SquareBackground::LightGrey : SquareBackground::Black,
                                              wasDrawn ? SquareText::Red : SquareText::Blue})) << n;
    }
    // The hits show their picture one tick and the plain number two; the miss is left alone.
    ASSERT_TRUE(view.TimerRunning("Timer1"));
    const std::pair<SquarePicture, SquareBackground> ticks[] = {{SquarePicture::Hit, SquareBackground::LightGrey},
                                                               {SquarePicture::None, SquareBackground::Black},
                                                               {SquarePicture::None, SquareBackground::Black},
                                                               {SquarePicture::Hit, SquareBackground::Black}};
    for (int t = 0; t < 4; ++t) {
        game.FlashTick();
        EXPECT_EQ(game.blinkphase(), (t + 1) % 3);
        for (int n : {2, 3})
            EXPECT_EQ(view.Square(n), (SquareView{ticks[t].first, ticks[t].second, SquareText::Red})) << t;
        EXPECT_EQ(view.Square(1).picture, SquarePicture::Marked);
    }
    // The next game stops the blink but does not reset its phase.
    random.Force(DrawOf({1}, {1, 2, 3}, {}, 20));
    game.Play();
    for (int i = 0; i < 3; ++i) game.Advance();
    EXPECT_FALSE(view.TimerRunning("Timer1"));
    game.SettleNow();
    EXPECT_TRUE(view.TimerRunning("Timer1"));
    game.FlashTick();
    EXPECT_EQ(game.blinkphase(), 2);
    EXPECT_EQ(view.Square(1).picture, SquarePicture::None);
}

TEST(Keno20Game, PausesForThePressAndEveryBall) {
    for (auto [speed, total] : {std::pair{1, 500}, {10, 4100}, {20, 8100}}) {
        SCOPED_TRACE(speed);
        Machine20 m;
        m.state.reelspeed = static_cast<std::int16_t>(speed);
        m.Mark({1, 2, 3});
        std::vector<int> expected{0, 100};
        for (int ball = 0; ball < 20; ++ball) expected.insert(expected.end(), {20 * speed, 0});
        expected.push_back(0);
        const auto pauses = m.RunPaced();
        EXPECT_EQ(pauses, expected);
        EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), total);
    }
}

TEST_F(GameTest, RunningGameLocksTheButtonsAutoSelectAndOptions) {
    Mark({1, 2, 3, 4});
    game.Play();
    for (int i = 0; i < 5; ++i) game.Advance();
    ASSERT_TRUE(game.Running());
    for (const char* control : Keno20Game::kLockedControls) EXPECT_FALSE(view.Enabled(control)) << control;
    game.Play();  // a second press while drawing changes nothing
    while (game.Advance())
        if (game.Running()) { EXPECT_FALSE(view.Enabled("btnautoselect") || view.Enabled("mnuoptions")); }
    EXPECT_EQ(state.games, 1);
    EXPECT_EQ(state.wager, 1);
    for (const char* control : Keno20Game::kLockedControls) EXPECT_TRUE(view.Enabled(control)) << control;
}

TEST(Keno20Game, SettleNowEndsExactlyAsThePacedGame) {
    for (int after : {0, 1, 2, 3, 17, 42}) {
        SCOPED_TRACE(after);
        Machine20 paced, settled;
        for (Machine20* m : {&paced, &settled}) {
            m->state.coinsbet = 2;
            m->Mark({3, 14, 25, 36, 47, 58, 69, 80});
            m->game.Play();
        }
        while (paced.game.Advance()) {}
        for (int i = 0; i < after; ++i) settled.game.Advance();
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
}

}  // namespace
