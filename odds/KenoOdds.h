#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace keno {

enum class OddsGame { Keno22, Keno20 };

// One hit count of a ticket: how many of the C(80, 20) possible draws give it, and what it pays.
struct HitOdds {
    int hits = 0;
    std::uint64_t ways = 0;      // draws of 20 with exactly these hits (of KenoOdds::kAllDraws)
    long double probability = 0;
    int multiplier = 0;          // 0 when the count pays nothing
    bool offer = false;          // 22 balls: the count opens the extra-ball offer
    std::int32_t pay = 0;        // coins at the ticket's bet
    long double returnPart = 0;  // probability x multiplier: what this count gives back per coin bet
    long double share = 0;       // returnPart as a fraction of the ticket's whole return
};

// Everything the odds screen shows about one ticket. Returns are per coin of the ticket's bet.
struct TicketOdds {
    OddsGame game = OddsGame::Keno22;
    int spots = 0;
    int bet = 1;
    std::vector<HitOdds> rows;        // hits 0..spots
    long double anyWin = 0;           // the chance that the game pays anything
    long double returnTaking = 0;     // return to player; in the 22-ball game with every offer taken
    long double offerChance = 0;      // 22 balls: the chance that the offer opens; 0 otherwise
    long double returnBuying = 0;     // 22 balls, extra balls always bought, the extra bets paid out
                                      // of the wins; equals returnTaking where no offer can open
};

// One answer of the two extra balls.
struct ExtraBallOutcome {
    int newHits = 0;
    int pairs = 0;                // of the C(60, 2) pairs of balls that can still come
    long double probability = 0;
    std::int32_t win = 0;         // the final win at the bet (the extra bet not taken off)
    bool possible() const { return pairs > 0; }
};

// The extra-ball offer of a 22-ball game, valued. Coins at the offer's bet.
struct ExtraBallOdds {
    int spots = 0;
    int hits = 0;
    int bet = 1;
    std::int32_t takeNow = 0;                  // the win shown by the offer
    std::vector<ExtraBallOutcome> outcomes;    // 0, 1 and 2 new hits
    long double buyAverage = 0;                // average final win minus the extra bet
    long double advantage = 0;                 // buyAverage - takeNow: what buying is worth
};

// Exact odds of both games from their pay schedules: hit counts are hypergeometric (20 numbers
// shown of 80), the two extra balls come from the 60 numbers not shown. Counts are whole numbers
// of draws; sums are made in 128-bit integers and divided once, so nothing is lost on the way.
class KenoOdds {
public:
    static constexpr std::uint64_t kAllDraws = 3535316142212174320ull;  // C(80, 20)
    static constexpr int kExtraPairs = 1770;                            // C(60, 2)
    static constexpr int kMaxBet = 5;

    static int MinSpots(OddsGame game) { return game == OddsGame::Keno22 ? 2 : 3; }
    static int MaxSpots(OddsGame) { return 10; }

    // Nothing for a spot count the game does not play or a bet outside 1..5.
    static std::optional<TicketOdds> Ticket(OddsGame game, int spots, int bet);
    // Nothing unless (spots, hits) is an offer entry of the 22-ball schedule and the bet is 1..5.
    static std::optional<ExtraBallOdds> ExtraBalls(int spots, int hits, int bet);
};

// n choose k, exact (0 outside 0 <= k <= n); every value the odds need fits 64 bits.
std::uint64_t Choose(int n, int k);

}  // namespace keno
