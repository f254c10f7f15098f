// The pauses of the 22-ball draw, the clock-based landing wait, and settling at once for shut-down.
#include <numeric>

#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};

// 20 balls of 15 placements (the last ball 14) and a pause after each ball: 319 pauses of
// reelspeed, plus the 100 ms press effect and 22 zero pauses that only let events run.
TEST(Keno22Pacing, AWholeGameTakesItsDrawDuration) {
    for (auto [speed, total] : {std::pair{10, 3290}, {20, 6480}, {1, 100}, {0, 100}}) {
        SCOPED_TRACE(speed);
        Rig rig;
        rig.Deal(kFour, {1}, 100, 1);
        rig.state.reelspeed = static_cast<std::int16_t>(speed);
        rig.game.Play();
        const auto pauses = rig.Run();
        EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), total);
        EXPECT_EQ(pauses.size(), 1u + 22u + 319u);
    }
}

// Each extra ball falls 300 steps from the top edge, bounces in 10 and lands, then rests until
// 0.9 s past the second nearest its landing, across midnight too.
TEST(Keno22Pacing, ExtraBallsFallBounceAndWaitForTheClock) {
    std::vector<int> ball(300, 0);
    ball.insert(ball.end(), 10, 5);
    ball.push_back(2);
    // Clock at the purchase (the first ball lands 52 ms later) and its wait.
    const std::pair<double, int> cases[] = {{1000.0, 848},  {10.447, 401},  {10.448, 1400}, {10.948, 900},
                                            {86399.3, 548}, {86399.9, 948}, {86399.5, 1348}};
    for (auto [start, firstWait] : cases) {
        SCOPED_TRACE(start);
        Rig rig;
        rig.Deal(kFour, {1, 2, 3}, 100, 1, {4});
        rig.Play();
        rig.clock.now = start;
        std::vector<int> expected = ball;
        expected.push_back(firstWait);
        expected.insert(expected.end(), ball.begin(), ball.end());
        expected.push_back(948);  // the first wait ends at .9, so the second ball lands at .952
        EXPECT_EQ(rig.BuyExtraBalls(), expected);
        EXPECT_EQ(rig.game.hits(), 4);  // the sequence ran to its end and counted the hit
        EXPECT_EQ(rig.state.bank, 100 - 2 + 43);
    }
}

// Cut short after any step of PLAY or of the extra balls, the game ends as the paced one did.
TEST(Keno22Pacing, SettleNowEndsWithThePacedResult) {
    const auto expectSame = [](const Rig& a, const Rig& b) {
        EXPECT_FALSE(b.game.Running());
        EXPECT_EQ(a.state, b.state);
        EXPECT_EQ(std::tuple(a.game.drawn(), a.game.hitlist(), a.game.win(), a.game.outcome()),
                  std::tuple(b.game.drawn(), b.game.hitlist(), b.game.win(), b.game.outcome()));
        EXPECT_EQ(a.sound.cues, b.sound.cues);
        EXPECT_EQ(a.messenger.shown, b.messenger.shown);
        EXPECT_EQ(Dump(a.view), Dump(b.view));
    };
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
        expectSame(paced, settled);
        for (Rig* r : {&paced, &settled}) {
            r->BuyExtraBalls();  // bank 0 after the reduced bet: refused, then COINS and again
            r->board.InsertCoins();
        }
        paced.BuyExtraBalls();
        settled.game.BuyExtraBalls();
        for (int i = 0; i < after; ++i) settled.game.Advance();
        settled.game.SettleNow();
        expectSame(paced, settled);
        EXPECT_EQ(paced.state.bank, 20 - 3 + 129);
    }
}

}  // namespace
