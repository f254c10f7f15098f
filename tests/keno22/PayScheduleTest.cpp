#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>

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

int Printed(int spots, int hits) {
    return spots >= 2 && spots <= 10 && hits >= 2 && hits <= 10 ? kPrinted[spots - 2][hits - 2] : 0;
}

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
            for (std::int16_t bet = 1; bet <= 5; ++bet)
                EXPECT_EQ(Keno22PaySchedule::Win(spots, hits, bet), bet * std::abs(printed));
            if (!entry) continue;
            ++entries;
            EXPECT_EQ(entry->spots, spots);
            EXPECT_EQ(entry->hits, hits);
            EXPECT_EQ(entry->multiplier, std::abs(printed));
            EXPECT_EQ(entry->offer, printed < 0);
        }
    EXPECT_EQ(entries, 37u);
    EXPECT_EQ(Keno22PaySchedule::Entries().size(), 37u);
    EXPECT_FALSE(Keno22PaySchedule::Lookup(100000, 2).has_value());
}

// Facts of the printed schedule that catch a mistyped row above.
TEST(Keno22PaySchedule, ListedFacts) {
    int offers = 0;
    for (int spots = 2; spots <= 10; ++spots) {
        EXPECT_EQ(Printed(spots, 2) != 0, spots <= 5) << "two hits pay on 2 to 5 spots only";
        EXPECT_EQ(Printed(spots, 3) != 0, spots >= 3 && spots <= 7) << "three hits pay nothing on 8 to 10 spots";
        EXPECT_GT(Printed(spots, spots), 0) << "a full catch pays and never offers";
        for (int hits = 3; hits <= spots; ++hits) {
            EXPECT_GE(std::abs(Printed(spots, hits)), std::abs(Printed(spots, hits - 1))) << spots << "/" << hits;
            offers += Printed(spots, hits) < 0;
        }
    }
    EXPECT_EQ(offers, 20);
    EXPECT_EQ(Printed(8, 5), -22);
    EXPECT_EQ(Printed(7, 5), -20);
}

TEST(Keno22PaySchedule, WinSoundAtEveryBandEdge) {
    struct Band {
        std::int32_t amount;
        Cue mainDraw, takeWin;
    };
    const Band bands[] = {{0, Cue::None, Cue::None},           {1, Cue::Startup, Cue::Startup},
                          {5, Cue::Startup, Cue::Startup},     {6, Cue::WinSmall, Cue::WinSmall},
                          {20, Cue::WinSmall, Cue::WinSmall},  {21, Cue::WinMedium, Cue::WinSmall},
                          {100, Cue::WinMedium, Cue::WinSmall}, {101, Cue::WinMedium, Cue::WinMedium},
                          {200, Cue::WinMedium, Cue::WinMedium}, {201, Cue::None, Cue::None},
                          {400, Cue::None, Cue::None},         {401, Cue::WinBig, Cue::WinMedium},
                          {50000, Cue::WinBig, Cue::WinMedium}};
    for (const Band& b : bands) {
        EXPECT_EQ(Keno22PaySchedule::WinSound(b.amount, WinMapping::MainDraw), b.mainDraw) << b.amount;
        EXPECT_EQ(Keno22PaySchedule::WinSound(b.amount, WinMapping::TakeWin), b.takeWin) << b.amount;
    }
}
