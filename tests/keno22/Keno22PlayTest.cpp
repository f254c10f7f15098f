#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};

TEST(Keno22Play, NoCreditShowsTheMessageAndChangesNothingElse) {
    Rig rig;
    rig.Ticket(kFour, 0, 2);
    rig.view.SetText("hts", "3");
    rig.view.Enable("mnuoptions", false);
    const MachineState before = rig.state;

    EXPECT_EQ(rig.Play(), (std::vector<int>{0, 100}));

    ASSERT_EQ(rig.messenger.shown.size(), 1u);
    const Message& m = rig.messenger.shown[0];
    EXPECT_EQ(m.text, "You Have No credit !! Click On COINS Button For more credit");
    EXPECT_EQ(m.title, "K E N O 22");
    EXPECT_EQ(m.icon, Icon::None);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_EQ(rig.state, before);
    EXPECT_EQ(rig.view.Text("hts"), "");
    for (const char* c : {"mnabout", "mnexit", "mnupayouts", "mnuoptions", "start"}) EXPECT_TRUE(rig.Enabled(c)) << c;
    EXPECT_FALSE(rig.board.mustErase());
    EXPECT_EQ(rig.random.reseeds, 0);
    EXPECT_TRUE(rig.sound.cues.empty());
}

struct ChargeCase {
    int bank, bet;
    bool message;
    int bankAfter, betAfter;
};

void PrintTo(const ChargeCase& c, std::ostream* os) { *os << "bank " << c.bank << " bet " << c.bet; }

class Keno22Charge : public ::testing::TestWithParam<ChargeCase> {};

TEST_P(Keno22Charge, ChargesTheBetOrReducesItToTheCredit) {
    const ChargeCase& c = GetParam();
    Rig rig;
    rig.Deal(kFour, {}, c.bank, c.bet);  // no hit: the credit after the game is what was charged
    rig.view.SetText("betpan", std::to_string(c.bet));
    rig.Play();

    if (c.message) {
        ASSERT_EQ(rig.messenger.shown.size(), 1u);
        EXPECT_EQ(rig.messenger.shown[0].text,
                  "You Do Not Have Enough credit For This Bet,\rYour Bet Has Been Reduced Accordingly");
        EXPECT_EQ(rig.messenger.shown[0].title, "K E N O 22");
        EXPECT_EQ(rig.messenger.shown[0].icon, Icon::None);
    } else {
        EXPECT_TRUE(rig.messenger.shown.empty());
    }
    EXPECT_EQ(rig.state.bank, c.bankAfter);
    EXPECT_EQ(rig.state.coinsbet, c.betAfter);
    EXPECT_EQ(rig.state.wager, c.betAfter);
    EXPECT_EQ(rig.view.Text("betpan"), std::to_string(c.betAfter));
    EXPECT_EQ(rig.view.Text("panelbank"), std::to_string(c.bankAfter));
}

INSTANTIATE_TEST_SUITE_P(Bets, Keno22Charge,
                         ::testing::Values(ChargeCase{3, 5, true, 0, 3}, ChargeCase{5, 5, false, 0, 5},
                                           ChargeCase{1, 2, true, 0, 1}, ChargeCase{20, 2, false, 18, 2}));

TEST(Keno22Play, FastestSpeedBecomesNoPauseOthersAreKept) {
    for (auto [before, after] : {std::pair{1, 0}, {0, 0}, {10, 10}, {20, 20}}) {
        Rig rig;
        rig.Deal(kFour, {}, 10, 1);
        rig.state.reelspeed = static_cast<std::int16_t>(before);
        rig.Play();
        EXPECT_EQ(rig.state.reelspeed, after) << before;
    }
}

struct SettleCase {
    const char* name;
    std::vector<int> ticket, mainHits;
    int bet;
    Keno22Game::Outcome outcome;
    int win;
    std::optional<Cue> fanfare;
};

void PrintTo(const SettleCase& c, std::ostream* os) { *os << c.name; }

class Keno22Settle : public ::testing::TestWithParam<SettleCase> {};

TEST_P(Keno22Settle, PaysAtOnceAndCountsTheGame) {
    const SettleCase& c = GetParam();
    Rig rig;
    rig.Deal(c.ticket, c.mainHits, 100, c.bet);
    rig.view.SetText("winnings", "old");
    rig.Play();

    EXPECT_EQ(rig.game.outcome(), c.outcome);
    EXPECT_EQ(rig.game.win(), c.win);
    EXPECT_EQ(rig.game.hits(), static_cast<int>(c.mainHits.size()));
    EXPECT_EQ(rig.state.bank, 100 - c.bet + c.win);
    EXPECT_EQ(rig.state.games, 1);
    EXPECT_EQ(rig.state.total, c.win);
    EXPECT_EQ(rig.state.wager, c.bet);
    EXPECT_EQ(rig.view.Text("winnings"), c.win ? std::to_string(c.win) : "");
    const auto fanfares = Fanfares(rig.sound.cues);
    if (c.fanfare) {
        EXPECT_EQ(fanfares, std::vector<Cue>{*c.fanfare});
        EXPECT_EQ(rig.sound.cues.back(), *c.fanfare);
    } else {
        EXPECT_TRUE(fanfares.empty());
    }
    for (const char* on : {"coinsin", "makbet", "start", "rubber", "btn20ball", "btnautoselect", "mnupayouts",
                           "mnuoptions", "mnabout", "mnexit"})
        EXPECT_TRUE(rig.Enabled(on)) << on;
    for (const char* off : {"xtraballs", "flash", "takwin"}) EXPECT_FALSE(rig.Enabled(off)) << off;
    EXPECT_FALSE(rig.view.TimerRunning("tmrflash"));
    EXPECT_FALSE(rig.game.Running());
}

