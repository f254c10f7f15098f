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

// Row by row (rows count from 1 at the lowest paying hits), then facts that catch a mistyped line.
TEST(Keno20PaySchedule, MatchesThePrintedTable) {
    for (int spots = 0; spots <= 12; ++spots) {
        int row = 1;
        for (int hits = 0; hits <= 11; ++hits) {
            SCOPED_TRACE(::testing::Message() << spots << " spots, " << hits << " hits");
            const auto pay = Keno20PaySchedule::Lookup(spots, hits);
            ASSERT_EQ(pay.has_value(), Printed(spots, hits) != 0);
            if (pay) { EXPECT_EQ(std::pair(pay->multiplier, pay->row), std::pair(Printed(spots, hits), row++)); }
        }
        EXPECT_EQ(Printed(spots, 2) != 0, spots == 3 || spots == 4) << "two hits pay on 3 and 4 spots only";
        if (spots >= 8) { EXPECT_EQ(Printed(spots, 3), 0) << "three hits never pay on 8 to 10 spots"; }
    }
    EXPECT_EQ(Keno20PaySchedule::Entries().size(), 35u);
}

class PayTableTest : public ::testing::Test {
protected:
    std::string Row(int row) const { return view.Text("spotshit_" + std::to_string(row)) + ":" + view.Text("winns_" + std::to_string(row)); }
    bool RowVisible(int row) const { return view.Visible("spotshit_" + std::to_string(row)) && view.Visible("winns_" + std::to_string(row)); }
    ViewModel view;
    Keno20PayTable table{view};
};

TEST_F(PayTableTest, ShowScheduleWritesOnlyTheRowsOfThatSpotCount) {
    for (int row = 1; row <= 7; ++row) {
        view.SetText("spotshit_" + std::to_string(row), "x");
        view.SetText("winns_" + std::to_string(row), "x");
    }
    for (int spots : {0, 1, 2, 11}) table.ShowSchedule(spots, 1);  // outside the table: nothing
    table.ShowSchedule(6, 3);
    std::string rows;
    for (int row = 1; row <= 7; ++row) rows += Row(row) + " ";
    EXPECT_EQ(rows, "3:9 4:24 5:126 6:3600 x:x x:x x:x ");
    table.ShowSchedule(10, 5);
    EXPECT_EQ(Row(1) + " " + Row(7), "4:10 10:50000");
    table.ClearSchedule();
    for (int row = 1; row <= 7; ++row) EXPECT_EQ(Row(row), ":") << row;
}

TEST_F(PayTableTest, RowFlashHidesAndShowsOnAlternateTicksAndKeepsItsPhase) {
    table.SetPayRow(3);
    table.StartRowFlash();
    EXPECT_TRUE(view.TimerRunning("timerpay"));
    std::string seen;
    for (int t = 0; t < 4; ++t) {
        table.RowFlashTick();  // the first tick after creation changes nothing
        seen += RowVisible(3) ? 'V' : '-';
        EXPECT_TRUE(RowVisible(2));
    }
    EXPECT_EQ(seen, "V-V-");
    // Stopped while hidden: stays hidden until RevealRows, and a restart carries on from its phase.
    table.StopRowFlash();
    EXPECT_FALSE(view.TimerRunning("timerpay") || RowVisible(3));
    table.RevealRows();
    for (int row = 1; row <= 7; ++row) EXPECT_TRUE(RowVisible(row));
    table.StartRowFlash();
    table.RowFlashTick();  // phase 2 shows
    EXPECT_TRUE(RowVisible(3));
    EXPECT_EQ(table.flashphase(), 1);
}
