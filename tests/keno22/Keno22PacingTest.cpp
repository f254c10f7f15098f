// The pauses of the 22-ball draw, the clock-based landing wait, and settling at once for shut-down.
#include <map>

#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};

// 20 balls of 15 placements (the last ball 14) and a pause after each ball: 319 pauses of
// reelspeed, plus the 100 ms press effect and 22 zero pauses that only let events run. The first
// ball appears at the top edge, rises from below its slot and falls back into the bottom row.
TEST(Keno22Pacing, AWholeGameTakesItsDrawDuration) {
    for (auto [speed, total] : {std::pair{10, 3290}, {20, 6480}, {1, 100}, {0, 100}}) {
        SCOPED_TRACE(speed);
        Rig rig;
        rig.Deal(kFour, {1}, 100, 1);
        rig.state.reelspeed = static_cast<std::int16_t>(speed);
        rig.game.Play();
        std::vector<int> tops;
        const auto pauses = rig.Run([&] { if (tops.size() < 20) tops.push_back(rig.view.Ball(1).top); });
        EXPECT_EQ(Sum(pauses), total);
        ASSERT_EQ(pauses.size(), 1u + 22u + 319u);
        std::map<int, int> histogram;
        for (int p : pauses) ++histogram[p];
        if (speed <= 1) continue;
        EXPECT_EQ(histogram, (std::map<int, int>{{0, 22}, {100, 1}, {speed, 319}}));
        std::vector<int> expected{0, 100, 0};  // press effect and the landing-row reset
        expected.insert(expected.end(), 15, speed);
        expected.insert(expected.end(), {0, speed});  // the landing sound lets events run, then the ball pause
        EXPECT_EQ(std::vector<int>(pauses.begin(), pauses.begin() + 20), expected);
        EXPECT_EQ(std::vector<int>(tops.begin() + 3, tops.end()),
                  (std::vector<int>{1, 5001, 4961, 4921, 4881, 4841, 4801, 4761, 4721, 4681, 4641, 4601, 4801, 5001,
                                    5000, 5000, 5000}));
        EXPECT_EQ(rig.view.Ball(1).left, 8130);
    }
}

// Each extra ball falls 300 steps from the top edge, bounces in 10 and lands, then rests until
// 0.9 s past the second nearest its landing.
TEST(Keno22Pacing, ExtraBallsFallBounceAndWaitForTheClock) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 1);
    rig.Play();
    rig.clock.now = 1000.0;
    rig.game.BuyExtraBalls();
    std::vector<int> tops;
    const auto pauses = rig.Run([&] { if (tops.size() < 312) tops.push_back(rig.view.Ball(21).top); });
    std::vector<int> ball(300, 0);
    ball.insert(ball.end(), 10, 5);
    ball.push_back(2);
    std::vector<int> expected = ball;
    expected.push_back(848);  // landed at 1000.052: until 1000.9
    expected.insert(expected.end(), ball.begin(), ball.end());
    expected.push_back(948);  // landed at 1000.952: until 1001.9
    EXPECT_EQ(pauses, expected);
    EXPECT_EQ(Sum(pauses), 1900);
    EXPECT_EQ((std::vector<int>{tops[0], tops[1], tops[299], tops[300], tops[309], tops[310], tops[311]}),
              (std::vector<int>{1, 18, 4984, 4961, 4601, 5001, 5000}));
    for (std::size_t i = 1; i < 300; ++i) EXPECT_GT(tops[i], tops[i - 1]) << i;
    EXPECT_EQ(std::count(rig.sound.cues.begin(), rig.sound.cues.end(), Cue::BallLands), 20 + 2);
}

TEST(Keno22Pacing, LandingWaitFollowsTheClockAcrossMidnight) {
    // Clock at the purchase (the first ball lands 52 ms later) and its wait.
    const std::pair<double, int> cases[] = {{10.0, 848},    {10.447, 401},  {10.448, 1400}, {10.948, 900},
                                            {86399.3, 548}, {86399.9, 948}, {86399.5, 1348}};
    for (auto [start, firstWait] : cases) {
        SCOPED_TRACE(start);
        Rig rig;
        rig.Deal(kFour, {1, 2, 3}, 100, 1, {4});
        rig.Play();
        rig.clock.now = start;
        const auto pauses = rig.BuyExtraBalls();
        ASSERT_EQ(pauses.size(), 2u * 312u);
        EXPECT_EQ(pauses[311], firstWait);
        EXPECT_EQ(pauses[623], 948);  // the first wait ends at .9, so the second ball lands at .952
        EXPECT_FALSE(rig.game.Running());
        EXPECT_EQ(rig.game.hits(), 4);  // the sequence ran to its end and counted the hit
        EXPECT_EQ(rig.state.bank, 100 - 2 + 43);
    }
}

void ExpectSameGame(const Rig& a, const Rig& b) {
    EXPECT_EQ(a.state, b.state);
    EXPECT_EQ(a.game.drawn(), b.game.drawn());
    EXPECT_EQ(a.game.hitlist(), b.game.hitlist());
    EXPECT_EQ(a.game.win(), b.game.win());
    EXPECT_EQ(a.game.outcome(), b.game.outcome());
    EXPECT_EQ(a.sound.cues, b.sound.cues);
    EXPECT_EQ(a.messenger.shown, b.messenger.shown);
    for (int n = 1; n <= 80; ++n) EXPECT_EQ(a.view.Square(n), b.view.Square(n)) << n;
    for (int i = 1; i <= 22; ++i) EXPECT_EQ(a.view.Ball(i), b.view.Ball(i)) << i;
    EXPECT_EQ(a.view.Texts(), b.view.Texts());
    EXPECT_EQ(a.view.Timers(), b.view.Timers());
    ASSERT_EQ(a.view.Controls().size(), b.view.Controls().size());
    for (const auto& [name, c] : a.view.Controls()) {
        EXPECT_EQ(c.enabled, b.Enabled(name.c_str())) << name;
        EXPECT_EQ(c.visible, b.view.Visible(name)) << name;
    }
}

TEST(Keno22Pacing, SettleNowEndsWithThePacedResult) {
    for (int after : {0, 1, 40, 300}) {
        SCOPED_TRACE(after);
        Rig paced, settled;
        for (Rig* r : {&paced, &settled}) {
            r->Deal(kFour, {1, 2, 3}, 3, 5, {4});  // reduced bet message, offer, then the full catch
            r->state.reelspeed = 10;
        }
        paced.Play();
        settled.game.Play();
        for (int i = 0; i < after; ++i) settled.game.Advance();
        settled.game.SettleNow();
        EXPECT_FALSE(settled.game.Running());
        ExpectSameGame(paced, settled);

        for (Rig* r : {&paced, &settled}) {
            r->BuyExtraBalls();  // bank 0 after the reduced bet: refused, then COINS and again
            r->board.InsertCoins();
        }
        paced.BuyExtraBalls();
        settled.game.BuyExtraBalls();
        for (int i = 0; i < after; ++i) settled.game.Advance();
        settled.game.SettleNow();
        ExpectSameGame(paced, settled);
        EXPECT_EQ(paced.state.bank, 20 - 3 + 129);
        EXPECT_EQ(paced.messenger.shown.size(), 2u);
    }
}

}  // namespace