using O = Keno22Game::Outcome;
INSTANTIATE_TEST_SUITE_P(
    Games, Keno22Settle,
    ::testing::Values(
        SettleCase{"TwoOfTwoAtThree", {7, 8}, {8, 7}, 3, O::Settled, 45, Cue::WinMedium},
        SettleCase{"TwoOnSixPaysNothing", {1, 2, 3, 4, 5, 6}, {2, 5}, 1, O::None, 0, std::nullopt},
        SettleCase{"OneHitSettlesEmpty", kFour, {4}, 2, O::Settled, 0, std::nullopt},
        SettleCase{"TwoOnFourPaysFour", kFour, {1, 4}, 2, O::Settled, 4, Cue::Startup},
        SettleCase{"TenOfTenAtFive", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5,
                   O::Settled, 50000, Cue::WinBig},
        SettleCase{"SevenOfSevenIsSilent", {11, 12, 13, 14, 15, 16, 17}, {11, 12, 13, 14, 15, 16, 17}, 1,
                   O::Settled, 300, std::nullopt}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Keno22Play, PaintsTheBoardAndRacksTheBalls) {
    Rig rig;
    rig.Deal(kFour, {9, 3, 1}, 100, 1);  // 9 is not on the ticket
    rig.state.reelspeed = 10;
    rig.Play();

    const auto& drawn = rig.game.drawn();
    EXPECT_EQ(rig.game.picked(), kFour);
    EXPECT_EQ(rig.game.hitlist(), (std::vector<int>{3, 1}));
    EXPECT_EQ(rig.view.Text("hts"), "2");
    EXPECT_TRUE(rig.view.TimerRunning("Timer1"));
    EXPECT_TRUE(rig.board.mustErase());
    EXPECT_EQ(rig.random.reseeds, 1);
    for (int n = 1; n <= 80; ++n) {
        const bool shown = std::find(drawn.begin(), drawn.begin() + 20, n) != drawn.begin() + 20;
        const SquareView& s = rig.view.Square(n);
        EXPECT_EQ(s.background, shown ? SquareBackground::White : SquareBackground::Black) << n;
        EXPECT_EQ(s.text, shown ? SquareText::OrangeRed : SquareText::Blue) << n;
        const SquarePicture picture = (n == 1 || n == 3)  ? SquarePicture::Hit
                                      : Contains(kFour, n) ? SquarePicture::Marked
                                                           : SquarePicture::None;
        EXPECT_EQ(s.picture, picture) << n;
    }
    for (int i = 1; i <= 20; ++i) {
        const BallView& b = rig.view.Ball(i);
        EXPECT_TRUE(b.visible) << i;
        EXPECT_EQ(b.left, i % 2 ? 8130 : 8700) << i;
        EXPECT_EQ(b.top, 5000 - (i - 1) / 2 * 500) << i;
        EXPECT_EQ(b.number, drawn[static_cast<std::size_t>(i - 1)]) << i;
    }
    EXPECT_FALSE(rig.view.Ball(21).visible);
    EXPECT_FALSE(rig.view.Ball(22).visible);
    EXPECT_EQ(rig.game.landingtop(), 5000);
    EXPECT_EQ(rig.game.bouncestep(), 200);
    // Each ball lands (102), and a hit cuts in (101) right after its landing.
    EXPECT_EQ(std::count(rig.sound.cues.begin(), rig.sound.cues.end(), Cue::BallLands), 20);
    EXPECT_EQ(rig.sound.cues[1], Cue::BallLands);  // ball 2 is 3, a hit
    EXPECT_EQ(rig.sound.cues[2], Cue::Hit);
}

TEST(Keno22Play, TheGameControlsAndTicketChangersAreOffWhileTheBallsDrop) {
    Rig rig;
    rig.Deal(kFour, {1, 2}, 100, 1);
    rig.state.reelspeed = 10;
    rig.game.Play();
    for (int i = 0; i < 40; ++i) rig.game.Advance();

    EXPECT_TRUE(rig.game.Running());
    for (const char* off : {"coinsin", "makbet", "start", "flash", "xtraballs", "takwin", "rubber", "btn20ball",
                            "btnautoselect", "mnuoptions"})
        EXPECT_FALSE(rig.Enabled(off)) << off;
    for (const char* on : {"mnupayouts", "mnabout", "mnexit"}) EXPECT_TRUE(rig.Enabled(on)) << on;

    rig.game.Play();  // a stray second PLAY neither restarts nor charges again
    rig.game.BuyExtraBalls();
    rig.game.TakeWin();
    rig.Run();
    EXPECT_EQ(rig.state.bank, 99 + 2);  // 2 of 4 pays 2
    EXPECT_EQ(rig.state.wager, 1);
    EXPECT_EQ(rig.state.games, 1);
    EXPECT_TRUE(rig.Enabled("btnautoselect"));
    EXPECT_TRUE(rig.Enabled("mnuoptions"));
}

TEST(Keno22Play, TheSameNumbersPlayAgainWithoutErase) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 4}, 100, 1);
    rig.Play();
    rig.TakeWin();
    rig.random.Force(DrawOf({3}, kFour));
    rig.Play();

    EXPECT_EQ(rig.game.hits(), 1);
    EXPECT_EQ(rig.game.hitlist(), std::vector<int>{3});
    EXPECT_EQ(rig.view.Square(1).picture, SquarePicture::Marked);
    EXPECT_EQ(rig.state.wager, 2);
    EXPECT_EQ(rig.state.games, 1);  // the offer game does not count, this one does
    EXPECT_EQ(rig.state.bank, 100 - 1 + 8 - 1);
}

}  // namespace
