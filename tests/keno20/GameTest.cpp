#include <limits>
#include <numeric>
#include <string>
#include <tuple>

#include "tests/keno20/GameFixture.h"

using namespace keno;

namespace {

std::vector<int> FirstNumbers(int count) {
    std::vector<int> v(static_cast<std::size_t>(count));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

Message Box(std::string text, std::string title) { return {text, title, Icon::Critical, Buttons::Ok, Answer::Ok}; }

TEST(Keno20Game, RefusedPlayShowsItsMessageAndPlaysNothing) {
    const Message noCredit = Box("You Have No Credit...Click On COINS Button For Credit", "KENO 20 BALL   No Credit!! ");
    const Message tooFew = Box(".....   You Have To Mark A Minimum of 3 numbers first (Just Click On The Numbers You "
                               "Want)\r(Mark Any Amount From 3 To 10)", "KENO 20 BALL   not enough numbers !!");
    const Message noBet = Box(" .....    Please Make A Bet", "KENO 20 BALL   Not Betting ? ");
    struct Case { int bank, bet, spots; Message box; };
    for (const Case& c : {Case{0, 1, 3, noCredit}, {100, 1, 2, tooFew}, {100, 0, 3, noBet}, {100, 0, 2, noBet},
                          {100, -5, 4, noBet}, {100, 9, 4, noBet}, {0, 0, 3, noCredit}}) {
        SCOPED_TRACE(::testing::Message() << "bank " << c.bank << " bet " << c.bet << " spots " << c.spots);
        Machine20 m;
        m.Mark(FirstNumbers(c.spots));
        m.state.bank = c.bank;
        m.state.coinsbet = static_cast<std::int16_t>(c.bet);
        m.view.SetText("winns_1", "x");
        m.table.StartRowFlash();
        EXPECT_EQ(m.RunPaced(), (std::vector<int>{0, 100}));
        EXPECT_EQ(m.messenger.shown, std::vector<Message>{c.box});
        EXPECT_EQ(m.Meters(), "bank " + std::to_string(c.bank) + " bet " + std::to_string(c.bet) + " wager 0 games 0 total 0");
        EXPECT_FALSE(m.board.mustErase() || m.random.reseeds || !m.sound.cues.empty() || m.view.TimerRunning("timerpay"));
        for (const char* control : Keno20Game::kLockedControls) EXPECT_TRUE(m.view.Enabled(control)) << control;
        // Too few numbers clears the ticket and its pay table; no credit and no bet keep them.
        const bool cleared = c.box == tooFew;
        EXPECT_EQ(m.board.Picks(), cleared ? std::vector<int>{} : FirstNumbers(c.spots));
        EXPECT_EQ(m.view.Text("spts") + m.view.Text("winns_1"), cleared ? "0" : std::to_string(c.spots) + "x");
    }
}

TEST(Keno20Game, ShortCreditReducesTheBetAndPlaysForWhatIsLeft) {
    Machine20 m;
    m.state.bank = 3;
    m.state.coinsbet = 5;
    m.PlayGame({1, 2, 3}, {});
    EXPECT_EQ(m.messenger.shown, std::vector<Message>{Box(".....You Do Not Have Enough Credit For This Bet,\rYour Bet Has Been "
                                                          "Reduced Accordingly", "KENO 20 BALL   Bet Reduced")});
    EXPECT_EQ(m.Meters(), "bank 0 bet 3 wager 3 games 1 total 0");
    EXPECT_EQ(m.view.Text("betpan") + m.view.Text("lblcredit"), "30");
    EXPECT_EQ(m.view.Text("winns_1") + "/" + m.view.Text("winns_2"), "6/135");
}

// A bet raised while the balls drop (the other window, the options) does not change what the
// game pays: the win goes by the bet charged.
TEST(Keno20Game, TheWinGoesByTheBetCharged) {
    Machine20 m;
    m.Mark({1, 2, 3});
    m.random.Force(DrawOf({1, 2, 3}, {1, 2, 3}, {}, 20));
    m.game.Play();
    while (m.game.Advance())
        if (m.board.mustErase()) m.state.coinsbet = 5;  // raised once the game has started
    EXPECT_EQ(std::tuple(m.game.bet(), m.game.win(), m.state.bank, m.state.wager), std::tuple(1, 45, 144, 1));
}

// Paid games announce their band (51..200 medium, above 200 big) and flash their row; a game
// without a win still counts, and full meters stay put rather than wrap.
TEST(Keno20Game, GamesPayAnnounceAndFlashTheirRow) {
    struct Case { int spots, hits, bet, coins; Cue cue; int row; };
    const Case cases[] = {{3, 2, 1, 2, Cue::WinSmall, 1},     {3, 3, 1, 45, Cue::WinSmall, 2},
                          {3, 3, 2, 90, Cue::WinMedium, 2},   {9, 7, 1, 200, Cue::WinMedium, 4},
                          {4, 4, 3, 255, Cue::WinBig, 3},     {8, 8, 5, 50000, Cue::WinBig, 5},
                          {5, 2, 1, 0, Cue::None, 0},         {3, 0, 1, 0, Cue::None, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hits << " of " << c.spots << " at " << c.bet);
        Machine20 m;
        m.state.total = 7;
        m.state.coinsbet = static_cast<std::int16_t>(c.bet);
        m.table.StartRowFlash();
        m.Mark(FirstNumbers(c.spots));
        m.random.Force(DrawOf(FirstNumbers(c.hits), FirstNumbers(c.spots), {}, 20));
        m.game.Play();
        while (m.game.Advance()) ASSERT_FALSE(c.hits == 0 && m.view.TimerRunning("Timer1")) << "a game without hit never blinks";
        EXPECT_EQ(m.game.hits(), c.hits);
        EXPECT_EQ(m.game.win(), c.coins);
        EXPECT_EQ(m.Meters(), "bank " + std::to_string(100 - c.bet + c.coins) + " bet " + std::to_string(c.bet) + " wager " +
                                  std::to_string(c.bet) + " games 1 total " + std::to_string(7 + c.coins));
        EXPECT_EQ(m.view.Text("winnings") + "/" + m.view.Text("lblcredit") + "/" + m.view.Text("hts"),
                  (c.coins ? std::to_string(c.coins) : "") + "/" + std::to_string(m.state.bank) + "/" +
                      (c.hits ? std::to_string(c.hits) : ""));
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
    EXPECT_EQ(full.Meters(), "bank 101 bet 1 wager " + std::to_string(kTop) + " games 1 total " + std::to_string(kTop - 1));
}

TEST(Keno20Game, GameRepaintsTheBoardAndBlinksItsHits) {
    Machine20 m;
    m.PlayGame({1, 2, 3}, {40, 41});  // an earlier game leaves grey squares behind
    m.view.Show("winns_3", false);
    m.random.Force(DrawOf({2, 50, 3}, {1, 2, 3}, {}, 20));
    m.RunPaced();
    EXPECT_TRUE(m.board.mustErase() && m.view.Visible("winns_3"));
    EXPECT_EQ(m.random.reseeds, 2);
    EXPECT_EQ(m.game.hitlist(), (std::array<int, 10>{2, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
    const auto& drawn = m.game.drawn();
    for (int n = 1; n <= 80; ++n) {
        const bool wasDrawn = std::find(drawn.begin(), drawn.end(), n) != drawn.end();
        const SquarePicture picture = n == 2 || n == 3 ? SquarePicture::Hit : n == 1 ? SquarePicture::Marked : SquarePicture::None;
        EXPECT_EQ(m.view.Square(n), (SquareView{picture, wasDrawn ? SquareBackground::LightGrey : SquareBackground::Black,
                                                wasDrawn ? SquareText::Red : SquareText::Blue})) << n;
    }
    // The hits show their picture one tick and the plain number two; the miss is left alone.
    const std::pair<SquarePicture, SquareBackground> ticks[] = {{SquarePicture::Hit, SquareBackground::LightGrey},
                                                               {SquarePicture::None, SquareBackground::Black},
                                                               {SquarePicture::None, SquareBackground::Black},
                                                               {SquarePicture::Hit, SquareBackground::Black}};
    for (int t = 0; t < 4; ++t) {
        m.game.FlashTick();
        for (int n : {2, 3}) EXPECT_EQ(m.view.Square(n), (SquareView{ticks[t].first, ticks[t].second, SquareText::Red})) << t;
        EXPECT_EQ(m.view.Square(1).picture, SquarePicture::Marked);
    }
}

// The press, then every ball, with the controls locked until the end and a second PLAY ignored.
TEST(Keno20Game, PausesForThePressAndEveryBallWithTheControlsLocked) {
    for (auto [speed, total] : {std::pair{1, 500}, {10, 4100}, {20, 8100}}) {
        SCOPED_TRACE(speed);
        Machine20 m;
        m.state.reelspeed = static_cast<std::int16_t>(speed);
        m.Mark({1, 2, 3});
        m.game.Play();
        std::vector<int> pauses;
        while (auto p = m.game.Advance()) {
            pauses.push_back(*p);
            if (pauses.size() != 5) continue;
            for (const char* control : Keno20Game::kLockedControls) EXPECT_FALSE(m.view.Enabled(control)) << control;
            m.game.Play();
        }
        EXPECT_EQ(pauses.size(), 43u);
        EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), total);
        EXPECT_EQ(m.state.wager + m.state.games, 2);
        for (const char* control : Keno20Game::kLockedControls) EXPECT_TRUE(m.view.Enabled(control)) << control;
    }
}

// The engine shows the urn's own sequence, one draw per PLAY, each charged once.
TEST(Keno20Game, GamesShowTheUrnSequence) {
    Machine20 m(404);
    m.Mark({7, 23, 48, 80});
    SeededRandomSource urn(404);
    for (int g = 0; g < 200; ++g) {
        m.state.bank = 100;
        m.game.Play();
        m.game.SettleNow();
        std::array<int, 20> expected{};
        DrawFromUrn(urn, 20, expected.begin());
        ASSERT_EQ(m.game.drawn(), expected) << "game " << g;
    }
    EXPECT_EQ(m.state.wager, 200);
}

TEST(Keno20Game, SettleNowEndsExactlyAsThePacedGame) {
    for (int after : {0, 1, 17, 42}) {
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
        EXPECT_EQ(std::tuple(settled.game.drawn(), settled.game.hitlist(), settled.game.win()),
                  std::tuple(paced.game.drawn(), paced.game.hitlist(), paced.game.win()));
        EXPECT_EQ(settled.sound.cues, paced.sound.cues);
        EXPECT_EQ(Dump(settled.view), Dump(paced.view));
    }
}

}  // namespace
