// Statistical checks of the 22-ball draw: fixed seeds, failing only at alpha = 1e-6.
#include <array>

#include "tests/keno22/Keno22GameRig.h"
#include "tests/support/DrawStats.h"

using namespace keno;
using namespace keno::stats;

namespace {

const std::vector<int> kTicket{3, 11, 19, 27, 40, 41, 52, 66, 71, 80};

TEST(DrawStats, HelpersMatchKnownValues) {
    EXPECT_NEAR(std::log10(ChiSquareTail(153.7, 79)), -6.0, 0.05);
    EXPECT_NEAR(ChiSquareTail(3.841, 1), 0.05, 1e-4);
    EXPECT_NEAR(Hypergeometric(5, 10, 20), 0.051428, 1e-6);
    EXPECT_NEAR(Hypergeometric(0, 10, 20), 0.045791, 1e-6);
    EXPECT_NEAR(1 / Hypergeometric(10, 10, 20), 8911711.18, 1.0);
    EXPECT_NEAR(Hypergeometric(4, 4, 20), 0.0030634, 1e-7);
    EXPECT_NEAR(Hypergeometric(1, 3, 2, 60), 2 * 3 * 57 / (60.0 * 59.0), 1e-12);
}

// The urn itself: numbers, positions, consecutive draws, and the hits of 4 and 10 spots in the
// main draw (20 balls) and after the extra balls (22).
TEST(Keno22DrawStats, UrnDrawsAreUniformIndependentAndHypergeometric) {
    SeededRandomSource random(2201);
    constexpr long kDraws = 100000;
    DrawTally tally(22);
    std::array<std::array<std::vector<long>, 2>, 2> hits;  // [4 or 10 spots][20 or 22 drawn]
    for (auto& bySpots : hits) bySpots = {std::vector<long>(11), std::vector<long>(11)};
    for (long g = 0; g < kDraws; ++g) {
        std::array<int, 22> d{};
        DrawFromUrn(random, 22, d.begin());
        ASSERT_TRUE(tally.Add(d.begin()));
        for (std::size_t t = 0; t < 2; ++t) {
            const std::vector<int> ticket(kTicket.begin(), kTicket.begin() + (t ? 10 : 4));
            int h = 0;
            for (std::size_t i = 0; i < 22; ++i) {
                if (i == 20) ++hits[t][0][static_cast<std::size_t>(h)];
                h += Contains(ticket, d[i]);
            }
            ++hits[t][1][static_cast<std::size_t>(h)];
        }
    }
    ExpectUniformAndIndependent(tally);
    for (std::size_t t = 0; t < 2; ++t)
        for (std::size_t k = 0; k < 2; ++k) {
            const Fit fit = HitsFit(hits[t][k], t ? 10 : 4, k ? 22 : 20, kDraws);
            EXPECT_GE(fit.df, 3);
            EXPECT_GT(fit.pValue(), kAlpha) << (t ? 10 : 4) << " spots, " << (k ? 22 : 20) << " drawn";
        }
}

// Through the engine: every PLAY charged once, the 20 shown uniform and never a repeated game.
TEST(Keno22DrawStats, GamesThroughTheEngineDrawFreshNumbers) {
    Rig rig(2204);
    rig.Deal(kTicket, {}, 1000000000, 1, {}, false);
    constexpr long kGames = 20000;
    DrawTally tally(22);
    std::vector<long> hits(11);
    for (long g = 0; g < kGames; ++g) {
        rig.game.Play();
        rig.game.SettleNow();
        ++hits[static_cast<std::size_t>(rig.game.hits())];
        ASSERT_TRUE(tally.Add(rig.game.drawn().begin()));
        if (rig.game.OfferOpen()) {
            rig.game.TakeWin();
            rig.game.SettleNow();
        }
    }
    EXPECT_EQ(rig.state.wager, kGames);
    ExpectUniformAndIndependent(tally, false);
    EXPECT_GT(HitsFit(hits, 10, 20, kGames).pValue(), kAlpha);
}

// The production source reseeds before every draw: a coarse clock must not repeat draws.
TEST(Keno22DrawStats, TheClockSourceNeverRepeatsBackToBackDraws) {
    ClockRandomSource random;
    DrawTally tally(22);
    for (int g = 0; g < 20000; ++g) {
        std::array<int, 22> d{};
        DrawFromUrn(random, 22, d.begin());
        ASSERT_TRUE(tally.Add(d.begin()));
    }
    EXPECT_GT(tally.SharedFit().pValue(), kAlpha);
    EXPECT_EQ(tally.Repeats(), 0);
}

}  // namespace
