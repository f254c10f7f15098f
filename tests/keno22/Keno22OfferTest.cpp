#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};
const std::vector<int> kEight{1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<int> kTen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

void ExpectSettledControls(const Rig& rig) {
    for (const char* on : {"rubber", "makbet", "coinsin", "start", "btn20ball", "btnautoselect", "mnupayouts",
                           "mnuoptions", "mnabout", "mnexit"})
        EXPECT_TRUE(rig.Enabled(on)) << on;
    for (const char* off : {"flash", "xtraballs", "takwin"}) EXPECT_FALSE(rig.Enabled(off)) << off;
    EXPECT_TRUE(rig.view.Visible("xtraballs"));
    EXPECT_FALSE(rig.view.TimerRunning("tmrflash"));
    EXPECT_FALSE(rig.game.OfferOpen());
}

TEST(Keno22Offer, ThreeOfFourOpensTheOfferWithoutPaying) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 2);
    rig.Play();

    EXPECT_EQ(rig.game.outcome(), Keno22Game::Outcome::Offer);
    EXPECT_TRUE(rig.game.OfferOpen());
    EXPECT_EQ(rig.view.Text("winnings"), "16");
    EXPECT_EQ(rig.sound.cues.back(), Cue::Offer);
    EXPECT_TRUE(Fanfares(rig.sound.cues).empty());
    EXPECT_TRUE(rig.view.TimerRunning("tmrflash"));
    for (const char* on : {"xtraballs", "flash", "takwin", "mnabout", "mnexit"}) EXPECT_TRUE(rig.Enabled(on)) << on;
    for (const char* off : {"rubber", "start", "makbet", "coinsin", "btn20ball", "mnupayouts", "mnuoptions",
                            "btnautoselect"})
        EXPECT_FALSE(rig.Enabled(off)) << off;
    EXPECT_EQ(rig.state.bank, 98);
    EXPECT_EQ(rig.state.wager, 2);
    EXPECT_EQ(rig.state.games, 0);
    EXPECT_EQ(rig.state.total, 0);

    rig.board.InsertCoins();  // the board sees the open offer through the game
    EXPECT_EQ(rig.state.bank, 118);
    for (const char* off : {"makbet", "start", "rubber"}) EXPECT_FALSE(rig.Enabled(off)) << off;
}

enum class Answer22 { TakeWin, ExtraBalls };

