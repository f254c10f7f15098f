#pragma once
#include <cstdint>
#include <string>

#include "odds/KenoOdds.h"

namespace keno {

// How the odds read on screen and to a screen reader.

// "8,911,711": digits grouped in threes with commas.
std::string GroupedDigits(std::uint64_t value);
// "1 in 8,911,711" for a chance; one decimal from 1 in 10 to 1 in 100 ("1 in 16.6"), two below
// ("1 in 1.78"); "never" for 0.
std::string OneInText(long double probability);
// A chance or return as a percentage: two decimals from 1 % up ("90.19 %"), three significant
// digits below ("0.0000112 %"), "0 %" for nothing.
std::string PercentText(long double fraction);
// Coins with one decimal, two below 1 so a small edge does not read as nothing, without trailing
// zeros and, like the machine's meters, without grouping ("5045", "0.6"); `sign` puts "+" before a positive amount.
std::string CoinsText(long double coins, bool sign = false);
// The one line of advice at the offer: "Buying is worth +1.4 coins on average", "Taking the win is
// better by 0.6 coins on average", or "Buying and taking are worth the same on average" when the
// difference shows as nothing.
std::string AdviceText(long double advantage);
// How the offer stands besides its odds: a refused purchase takes TAKE WIN away, and a purchase
// the credit cannot pay is refused.
struct OfferStanding {
    bool takeWinOpen = true;
    bool creditCovers = true;  // the credit pays the extra bet
};
// The advice line for the offer as it stands. It never points to what the player cannot do now:
// with the credit short it does not send them to buy, and once TAKE WIN is gone it does not weigh
// taking ("Only buying is left: insert coins, then buy").
std::string OfferAdviceText(const ExtraBallOdds& odds, const OfferStanding& standing);
// "no new hit", "1 new hit", "2 new hits".
std::string NewHitsText(int newHits);
// Everything the advisor panel shows, as one sentence for a screen reader.
std::string SpokenAdvice(const ExtraBallOdds& odds, const OfferStanding& standing = {});

}  // namespace keno
