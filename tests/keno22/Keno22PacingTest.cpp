#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};

std::map<int, int> Histogram(const std::vector<int>& pauses) {
    std::map<int, int> h;
    for (int p : pauses) ++h[p];
    return h;
}

TEST(Keno22Pacing, FirstBallBouncesIntoTheBottomRow) {
    Rig rig;
    rig.Deal(kFour, {}, 100, 1);
    rig.state.reelspeed = 10;
    rig.game.Play();
    for (int i = 0; i < 3; ++i) rig.game.Advance();  // press effect and the landing-row reset

    std::vector<int> tops, pauses;
    for (int i = 0; i < 17; ++i) {
        pauses.push_back(rig.game.Advance().value());
        tops.push_back(rig.view.Ball(1).top);
    }
    EXPECT_EQ(tops, (std::vector<int>{1, 5001, 4961, 4921, 4881, 4841, 4801, 4761, 4721, 4681, 4641, 4601, 4801,
                                      5001, 5000, 5000, 5000}));
    std::vector<int> expected(15, 10);
    expected.insert(expected.end(), {0, 10});  // the landing sound lets events run, then the ball pause
    EXPECT_EQ(pauses, expected);
    EXPECT_EQ(rig.view.Ball(1).left, 8130);
}

struct SpeedCase {
    int reelspeed, total;
};

class Keno22GamePauses : public ::testing::TestWithParam<SpeedCase> {};

// 20 balls of 15 placements (the last ball 14) and a pause after each ball: 319 pauses of
// reelspeed, plus the 100 ms press effect and 22 zero pauses that only let events run.
TEST_P(Keno22GamePauses, AWholeGameTakesItsDrawDuration) {
    Rig rig;
    rig.Deal(kFour, {1}, 100, 1);
    rig.state.reelspeed = static_cast<std::int16_t>(GetParam().reelspeed);
    const auto pauses = rig.Play();
    EXPECT_EQ(Sum(pauses), GetParam().total);
    EXPECT_EQ(pauses.size(), 1u + 22u + 319u);
    EXPECT_EQ((std::vector<int>(pauses.begin(), pauses.begin() + 3)), (std::vector<int>{0, 100, 0}));
    const int speed = rig.state.reelspeed;
    const auto h = Histogram(pauses);
    if (speed > 0) {
        EXPECT_EQ(h.at(speed), 319);
        EXPECT_EQ(h.at(0), 22);
    }
}

INSTANTIATE_TEST_SUITE_P(Speeds, Keno22GamePauses,
                         ::testing::Values(SpeedCase{10, 3290}, SpeedCase{20, 6480}, SpeedCase{1, 100},
                                           SpeedCase{0, 100}));

TEST(Keno22Pacing, ExtraBallsFallBounceAndWaitForTheClock) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 1);
    rig.Play();
    rig.clock.now = 1000.0;
    const auto pauses = rig.BuyExtraBalls();

    std::vector<int> ball(300, 0);
    ball.insert(ball.end(), 10, 5);
    ball.push_back(2);
    std::vector<int> expected = ball;
    expected.push_back(848);  // landed at 1000.052: until 1000.9
    expected.insert(expected.end(), ball.begin(), ball.end());
    expected.push_back(948);  // landed at 1000.952: until 1001.9
    EXPECT_EQ(pauses, expected);
    EXPECT_EQ(Sum(pauses), 1900);
}

TEST(Keno22Pacing, ExtraBallTopsFromTheEdgeToTheBottomRow) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 1);
    rig.Play();
    rig.game.BuyExtraBalls();
    std::vector<int> tops;
    for (int i = 0; i < 312; ++i) {
        rig.game.Advance();
        tops.push_back(rig.view.Ball(21).top);
    }
    EXPECT_EQ(tops[0], 1);
    EXPECT_EQ(tops[1], 18);
    EXPECT_EQ(tops[299], 4984);
    EXPECT_EQ(tops[300], 4961);
    EXPECT_EQ(tops[309], 4601);
    EXPECT_EQ(tops[310], 5001);
    EXPECT_EQ(tops[311], 5000);  // placed, sounded, waiting
    for (std::size_t i = 1; i < 300; ++i) EXPECT_GT(tops[i], tops[i - 1]) << i;
    EXPECT_EQ(rig.sound.cues.back(), Cue::BallLands);
}

struct WaitCase {
    double start;  // clock at the purchase; the first ball lands 52 ms later
    int firstWait;
};

void PrintTo(const WaitCase& c, std::ostream* os) { *os << "purchase at " << c.start; }

class Keno22LandingWait : public ::testing::TestWithParam<WaitCase> {};

TEST_P(Keno22LandingWait, WaitsUntilNineTenthsPastTheNearestSecond) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 1, {4});
    rig.Play();
    rig.clock.now = GetParam().start;
    const auto pauses = rig.BuyExtraBalls();
    ASSERT_EQ(pauses.size(), 2u * 312u);
    EXPECT_EQ(pauses[311], GetParam().firstWait);
    EXPECT_EQ(pauses[623], 948);  // the first wait ends at .9, so the second ball lands at .952
    EXPECT_FALSE(rig.game.Running());
    EXPECT_EQ(rig.game.hits(), 4);  // the sequence ran to its end and counted the hit
    EXPECT_EQ(rig.state.bank, 100 - 2 + 43);
}

INSTANTIATE_TEST_SUITE_P(Clock, Keno22LandingWait,
                         ::testing::Values(WaitCase{10.0, 848}, WaitCase{10.447, 401}, WaitCase{10.448, 1400},
                                           WaitCase{10.948, 900}, WaitCase{86399.3, 548},
                                           // lands at 86399.952 and waits past midnight until 0.9
                                           WaitCase{86399.9, 948}, WaitCase{86399.5, 1348}));

void ExpectSameView(const ViewModel& a, const ViewModel& b) {
    for (int n = 1; n <= 80; ++n) EXPECT_EQ(a.Square(n), b.Square(n)) << n;
    for (int i = 1; i <= 22; ++i) EXPECT_EQ(a.Ball(i), b.Ball(i)) << i;
    EXPECT_EQ(a.Texts(), b.Texts());
    EXPECT_EQ(a.Timers(), b.Timers());
    ASSERT_EQ(a.Controls().size(), b.Controls().size());
    for (const auto& [name, c] : a.Controls()) {
        EXPECT_EQ(c.enabled, b.Enabled(name)) << name;
        EXPECT_EQ(c.visible, b.Visible(name)) << name;
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
    ExpectSameView(a.view, b.view);
}

TEST(Keno22Pacing, SettleNowEndsWithThePacedResult) {
    for (int after : {0, 1, 40, 300}) {
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

        paced.BuyExtraBalls();  // bank 0 after the reduced bet: refused, then COINS and again
        settled.BuyExtraBalls();
        paced.board.InsertCoins();
        settled.board.InsertCoins();
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
