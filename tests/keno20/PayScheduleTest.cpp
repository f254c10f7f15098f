#include <gtest/gtest.h>

#include <string>

#include "keno20/Keno20PaySchedule.h"

using namespace keno;

namespace {

// The printed schedule, spots 3..10 by hits 2..10; 0 pays nothing.
constexpr int kPrinted[8][9] = {{2, 45},
                                {2, 5, 85},
                                {0, 5, 25, 280},
                                {0, 3, 8, 42, 1200},
                                {0, 2, 5, 16, 128, 2500},
                                {0, 0, 4, 15, 75, 510, 10000},
                                {0, 0, 2, 10, 30, 200, 1600, 10000},
                                {0, 0, 2, 5, 15, 70, 340, 3000, 10000}};

int Printed(int spots, int hits) { return spots >= 3 && spots <= 10 && hits >= 2 && hits <= 10 ? kPrinted[spots - 3][hits - 2] : 0; }

}  // namespace

// Row by row; rows count from 1 at the lowest paying hits.
TEST(Keno20PaySchedule, MatchesThePrintedTable) {
    for (int spots = 0; spots <= 12; ++spots) {
        int row = 1;
        for (int hits = 0; hits <= 11; ++hits) {
            SCOPED_TRACE(::testing::Message() << spots << " spots, " << hits << " hits");
            const auto pay = Keno20PaySchedule::Lookup(spots, hits);
            ASSERT_EQ(pay.has_value(), Printed(spots, hits) != 0);
            if (pay) { EXPECT_EQ(std::pair(pay->multiplier, pay->row), std::pair(Printed(spots, hits), row++)); }
        }
    }
    EXPECT_EQ(Keno20PaySchedule::Entries().size(), 35u);
}

// Only the rows of the spot count shown are written; outside the table nothing is.
TEST(Keno20PayTable, ShowScheduleWritesOnlyTheRowsOfThatSpotCount) {
    ViewModel view;
    Keno20PayTable table{view};
    const auto row = [&](int r) { return view.Text("spotshit_" + std::to_string(r)) + ":" + view.Text("winns_" + std::to_string(r)); };
    for (int r = 1; r <= 7; ++r) {
        view.SetText("spotshit_" + std::to_string(r), "x");
        view.SetText("winns_" + std::to_string(r), "x");
    }
    for (int spots : {0, 1, 2, 11}) table.ShowSchedule(spots, 1);
    table.ShowSchedule(6, 3);
    std::string rows;
    for (int r = 1; r <= 7; ++r) rows += row(r) + " ";
    EXPECT_EQ(rows, "3:9 4:24 5:126 6:3600 x:x x:x x:x ");
    table.ShowSchedule(10, 5);
    EXPECT_EQ(row(1) + " " + row(7), "4:10 10:50000");
    table.ClearSchedule();
    for (int r = 1; r <= 7; ++r) EXPECT_EQ(row(r), ":") << r;
}
