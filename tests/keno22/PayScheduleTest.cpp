#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "keno22/Keno22PaySchedule.h"

using namespace keno;

namespace {

// The printed schedule, one row per spot count, columns hits 2..10; 0 = pays nothing,
// a negative value is an entry that opens the extra-ball offer.
constexpr std::array<std::array<int, 9>, 9> kPrinted{{
    //  2    3    4    5    6    7     8     9     10
    {{15, 0, 0, 0, 0, 0, 0, 0, 0}},                      // 2 spots
    {{2, 45, 0, 0, 0, 0, 0, 0, 0}},                      // 3
    {{2, -8, 43, 0, 0, 0, 0, 0, 0}},                     // 4
    {{1, -4, -21, 62, 0, 0, 0, 0, 0}},                   // 5
    {{0, 3, -14, -29, 170, 0, 0, 0, 0}},                 // 6
    {{0, 1, -10, -20, -34, 300, 0, 0, 0}},               // 7
    {{0, 0, 5, -22, -32, -80, 500, 0, 0}},               // 8
    {{0, 0, 4, -10, -18, -27, -100, 2500, 0}},           // 9
    {{0, 0, 1, -10, -17, -25, -30, -700, 10000}},        // 10
}};

int Printed(int spots, int hits) { return kPrinted[spots - 2][hits - 2]; }

class PrintedRow : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(PrintedRow, MatchesThePrintedTable) {
    const int spots = GetParam();
    for (int hits = 0; hits <= 10; ++hits) {
        SCOPED_TRACE(::testing::Message() << spots << " spots, " << hits << " hits");
        const auto entry = Keno22PaySchedule::Lookup(spots, hits);
        const int printed = hits >= 2 ? Printed(spots, hits) : 0;
        if (printed == 0) {
            EXPECT_FALSE(entry.has_value());
            continue;
        }
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->spots, spots);
        EXPECT_EQ(entry->hits, hits);
        EXPECT_EQ(entry->multiplier, printed < 0 ? -printed : printed);
        EXPECT_EQ(entry->offer, printed < 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Keno22PaySchedule, PrintedRow, ::testing::Range(2, 11),
                         [](const auto& row) { return "Spots" + std::to_string(row.param); });

TEST(Keno22PaySchedule, HasThirtySevenDistinctEntriesInRange) {
    const auto entries = Keno22PaySchedule::Entries();
    EXPECT_EQ(entries.size(), 37u);
    std::set<std::pair<int, int>> pairs;
    for (const auto& e : entries) {
        EXPECT_GE(e.spots, 2);
        EXPECT_LE(e.spots, 10);
        EXPECT_GE(e.hits, 2);
        EXPECT_LE(e.hits, e.spots);
        EXPECT_GE(e.multiplier, 1);
        EXPECT_LE(e.multiplier, 10000);
        pairs.insert({e.spots, e.hits});
    }
    EXPECT_EQ(pairs.size(), entries.size());
}

TEST(Keno22PaySchedule, FullCatchNeverOffers) {
    for (int spots = 2; spots <= 10; ++spots) {
        const auto entry = Keno22PaySchedule::Lookup(spots, spots);
        ASSERT_TRUE(entry.has_value()) << spots;
        EXPECT_FALSE(entry->offer) << spots;
    }
}

TEST(Keno22PaySchedule, TwoHitsPayOnlyOnTwoToFiveSpots) {
    for (int spots = 2; spots <= 10; ++spots)
        EXPECT_EQ(Keno22PaySchedule::Lookup(spots, 2).has_value(), spots <= 5) << spots;
}

TEST(Keno22PaySchedule, ThreeHitsPayNothingOnEightToTenSpots) {
    for (int spots = 8; spots <= 10; ++spots)
        EXPECT_FALSE(Keno22PaySchedule::Lookup(spots, 3).has_value()) << spots;
    EXPECT_EQ(Keno22PaySchedule::Lookup(8, 5)->multiplier, 22);
    EXPECT_EQ(Keno22PaySchedule::Lookup(7, 5)->multiplier, 20);
}

TEST(Keno22PaySchedule, MoreHitsNeverPayLess) {
    for (int spots = 2; spots <= 10; ++spots) {
        int previous = 0;
        for (int hits = 0; hits <= spots; ++hits) {
            const auto entry = Keno22PaySchedule::Lookup(spots, hits);
            const int pays = entry ? entry->multiplier : 0;
            EXPECT_GE(pays, previous) << spots << " spots, " << hits << " hits";
            previous = pays;
        }
    }
}

TEST(Keno22PaySchedule, OfferEntriesAreExactlyTheListedOnes) {
    const std::set<std::pair<int, int>> listed{
        {4, 3}, {5, 3}, {5, 4}, {6, 4}, {6, 5}, {7, 4}, {7, 5}, {7, 6}, {8, 5}, {8, 6}, {8, 7},
        {9, 5}, {9, 6}, {9, 7}, {9, 8}, {10, 5}, {10, 6}, {10, 7}, {10, 8}, {10, 9}};
    std::set<std::pair<int, int>> offers;
    for (const auto& e : Keno22PaySchedule::Entries())
        if (e.offer) offers.insert({e.spots, e.hits});
    EXPECT_EQ(offers, listed);
}

TEST(Keno22PaySchedule, OutOfRangeLooksUpNothing) {
    const std::array<std::pair<int, int>, 12> outside{{
        {0, 0}, {1, 1}, {2, 1}, {2, 3}, {11, 10}, {11, 11}, {10, 11}, {-2, 2}, {5, -1}, {6, 2}, {8, 3},
        {100000, 2}}};
    for (const auto& [spots, hits] : outside) {
        EXPECT_FALSE(Keno22PaySchedule::Lookup(spots, hits).has_value()) << spots << "/" << hits;
        EXPECT_EQ(Keno22PaySchedule::Win(spots, hits, 5), 0) << spots << "/" << hits;
    }
}

TEST(Keno22PaySchedule, WinIsBetTimesMultiplier) {
    EXPECT_EQ(Keno22PaySchedule::Win(10, 10, 4), 40000);
    EXPECT_EQ(Keno22PaySchedule::Win(10, 10, 5), 50000);
    EXPECT_EQ(Keno22PaySchedule::Win(9, 5, 3), 30);
    EXPECT_EQ(Keno22PaySchedule::Win(3, 3, 5), 225);
    EXPECT_EQ(Keno22PaySchedule::Win(5, 2, 1), 1);
    for (const auto& e : Keno22PaySchedule::Entries())
        for (std::int16_t bet = 1; bet <= 5; ++bet)
            EXPECT_EQ(Keno22PaySchedule::Win(e.spots, e.hits, bet), bet * e.multiplier);
}

namespace {

struct SoundCase {
    std::int32_t amount;
    Cue mainDraw;
    Cue takeWin;
};

class WinSoundBand : public ::testing::TestWithParam<SoundCase> {};

}  // namespace

TEST_P(WinSoundBand, PicksTheFanfareOfItsBand) {
    const auto c = GetParam();
    EXPECT_EQ(Keno22PaySchedule::WinSound(c.amount, WinMapping::MainDraw), c.mainDraw) << c.amount;
    EXPECT_EQ(Keno22PaySchedule::WinSound(c.amount, WinMapping::TakeWin), c.takeWin) << c.amount;
}

INSTANTIATE_TEST_SUITE_P(
    Keno22PaySchedule, WinSoundBand,
    ::testing::Values(SoundCase{0, Cue::None, Cue::None}, SoundCase{1, Cue::Startup, Cue::Startup},
                      SoundCase{5, Cue::Startup, Cue::Startup}, SoundCase{6, Cue::WinSmall, Cue::WinSmall},
                      SoundCase{20, Cue::WinSmall, Cue::WinSmall}, SoundCase{21, Cue::WinMedium, Cue::WinSmall},
                      SoundCase{50, Cue::WinMedium, Cue::WinSmall}, SoundCase{100, Cue::WinMedium, Cue::WinSmall},
                      SoundCase{101, Cue::WinMedium, Cue::WinMedium},
                      SoundCase{200, Cue::WinMedium, Cue::WinMedium}, SoundCase{201, Cue::None, Cue::None},
                      SoundCase{225, Cue::None, Cue::None}, SoundCase{300, Cue::None, Cue::None},
                      SoundCase{400, Cue::None, Cue::None}, SoundCase{401, Cue::WinBig, Cue::WinMedium},
                      SoundCase{50000, Cue::WinBig, Cue::WinMedium}),
    [](const auto& band) { return "Amount" + std::to_string(band.param.amount); });
