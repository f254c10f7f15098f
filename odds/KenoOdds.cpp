#include "odds/KenoOdds.h"

#include <algorithm>

#include "keno20/Keno20PaySchedule.h"
#include "keno22/Keno22PaySchedule.h"

namespace keno {

namespace {

// Weighted sums of draw counts pass 64 bits (10000 x C(80, 20) x C(60, 2) is about 6e25).
__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UnsignedWide;

constexpr int kNumbers = 80;
constexpr int kShown = 20;
constexpr int kNotShown = kNumbers - kShown;
constexpr int kExtraBalls = 2;

struct Pay {
    int multiplier = 0;
    bool offer = false;
};

Pay PayOf(OddsGame game, int spots, int hits) {
    if (game == OddsGame::Keno22) {
        if (const auto entry = Keno22PaySchedule::Lookup(spots, hits)) return {entry->multiplier, entry->offer};
        return {};
    }
    if (const auto entry = Keno20PaySchedule::Lookup(spots, hits)) return {entry->multiplier, false};
    return {};
}

long double Ratio(Wide numerator, Wide denominator) {
    return static_cast<long double>(numerator) / static_cast<long double>(denominator);
}

std::uint64_t Ways(int spots, int hits) { return Choose(spots, hits) * Choose(kNumbers - spots, kShown - hits); }

// Pairs of extra balls that hit exactly `newHits` of the `unhit` spots still open.
int ExtraPairs(int unhit, int newHits) {
    return static_cast<int>(Choose(unhit, newHits) * Choose(kNotShown - unhit, kExtraBalls - newHits));
}

// What buying at (spots, hits) returns per coin, net of the extra bet, in 1/1770ths of a coin.
Wide BuyValuePairs(int spots, int hits) {
    Wide value = -KenoOdds::kExtraPairs;
    for (int j = 0; j <= kExtraBalls; ++j)
        value += Wide{ExtraPairs(spots - hits, j)} * PayOf(OddsGame::Keno22, spots, hits + j).multiplier;
    return value;
}

bool BetInRange(int bet) { return bet >= 1 && bet <= KenoOdds::kMaxBet; }

}  // namespace

std::uint64_t Choose(int n, int k) {
    if (n < 0 || k < 0 || k > n) return 0;
    k = std::min(k, n - k);
    UnsignedWide result = 1;
    // Each partial product is itself a binomial coefficient, so the division is exact.
    for (int i = 1; i <= k; ++i) result = result * static_cast<unsigned>(n - k + i) / static_cast<unsigned>(i);
    return static_cast<std::uint64_t>(result);
}

std::optional<TicketOdds> KenoOdds::Ticket(OddsGame game, int spots, int bet) {
    if (spots < MinSpots(game) || spots > MaxSpots(game) || !BetInRange(bet)) return std::nullopt;
    TicketOdds odds;
    odds.game = game;
    odds.spots = spots;
    odds.bet = bet;

    Wide returned = 0, winning = 0, offering = 0, buying = 0;
    for (int hits = 0; hits <= spots; ++hits) {
        HitOdds row;
        row.hits = hits;
        row.ways = Ways(spots, hits);
        row.probability = Ratio(row.ways, kAllDraws);
        const Pay pay = PayOf(game, spots, hits);
        row.multiplier = pay.multiplier;
        row.offer = pay.offer;
        row.pay = static_cast<std::int32_t>(bet) * pay.multiplier;
        row.returnPart = Ratio(Wide{row.ways} * pay.multiplier, kAllDraws);
        returned += Wide{row.ways} * pay.multiplier;
        if (pay.multiplier > 0) winning += row.ways;
        if (pay.offer) {
            offering += row.ways;
            buying += Wide{row.ways} * BuyValuePairs(spots, hits);
        } else {
            buying += Wide{row.ways} * pay.multiplier * kExtraPairs;
        }
        odds.rows.push_back(row);
    }
    odds.anyWin = Ratio(winning, kAllDraws);
    odds.returnTaking = Ratio(returned, kAllDraws);
    odds.offerChance = Ratio(offering, kAllDraws);
    odds.returnBuying = Ratio(buying, Wide{kAllDraws} * kExtraPairs);
    for (HitOdds& row : odds.rows) row.share = returned > 0 ? Ratio(Wide{row.ways} * row.multiplier, returned) : 0;
    return odds;
}

std::optional<ExtraBallOdds> KenoOdds::ExtraBalls(int spots, int hits, int bet) {
    if (!PayOf(OddsGame::Keno22, spots, hits).offer || !BetInRange(bet)) return std::nullopt;
    ExtraBallOdds odds;
    odds.spots = spots;
    odds.hits = hits;
    odds.bet = bet;
    odds.takeNow = static_cast<std::int32_t>(bet) * PayOf(OddsGame::Keno22, spots, hits).multiplier;
    for (int j = 0; j <= kExtraBalls; ++j) {
        ExtraBallOutcome outcome;
        outcome.newHits = j;
        outcome.pairs = ExtraPairs(spots - hits, j);
        outcome.probability = static_cast<long double>(outcome.pairs) / kExtraPairs;
        if (outcome.possible())
            outcome.win = static_cast<std::int32_t>(bet) * PayOf(OddsGame::Keno22, spots, hits + j).multiplier;
        odds.outcomes.push_back(outcome);
    }
    odds.buyAverage = Ratio(BuyValuePairs(spots, hits) * bet, kExtraPairs);
    odds.advantage = Ratio(BuyValuePairs(spots, hits) * bet - Wide{odds.takeNow} * kExtraPairs, kExtraPairs);
    return odds;
}

}  // namespace keno