struct AnswerCase {
    const char* name;
    std::vector<int> ticket, mainHits, extras;
    int bet;
    Answer22 answer;
    int win, hits;
    std::optional<Cue> fanfare;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class Keno22Answer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(Keno22Answer, SettlesTheOfferOnTheFinalHits) {
    const AnswerCase& c = GetParam();
    Rig rig;
    rig.Deal(c.ticket, c.mainHits, 1000, c.bet, c.extras);
    rig.Play();
    ASSERT_TRUE(rig.game.OfferOpen());
    rig.sound.cues.clear();

    if (c.answer == Answer22::TakeWin) {
        EXPECT_EQ(rig.TakeWin(), (std::vector<int>{0, 100}));
    } else {
        rig.BuyExtraBalls();
    }

    const int charged = c.bet * (c.answer == Answer22::ExtraBalls ? 2 : 1);
    EXPECT_EQ(rig.game.win(), c.win);
    EXPECT_EQ(rig.game.hits(), c.hits);
    EXPECT_EQ(rig.state.bank, 1000 - charged + c.win);
    EXPECT_EQ(rig.state.total, c.win);
    EXPECT_EQ(rig.state.wager, c.bet);  // the extra bet is not wagered again
    EXPECT_EQ(rig.state.games, 0);
    EXPECT_EQ(rig.view.Text("winnings"), std::to_string(c.win));
    EXPECT_EQ(rig.view.Text("panelbank"), std::to_string(rig.state.bank));
    EXPECT_EQ(rig.view.Text("hts"), std::to_string(c.hits));
    const auto fanfares = Fanfares(rig.sound.cues);
    if (c.fanfare) EXPECT_EQ(fanfares, std::vector<Cue>{*c.fanfare});
    else EXPECT_TRUE(fanfares.empty());
    EXPECT_EQ(rig.game.outcome(), Keno22Game::Outcome::None);
    ExpectSettledControls(rig);
    EXPECT_FALSE(rig.game.Running());
}

INSTANTIATE_TEST_SUITE_P(
    Offers, Keno22Answer,
    ::testing::Values(
        AnswerCase{"TakeWinSixteen", kFour, {1, 2, 3}, {}, 2, Answer22::TakeWin, 16, 3, Cue::WinSmall},
        AnswerCase{"ExtraBallsNoNewHit", kFour, {1, 2, 3}, {}, 2, Answer22::ExtraBalls, 16, 3, Cue::WinSmall},
        AnswerCase{"ExtraBallsFullCatch", kFour, {1, 2, 3}, {50, 4}, 2, Answer22::ExtraBalls, 86, 4,
                   Cue::WinMedium},
        AnswerCase{"TenthAmongTheExtraBalls", kTen, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {10}, 5, Answer22::ExtraBalls,
                   50000, 10, Cue::WinBig},
        AnswerCase{"TakeNineOfTen", kTen, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {10}, 5, Answer22::TakeWin, 3500, 9,
                   Cue::WinMedium},
        AnswerCase{"SevenOfEightIsSilent", kEight, {1, 2, 3, 4, 5, 6}, {7, 60}, 5, Answer22::ExtraBalls, 400, 7,
                   std::nullopt},
        AnswerCase{"BothExtraBallsHit", kEight, {1, 2, 3, 4, 5}, {8, 6}, 1, Answer22::ExtraBalls, 80, 7,
                   Cue::WinMedium}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Keno22Offer, ExtraBallsLandInTheBottomRowAndCountAsHits) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 1, {4, 77});
    rig.Play();
    rig.BuyExtraBalls();

    EXPECT_EQ(rig.game.hitlist(), (std::vector<int>{1, 2, 3, 4}));
    for (int i = 1; i <= 20; ++i) EXPECT_FALSE(rig.view.Ball(i).visible) << i;
    EXPECT_EQ(rig.view.Ball(21), (BallView{true, 8130, 5000, 4}));
    EXPECT_EQ(rig.view.Ball(22), (BallView{true, 8700, 5000, 77}));
    EXPECT_EQ(rig.view.Square(4).picture, SquarePicture::Hit);
    EXPECT_EQ(rig.view.Square(77).background, SquareBackground::White);
    EXPECT_EQ(rig.view.Square(77).text, SquareText::OrangeRed);
    EXPECT_TRUE(rig.view.TimerRunning("Timer1"));
}

TEST(Keno22Offer, RefusedPurchaseKeepsTheOfferUntilCoinsAndASecondPress) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 5, 3);
    rig.Play();
    ASSERT_EQ(rig.state.bank, 2);

    EXPECT_TRUE(rig.BuyExtraBalls().empty());
    ASSERT_EQ(rig.messenger.shown.size(), 1u);
    const Message& m = rig.messenger.shown[0];
    EXPECT_EQ(m.text, "\rYou Do Not Have Enough credit  For This Bet!! Please Insert Some More Coins..");
    EXPECT_EQ(m.title, " Keno");
    EXPECT_EQ(m.icon, Icon::Exclamation);
    EXPECT_EQ(rig.state.bank, 2);
    EXPECT_TRUE(rig.game.OfferOpen());
    EXPECT_EQ(rig.game.win(), 0);
    EXPECT_TRUE(rig.Enabled("coinsin"));
    EXPECT_TRUE(rig.Enabled("xtraballs"));
    EXPECT_TRUE(rig.Enabled("flash"));
    EXPECT_FALSE(rig.Enabled("takwin"));
    EXPECT_FALSE(rig.view.TimerRunning("tmrflash"));
    for (int i = 1; i <= 22; ++i) EXPECT_FALSE(rig.view.Ball(i).visible) << i;

    rig.board.InsertCoins();
    EXPECT_EQ(rig.state.bank, 22);
    for (const char* off : {"makbet", "start", "rubber", "btnautoselect", "mnuoptions"})
        EXPECT_FALSE(rig.Enabled(off)) << off;

    rig.game.BuyExtraBalls();
    rig.game.Advance();
    EXPECT_EQ(rig.state.bank, 19);
    EXPECT_EQ(rig.view.Text("panelbank"), "19");
    EXPECT_FALSE(rig.Enabled("coinsin"));
    rig.Run();
    EXPECT_EQ(rig.state.bank, 19 + 24);
    EXPECT_EQ(rig.messenger.shown.size(), 1u);
}

