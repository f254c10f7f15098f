// The rules of an autoplay run: when it may play the next game, when it stops, how it answers the
// offer, and what its counter and its last line say.
#include <gtest/gtest.h>

#include "autoplay/AutoplayPlan.h"

namespace keno {
namespace {

AutoplaySettings Settings(int games, bool stopBelowBet, std::int32_t stopOnWin = 0,
                          OfferAnswer offer = OfferAnswer::AskMe) {
    return {games, stopBelowBet, stopOnWin, offer};
}

TEST(AutoplayPlan, MayPlayTheNextGameOnlyWhenNothingStopsIt) {
    struct Case {
        const char* name;
        AutoplaySettings settings;
        int settledBefore;
        bool stopAsked;
        std::int32_t credit;
        int bet;
        bool mayPlay;
        StopReason why;
    } const cases[] = {
        {"first of five", Settings(5, true), 0, false, 100, 5, true, {}},
        {"the count played", Settings(5, true), 5, false, 100, 5, false, StopReason::Done},
        {"credit exactly the bet", Settings(5, true), 1, false, 5, 5, true, {}},
        {"credit one short", Settings(5, true), 1, false, 4, 5, false, StopReason::CreditBelowBet},
        {"short, but told to go on (the game cuts the bet)", Settings(5, false), 1, false, 4, 5, true, {}},
        {"no credit, told to go on (the game refuses)", Settings(5, false), 1, false, 0, 1, true, {}},
        {"a key was pressed", Settings(100, true), 3, true, 100, 1, false, StopReason::PlayerStopped},
        {"a key on the last game", Settings(5, true), 5, true, 100, 1, false, StopReason::PlayerStopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AutoplayPlan plan(c.settings);
        StopReason why{};
        for (int i = 0; i < c.settledBefore; ++i) EXPECT_FALSE(plan.Settled(0, why));
        if (c.stopAsked) plan.RequestStop();
        why = StopReason::WindowLeft;
        EXPECT_EQ(plan.MayPlay(c.credit, c.bet, why), c.mayPlay);
        if (!c.mayPlay) {
            EXPECT_EQ(why, c.why);
        }
        EXPECT_EQ(plan.GamesLeft(), c.settings.games - c.settledBefore);
    }
}

TEST(AutoplayPlan, AWinOfAtLeastTheAmountSetStopsTheRun) {
    const struct {
        std::int32_t stopOnWin, win;
        bool stops;
    } cases[] = {{0, 50000, false}, {100, 99, false}, {100, 100, true}, {100, 101, true}, {1, 1, true}, {1, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stopOnWin) + " / " + std::to_string(c.win));
        AutoplayPlan plan(Settings(10, true, c.stopOnWin));
        StopReason why = StopReason::Done;
        EXPECT_EQ(plan.Settled(c.win, why), c.stops);
        if (c.stops) {
            EXPECT_EQ(why, StopReason::BigWin);
        }
        EXPECT_EQ(plan.GamesLeft(), 9);
    }
}

TEST(AutoplayPlan, AnswersTheOfferAsSetAndNeverBuysWhatTheCreditCannotPay) {
    using Move = AutoplayPlan::OfferMove;
    const struct {
        OfferAnswer answer;
        bool stopBelowBet;
        std::int32_t credit;
        Move move;
    } cases[] = {
        {OfferAnswer::AskMe, true, 0, Move::Wait},     {OfferAnswer::TakeWin, true, 0, Move::TakeWin},
        {OfferAnswer::Buy, true, 3, Move::Buy},        {OfferAnswer::Buy, true, 2, Move::Stop},
        {OfferAnswer::Buy, false, 2, Move::Buy},  // the game's own refusal then stops the run
    };
    for (const auto& c : cases) {
        AutoplayPlan plan(Settings(10, c.stopBelowBet, 0, c.answer));
        EXPECT_EQ(plan.AtOffer(c.credit, 3), c.move) << static_cast<int>(c.answer) << " at " << c.credit;
    }
}

TEST(AutoplayPlan, CounterAndLastLine) {
    AutoplayPlan plan(Settings(5, true, 100));
    StopReason why{};
    EXPECT_EQ(plan.CounterText(false), "AUTOPLAY: 5 GAMES LEFT  (ANY KEY STOPS)");
    for (int i = 0; i < 4; ++i) plan.Settled(0, why);
    EXPECT_EQ(plan.CounterText(false), "AUTOPLAY: 1 GAME LEFT  (ANY KEY STOPS)");
    EXPECT_EQ(plan.CounterText(true), "AUTOPLAY: YOUR ANSWER TO THE OFFER, 1 GAME LEFT  (ESC STOPS)");
    EXPECT_EQ(plan.StopText(StopReason::BigWin, 150), "AUTOPLAY STOPPED: A WIN OF 150");
    EXPECT_EQ(plan.StopText(StopReason::PlayerStopped, 0), "AUTOPLAY STOPPED AFTER 4 GAMES");
    plan.Settled(0, why);
    EXPECT_EQ(plan.StopText(StopReason::Done, 0), "AUTOPLAY DONE: 5 GAMES PLAYED");
    EXPECT_EQ(plan.StopText(StopReason::WindowLeft, 0), "");  // nobody is looking
    plan.RequestStop();
    EXPECT_EQ(plan.CounterText(false), "AUTOPLAY STOPS AFTER THIS GAME");
}

}  // namespace
}  // namespace keno
