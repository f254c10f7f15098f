#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <memory>
#include <vector>

#include "board/KenoBoard.h"
#include "keno20/Keno20Game.h"
#include "tests/fakes/RecordingFakes.h"
#include "tests/keno20/ChiSquare.h"

using namespace keno;
using namespace keno::stats;

namespace {

constexpr double kAlpha = 1e-6;

struct SilentSound final : SoundSink {
    void Play(Cue) override {}
};

// Whole games through the engine, settled at once, with a plentiful credit.
class Games {
public:
    Games(std::unique_ptr<RandomSource> random, const std::vector<int>& ticket) : random_(std::move(random)) {
        state_.bank = 100;
        state_.coinsbet = 1;
        for (int n : ticket) board_.MarkSquare(n);
    }
    std::bitset<81> PlayOne() {
        state_.bank = 1000000;
        game_.Play();
        game_.SettleNow();
        std::bitset<81> set;
        for (int n : game_.drawn()) set.set(static_cast<std::size_t>(n));
        return set;
    }
    const Keno20Game& game() const { return game_; }

private:
    std::unique_ptr<RandomSource> random_;
    MachineState state_;
    ViewModel view_;
    SilentSound sound_;
    ScriptedMessenger messenger_;
    Keno20PayTable table_{view_};
    clsKenoBoard board_{BoardRules::Keno20, state_, view_, sound_, messenger_, *random_};
    Keno20Game game_{state_, board_, table_, view_, sound_, messenger_, *random_};
};

const std::vector<int> kTicket10{3, 11, 19, 27, 35, 43, 51, 59, 67, 75};
const std::vector<int> kTicket4{7, 23, 48, 80};

double Pearson(const std::vector<long>& counts, double expected) {
    double x2 = 0;
    for (long c : counts) x2 += (static_cast<double>(c) - expected) * (static_cast<double>(c) - expected) / expected;
    return x2;
}

}  // namespace

TEST(Keno20Draw, NumbersAndPositionsAreUniform) {
    constexpr long kGames = 10000;
    Games games(std::make_unique<SeededRandomSource>(2020), kTicket10);
    std::vector<long> perNumber(80);
    std::vector<std::vector<long>> perPosition(20, std::vector<long>(80));
    for (long g = 0; g < kGames; ++g) {
        ASSERT_EQ(games.PlayOne().count(), 20u) << "a draw repeats a number";
        const auto& drawn = games.game().drawn();
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            ASSERT_GE(drawn[i], 1);
            ASSERT_LE(drawn[i], 80);
            ++perNumber[static_cast<std::size_t>(drawn[i] - 1)];
            ++perPosition[i][static_cast<std::size_t>(drawn[i] - 1)];
        }
    }
    // Drawing without replacement makes the counts less spread than chi-square expects.
    const double numbers = Pearson(perNumber, kGames * 20 / 80.0) * 79.0 / 60.0;
    EXPECT_GT(ChiSquareTail(numbers, 79), kAlpha) << "X^2 " << numbers;
    for (std::size_t i = 0; i < perPosition.size(); ++i) {
        const double x2 = Pearson(perPosition[i], kGames / 80.0);
        EXPECT_GT(ChiSquareTail(x2, 79), kAlpha) << "ball " << i + 1 << " X^2 " << x2;
    }
}

class TicketHits : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(TicketHits, FollowTheHypergeometricLaw) {
    constexpr long kGames = 20000;
    const auto& ticket = GetParam();
    const int s = static_cast<int>(ticket.size());
    Games games(std::make_unique<SeededRandomSource>(400u + static_cast<unsigned>(s)), ticket);
    std::vector<long> counts(static_cast<std::size_t>(s + 1));
    for (long g = 0; g < kGames; ++g) {
        games.PlayOne();
        ++counts[static_cast<std::size_t>(games.game().hits())];
    }
    std::vector<double> law;
    for (int h = 0; h <= s; ++h) law.push_back(Hypergeometric(h, s, 20));
    const Fit fit = PearsonMerged(counts, law, kGames);
    EXPECT_GE(fit.df, s == 10 ? 6 : 3);
    EXPECT_GT(fit.pValue(), kAlpha) << "X^2 " << fit.statistic << " on " << fit.df;
}

INSTANTIATE_TEST_SUITE_P(Tickets, TicketHits, ::testing::Values(kTicket10, kTicket4));

TEST(Keno20Draw, TheLawItselfMatchesKnownValues) {
    EXPECT_NEAR(1 / Hypergeometric(10, 10, 20), 8911711.18, 0.01);
    EXPECT_NEAR(Hypergeometric(5, 10, 20), 0.051428, 1e-6);
    EXPECT_NEAR(Hypergeometric(0, 10, 20), 0.045791, 1e-6);
    EXPECT_NEAR(Hypergeometric(4, 4, 20), 0.0030634, 1e-7);
    EXPECT_NEAR(ChiSquareTail(153.7, 79), 1e-6, 2e-7);
}

namespace {

// How many numbers each draw shares with the one before: hypergeometric with mean 5; an
// identical pair (probability 2.8e-19) means the generator repeated itself.
void ExpectConsecutiveDrawsIndependent(std::unique_ptr<RandomSource> random, long draws) {
    Games games(std::move(random), kTicket4);
    std::vector<long> shared(21);
    auto previous = games.PlayOne();
    for (long g = 1; g < draws; ++g) {
        const auto current = games.PlayOne();
        const auto common = (current & previous).count();
        ASSERT_LT(common, 20u) << "two consecutive draws are identical at game " << g;
        ++shared[common];
        previous = current;
    }
    std::vector<double> law;
    for (int k = 0; k <= 20; ++k) law.push_back(Hypergeometric(k, 20, 20));
    const Fit fit = PearsonMerged(shared, law, draws - 1);
    EXPECT_GT(fit.pValue(), kAlpha) << "X^2 " << fit.statistic << " on " << fit.df;
}

}  // namespace

TEST(Keno20Draw, ConsecutiveDrawsShareNumbersByChanceOnly) {
    ExpectConsecutiveDrawsIndependent(std::make_unique<SeededRandomSource>(77), 10000);
}

// The window's own generator, reseeded before every game: games in quick succession must not
// repeat a draw however fine or coarse the clock is.
TEST(Keno20Draw, ClockReseededDrawsInQuickSuccessionDiffer) {
    ExpectConsecutiveDrawsIndependent(std::make_unique<ClockRandomSource>(), 3000);
}