TEST(Keno22Offer, ACreditEqualToTheBetBuysTheExtraBalls) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 4, 2);
    rig.Play();
    rig.game.BuyExtraBalls();
    rig.game.Advance();
    EXPECT_EQ(rig.state.bank, 0);
    EXPECT_TRUE(rig.messenger.shown.empty());
    rig.Run();
    EXPECT_EQ(rig.state.bank, 16);
}

TEST(Keno22Offer, PressesDuringTheExtraBallsAreIgnored) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 2);
    rig.Play();
    rig.game.BuyExtraBalls();
    for (int i = 0; i < 50; ++i) rig.game.Advance();
    ASSERT_TRUE(rig.game.Running());
    for (const char* off : {"coinsin", "takwin", "rubber", "start", "makbet", "btn20ball", "btnautoselect",
                            "mnuoptions", "mnupayouts"})
        EXPECT_FALSE(rig.Enabled(off)) << off;
    rig.game.BuyExtraBalls();
    rig.game.TakeWin();
    rig.game.Play();
    rig.Run();
    EXPECT_EQ(rig.state.bank, 100 - 4 + 16);
    EXPECT_EQ(rig.state.total, 16);
    EXPECT_EQ(rig.state.wager, 2);
}

TEST(Keno22Offer, AnswersWithoutAnOpenOfferDoNothing) {
    Rig rig;
    rig.Deal(kFour, {1, 2}, 100, 2);
    rig.Play();
    const MachineState settled = rig.state;
    rig.TakeWin();
    rig.BuyExtraBalls();
    EXPECT_EQ(rig.state, settled);
}

TEST(Keno22Offer, TheOfferButtonShowsFlashFourTicksAndExtraBallsTwo) {
    Rig rig;
    std::string pattern;
    for (int t = 0; t < 12; ++t) {
        rig.game.OfferTick();
        EXPECT_NE(rig.view.Visible("flash"), rig.view.Visible("xtraballs"));
        pattern += rig.view.Visible("flash") ? 'F' : 'X';
    }
    EXPECT_EQ(pattern, "FFFFXXFFFFXX");
    EXPECT_EQ(rig.game.offerphase(), 6);

    // The phase carries over from one offer to the next.
    rig.Deal(kFour, {1, 2, 3}, 100, 1);
    rig.Play();
    rig.game.OfferTick();
    EXPECT_EQ(rig.game.offerphase(), 1);
    rig.game.OfferTick();
    rig.TakeWin();
    rig.Deal({}, {1, 2, 3}, 100, 1);
    rig.Play();
    rig.game.OfferTick();
    EXPECT_EQ(rig.game.offerphase(), 3);
}

TEST(Keno22Offer, HitSquaresShowTheHitPictureOneTickInThree) {
    Rig rig;
    rig.Deal(kFour, {2, 4}, 100, 1);
    rig.Play();
    std::string pattern;
    for (int t = 0; t < 9; ++t) {
        rig.game.FlashTick();
        for (int n : {2, 4}) {
            const SquareView& s = rig.view.Square(n);
            pattern += s.picture == SquarePicture::Hit ? 'H' : '.';
            if (s.picture == SquarePicture::None) {
                EXPECT_EQ(s.background, SquareBackground::Black);
                EXPECT_EQ(s.text, SquareText::OrangeRed);
            }
        }
        pattern += ' ';
    }
    EXPECT_EQ(pattern, "HH .. .. HH .. .. HH .. .. ");
    EXPECT_EQ(rig.view.Square(1).picture, SquarePicture::Marked);  // a miss is left alone
    EXPECT_EQ(rig.game.blinkphase(), 0);
}

}  // namespace
