#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <tuple>

#include "keno22/Keno22PaySchedule.h"

using namespace keno;

namespace {

// The printed schedule, spots 2..10 by hits 2..10; 0 pays nothing, negative opens the offer.
constexpr int kPrinted[9][9] = {{15},
                                {2, 45},
                                {2, -8, 43},
                                {1, -4, -21, 62},
                                {0, 3, -14, -29, 170},
                                {0, 1, -10, -20, -34, 300},
                                {0, 0, 5, -22, -32, -80, 500},
                                {0, 0, 4, -10, -18, -27, -100, 2500},
                                {0, 0, 1, -10, -17, -25, -30, -700, 10000}};

int Printed(int spots, int hits) { return spots >= 2 && spots <= 10 && hits >= 2 && hits <= 10 ? kPrinted[spots - 2][hits - 2] : 0; }

}  // namespace

// Row by row, with the spot and hit counts around the table, and the win at every bet.
TEST(Keno22PaySchedule, MatchesThePrintedTable) {
    std::size_t entries = 0;
    for (int spots = -2; spots <= 12; ++spots)
        for (int hits = -1; hits <= 11; ++hits) {
            SCOPED_TRACE(::testing::Message() << spots << " spots, " << hits << " hits");
            const int printed = Printed(spots, hits);
            const auto entry = Keno22PaySchedule::Lookup(spots, hits);
            ASSERT_EQ(entry.has_value(), printed != 0);
            for (std::int16_t bet = 1; bet <= 5; ++bet) EXPECT_EQ(Keno22PaySchedule::Win(spots, hits, bet), bet * std::abs(printed));
            if (!entry) continue;
            ++entries;
            EXPECT_EQ(std::tuple(entry->spots, entry->hits, entry->multiplier, entry->offer),
                      std::tuple(spots, hits, std::abs(printed), printed < 0));
        }
    EXPECT_EQ(entries, 37u);
    EXPECT_EQ(Keno22PaySchedule::Entries().size(), 37u);
    EXPECT_FALSE(Keno22PaySchedule::Lookup(100000, 2).has_value());
}

TEST(Keno22PaySchedule, WinSoundAtEveryBandEdge) {
    struct Band { std::int32_t amount; Cue mainDraw, takeWin; };
    const Band bands[] = {{0, Cue::None, Cue::None},          {1, Cue::Startup, Cue::Startup},     {5, Cue::Startup, Cue::Startup},
                          {6, Cue::WinSmall, Cue::WinSmall},    {20, Cue::WinSmall, Cue::WinSmall},  {21, Cue::WinMedium, Cue::WinSmall},
                          {100, Cue::WinMedium, Cue::WinSmall}, {101, Cue::WinMedium, Cue::WinMedium}, {200, Cue::WinMedium, Cue::WinMedium},
                          {201, Cue::None, Cue::None},          {400, Cue::None, Cue::None},         {401, Cue::WinBig, Cue::WinMedium},
                          {50000, Cue::WinBig, Cue::WinMedium}};
    for (const Band& b : bands) {
        EXPECT_EQ(Keno22PaySchedule::WinSound(b.amount, WinMapping::MainDraw), b.mainDraw) << b.amount;
        EXPECT_EQ(Keno22PaySchedule::WinSound(b.amount, WinMapping::TakeWin), b.takeWin) << b.amount;
    }
}
