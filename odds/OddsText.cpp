#include "odds/OddsText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace keno {

namespace {

std::uint64_t Power10(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// |value| rounded to `decimals`, in units of 10^-decimals. Written by hand rather than with
// printf, whose decimal point follows the locale the toolkit installs.
std::uint64_t Scaled(long double value, int decimals) {
    return static_cast<std::uint64_t>(std::llround(std::fabs(value) * static_cast<long double>(Power10(decimals))));
}

std::string Fixed(std::uint64_t scaled, int decimals, bool grouped = false) {
    const std::uint64_t unit = Power10(decimals);
    std::string text = grouped ? GroupedDigits(scaled / unit) : std::to_string(scaled / unit);
    if (decimals > 0) {
        std::string fraction = std::to_string(scaled % unit);
        text += '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return text;
}

}  // namespace

std::string GroupedDigits(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string OneInText(long double probability) {
    if (!(probability > 0)) return "never";
    const long double n = 1 / probability;
    if (Scaled(n, 1) >= 1000) return "1 in " + GroupedDigits(Scaled(n, 0));
    if (Scaled(n, 2) >= 1000) return "1 in " + Fixed(Scaled(n, 1), 1);
    return "1 in " + Fixed(Scaled(n, 2), 2);
}

std::string PercentText(long double fraction) {
    const long double percent = fraction * 100;
    if (!(percent > 0)) return "0 %";
    if (percent >= 1) return Fixed(Scaled(percent, 2), 2, true) + " %";
    // Three significant digits, written out in full: 0.0000112 %.
    int decimals = 2 - static_cast<int>(std::floor(std::log10(percent)));
    if (Scaled(percent, decimals) >= 1000) --decimals;  // 0.0999996 rounds up to 0.100, not 0.1000
    decimals = std::min(decimals, 18);
    return Fixed(Scaled(percent, decimals), decimals) + " %";
}

std::string CoinsText(long double coins, bool sign) {
    const int decimals = Scaled(coins, 2) < 100 ? 2 : 1;
    const std::uint64_t scaled = Scaled(coins, decimals);
    const std::string prefix = scaled == 0 ? "" : coins < 0 ? "-" : sign ? "+" : "";
    std::string text = Fixed(scaled, decimals);
    // 537.0 reads as 537, 0.60 as 0.6.
    while (text.back() == '0' && text.find('.') != std::string::npos) text.pop_back();
    if (text.back() == '.') text.pop_back();
    return prefix + text;
}

std::string AdviceText(long double advantage) {
    if (Scaled(advantage, 2) == 0) return "Buying and taking are worth the same on average";
    if (advantage > 0) return "Buying is worth " + CoinsText(advantage, true) + " coins on average";
    return "Taking the win is better by " + CoinsText(-advantage) + " coins on average";
}

std::string OfferAdviceText(const ExtraBallOdds& odds, const OfferStanding& standing) {
    if (!standing.takeWinOpen) {
        return standing.creditCovers ? "Only buying is left now" : "Only buying is left: insert coins, then buy";
    }
    // Pressing EXTRA BALLS without the credit for it is refused, and that refusal takes TAKE WIN away.
    if (!standing.creditCovers && Scaled(odds.advantage, 2) != 0 && odds.advantage > 0) {
        return "Buying is better, but it needs " + std::to_string(odds.bet) + (odds.bet == 1 ? " coin" : " coins") +
               " of credit";
    }
    return AdviceText(odds.advantage);
}

std::string NewHitsText(int newHits) {
    if (newHits == 0) return "no new hit";
    return std::to_string(newHits) + (newHits == 1 ? " new hit" : " new hits");
}

std::string SpokenAdvice(const ExtraBallOdds& odds, const OfferStanding& standing) {
    std::string text = "Extra balls cost " + std::to_string(odds.bet) + (odds.bet == 1 ? " coin. " : " coins. ");
    for (const ExtraBallOutcome& outcome : odds.outcomes) {
        std::string what = NewHitsText(outcome.newHits);
        what[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(what[0])));
        if (outcome.possible())
            text += what + ": " + PercentText(outcome.probability) + ", pays " + std::to_string(outcome.win) + ". ";
        else
            text += what + ": cannot happen. ";
    }
    text += "Buying: " + CoinsText(odds.buyAverage) + " coins on average after the extra bet. ";
    if (standing.takeWinOpen) text += "Taking now: " + std::to_string(odds.takeNow) + " coins. ";
    else text += "Take win is no longer open. ";
    return text + OfferAdviceText(odds, standing) + ".";
}

}  // namespace keno
