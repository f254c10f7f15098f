#include <gtest/gtest.h>

#include <array>
#include <string>

#include "keno20/Keno20PaySchedule.h"

using namespace keno;

namespace {

// The printed schedule, one line per spot count 3..10, columns hits 2..10; 0 pays nothing.
constexpr std::array<std::array<int, 9>, 8> kPrinted{{
    //  2   3    4     5     6      7     8      9     10
    {{2, 45, 0, 0, 0, 0, 0, 0, 0}},                     // 3 spots
    {{2, 5, 85, 0, 0, 0, 0, 0, 0}},                     // 4
    {{0, 5, 25, 280, 0, 0, 0, 0, 0}},                   // 5
    {{0, 3, 8, 42, 1200, 0, 0, 0, 0}},                  // 6
    {{0, 2, 5, 16, 128, 2500, 0, 0, 0}},                // 7
    {{0, 0, 4, 15, 75, 510, 10000, 0, 0}},              // 8
    {{0, 0, 2, 10, 30, 200, 1600, 10000, 0}},           // 9
    {{0, 0, 2, 5, 15, 70, 340, 3000, 10000}},           // 10
}};

int Printed(int spots, int hits) {
    return spots >= 3 && spots <= 10 && hits >= 2 && hits <= 10 ? kPrinted[spots - 3][hits - 2] : 0;
}

std::string Label(const char* name, int row) { return name + std::to_string(row); }

}  // namespace

// Row by row (rows count from 1 at the lowest paying hits), then facts that catch a mistyped line.
TEST(Keno20PaySchedule, MatchesThePrintedTable) {
    for (int spots = 0; spots <= 12; ++spots) {
        int row = 1;
        for (int hits = 0; hits <= 11; ++hits) {
            SCOPED_TRACE(::testing::Message() << spots << " spots, " << hits << " hits");
            const auto pay = Keno20PaySchedule::Lookup(spots, hits);
            ASSERT_EQ(pay.has_value(), Printed(spots, hits) != 0);
            if (!pay) continue;
            EXPECT_EQ(pay->multiplier, Printed(spots, hits));
            EXPECT_EQ(pay->row, row++);
            if (hits > 2) { EXPECT_GT(Printed(spots, hits), Printed(spots, hits - 1)) << "more hits pay more"; }
        }
        if (spots >= 3 && spots <= 10) { EXPECT_GT(Printed(spots, spots), 0) << "the full catch pays"; }
        EXPECT_EQ(Printed(spots, 2) != 0, spots == 3 || spots == 4);
        if (spots >= 8) { EXPECT_EQ(Printed(spots, 3), 0); }
    }
    EXPECT_EQ(Keno20PaySchedule::Entries().size(), 35u);
}

class PayTableTest : public ::testing::Test {
protected:
    void Fill(const std::string& text) {
        for (int row = 1; row <= 7; ++row) {
            view.SetText(Label("spotshit_", row), text);
            view.SetText(Label("winns_", row), text);
        }
    }
    std::string Row(int row) const { return view.Text(Label("spotshit_", row)) + ":" + view.Text(Label("winns_", row)); }
    bool RowVisible(int row) const { return view.Visible(Label("spotshit_", row)) && view.Visible(Label("winns_", row)); }
    ViewModel view;
    Keno20PayTable table{view};
};

TEST_F(PayTableTest, ShowScheduleWritesOnlyTheRowsOfThatSpotCount) {
    Fill("x");
    for (int spots : {0, 1, 2, 11}) table.ShowSchedule(spots, 1);  // outside the table: nothing
    table.ShowSchedule(6, 3);
    const std::vector<std::string> rows{"3:9", "4:24", "5:126", "6:3600", "x:x", "x:x", "x:x"};
    for (int row = 1; row <= 7; ++row) EXPECT_EQ(Row(row), rows[static_cast<std::size_t>(row - 1)]) << row;
    table.ShowSchedule(10, 5);
    EXPECT_EQ(Row(1), "4:10");
    EXPECT_EQ(Row(7), "10:50000");
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
    EXPECT_FALSE(view.TimerRunning("timerpay"));
    EXPECT_FALSE(RowVisible(3));
    EXPECT_EQ(table.flashphase(), 2);
    table.RevealRows();
    for (int row = 1; row <= 7; ++row) EXPECT_TRUE(RowVisible(row));
    table.StartRowFlash();
    table.RowFlashTick();  // phase 2 shows
    EXPECT_TRUE(RowVisible(3));
    EXPECT_EQ(table.flashphase(), 1);
}
