// The advisor's value of buying against the real 22-ball game: offers played through Keno22Game
// with the extra balls left to its urn (a fixed-seed stream), so a fault in either the odds or the
// game's extra balls shows. Fixed seeds; a check fails only at alpha = 1e-6.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "odds/KenoOdds.h"
#include "tests/keno22/Keno22GameRig.h"
#include "tests/support/DrawStats.h"

using namespace keno;
using namespace keno::stats;

namespace {

struct Offer {
    int spots, hits, bet;
    long count;
};

// A main draw of 20 with exactly `hits` of the ticket, every such draw equally likely, in
// random order (Fisher-Yates from 53-bit fractions, the same on every standard library).
std::vector<int> MainDrawWithHits(const std::vector<int>& ticket, int hits, std::mt19937_64& rng) {
    const auto shuffle = [&rng](std::vector<int>& v) {
        for (std::size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[static_cast<std::size_t>(static_cast<double>(i) * FractionFrom(rng))]);
    };
    std::vector<int> on = ticket, off;
    for (int n = 1; n <= 80; ++n)
        if (!Contains(ticket, n)) off.push_back(n);
    shuffle(on);
    shuffle(off);
    std::vector<int> draw(on.begin(), on.begin() + hits);
    draw.insert(draw.end(), off.begin(), off.begin() + (20 - hits));
    shuffle(draw);
    return draw;
}

// Two-sided chance of a normal deviation at least this many standard errors.
double NormalTail(double z) { return std::erfc(std::fabs(z) / std::sqrt(2.0)); }

}  // namespace

// 250,000 offers over five tickets, from one to five spots still open; each bought, the credit
// change is the net result of buying. Its average must sit in the confidence interval around the
// advisor's figure, the new hits must follow the advisor's chances, and every outcome must pay
// exactly what the advisor says it pays.
TEST(ExtraBallStats, BuyingReturnsWhatTheAdvisorSays) {
    const Offer offers[] = {{4, 3, 2, 50000}, {6, 4, 1, 50000}, {8, 5, 3, 50000}, {9, 7, 5, 50000}, {10, 5, 1, 50000}};
    std::mt19937_64 rng(0x0dd5);
    long played = 0;
    for (const Offer& o : offers) {
        SCOPED_TRACE(testing::Message() << o.spots << " spots " << o.hits << " hits, bet " << o.bet);
        const auto odds = KenoOdds::ExtraBalls(o.spots, o.hits, o.bet);
        ASSERT_TRUE(odds);

        Rig rig(static_cast<std::uint64_t>(o.spots * 100 + o.hits));
        std::vector<int> ticket;
        for (int n = 7; static_cast<int>(ticket.size()) < o.spots; n += 7) ticket.push_back(n);
        rig.state.bank = 100;
        rig.state.coinsbet = static_cast<std::int16_t>(o.bet);
        for (int n : ticket) rig.board.MarkSquare(n);
        ASSERT_EQ(rig.board.spots(), o.spots);

        // Taking the win pays the advisor's "now" figure.
        rig.state.bank = 1000;
        rig.random.Force(MainDrawWithHits(ticket, o.hits, rng));
        rig.game.Play();
        rig.game.SettleNow();
        ASSERT_TRUE(rig.game.OfferOpen());
        rig.game.TakeWin();
        rig.game.SettleNow();
        EXPECT_EQ(rig.state.bank, 1000 - o.bet + odds->takeNow);

        std::vector<long> newHits(3);
        double sum = 0, squares = 0;
        for (long i = 0; i < o.count; ++i) {
            rig.state.bank = 1000;
            rig.random.Force(MainDrawWithHits(ticket, o.hits, rng));
            rig.game.Play();
            rig.game.SettleNow();
            ASSERT_TRUE(rig.game.OfferOpen());
            ASSERT_EQ(rig.game.hits(), o.hits);
            const std::int32_t before = rig.state.bank;
            rig.game.BuyExtraBalls();
            rig.game.SettleNow();
            const int net = rig.state.bank - before;
            const int gained = rig.game.hits() - o.hits;
            ASSERT_TRUE(gained >= 0 && gained <= 2);
            ASSERT_EQ(net, odds->outcomes[static_cast<std::size_t>(gained)].win - o.bet) << gained << " new";
            ++newHits[static_cast<std::size_t>(gained)];
            sum += net;
            squares += static_cast<double>(net) * net;
            rig.sound.cues.clear();
        }
        played += o.count;

        const double n = static_cast<double>(o.count);
        const double mean = sum / n;
        const double spread = std::sqrt(std::max(0.0, (squares - n * mean * mean) / (n - 1)));
        const double z = (mean - static_cast<double>(odds->buyAverage)) / (spread / std::sqrt(n));
        EXPECT_GT(NormalTail(z), kAlpha) << "average " << mean << " against " << static_cast<double>(odds->buyAverage);

        std::vector<double> chances;
        for (const ExtraBallOutcome& outcome : odds->outcomes) chances.push_back(static_cast<double>(outcome.probability));
        const Fit fit = PearsonMerged(newHits, chances, o.count);
        if (fit.df > 0) {
            EXPECT_GT(fit.pValue(), kAlpha) << "new hits " << newHits[0] << ' ' << newHits[1] << ' ' << newHits[2];
        }
        for (std::size_t j = 0; j < 3; ++j) {
            if (!odds->outcomes[j].possible()) {
                EXPECT_EQ(newHits[j], 0) << j << " new hits";
            }
        }
    }
    EXPECT_GE(played, 200000);
}
