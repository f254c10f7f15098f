#include <gtest/gtest.h>

#include <algorithm>
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

int Printed(int spots, int hits) { return hits < 2 ? 0 : kPrinted[spots - 3][hits - 2]; }

std::string Label(const char* name, int row) { return name + std::to_string(row); }

class PrintedLine : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(PrintedLine, MatchesThePrintedTableWithRowsFromOneUpward) {
    const int spots = GetParam();
    int expectedRow = 1;
    for (int hits = 0; hits <= 10; ++hits) {
        SCOPED_TRACE(::testing::Message() << spots << " spots, " << hits << " hits");
        const auto pay = Keno20PaySchedule::Lookup(spots, hits);
        if (hits > spots || Printed(spots, hits) == 0) {
            EXPECT_FALSE(pay.has_value());
            continue;
        }
        ASSERT_TRUE(pay.has_value());
        EXPECT_EQ(pay->multiplier, Printed(spots, hits));
        EXPECT_EQ(pay->row, expectedRow++);
    }
}

INSTANTIATE_TEST_SUITE_P(SpotCounts, PrintedLine, ::testing::Range(3, 11));

TEST(Keno20PaySchedule, PropertiesThatCatchAMistypedEntry) {
    EXPECT_EQ(Keno20PaySchedule::Entries().size(), 35u);
    for (int spots = 0; spots <= 12; ++spots) {
        EXPECT_EQ(Keno20PaySchedule::Lookup(spots, 2).has_value(), spots == 3 || spots == 4) << spots;
        EXPECT_FALSE(Keno20PaySchedule::Lookup(spots, 0).has_value());
        EXPECT_FALSE(Keno20PaySchedule::Lookup(spots, 1).has_value());
    }
    for (int spots : {8, 9, 10}) EXPECT_FALSE(Keno20PaySchedule::Lookup(spots, 3).has_value());
    for (int spots : {2, 11}) {
        for (int hits = 0; hits <= 11; ++hits) EXPECT_FALSE(Keno20PaySchedule::Lookup(spots, hits).has_value());
    }
    for (const auto& e : Keno20PaySchedule::Entries()) {
        SCOPED_TRACE(::testing::Message() << e.spots << "/" << e.hits);
        EXPECT_LE(e.hits, e.spots);
        int lowest = e.hits;
        for (const auto& other : Keno20PaySchedule::Entries())
            if (other.spots == e.spots) lowest = std::min(lowest, other.hits);
        EXPECT_EQ(e.row, e.hits - lowest + 1) << "rows count up from the lowest paying hits";
        const auto more = Keno20PaySchedule::Lookup(e.spots, e.hits + 1);
        if (more) {
            EXPECT_GT(more->multiplier, e.multiplier) << "more hits never pay less";
        }
        EXPECT_LE(5 * e.multiplier, 50000);
    }
    // Every block ends with the full catch.
    for (int spots = 3; spots <= 10; ++spots) EXPECT_TRUE(Keno20PaySchedule::Lookup(spots, spots).has_value());
}

class PayTableTest : public ::testing::Test {
protected:
    void Fill(const std::string& text) {
        for (int row = 1; row <= 7; ++row) {
            view.SetText(Label("spotshit_", row), text);
            view.SetText(Label("winns_", row), text);
        }
    }
    bool RowVisible(int row) const {
        return view.Visible(Label("spotshit_", row)) && view.Visible(Label("winns_", row));
    }
    ViewModel view;
    Keno20PayTable table{view};
};

TEST_F(PayTableTest, ShowScheduleWritesOnlyTheRowsOfThatSpotCount) {
    Fill("x");
    table.ShowSchedule(6, 3);
    const std::array<std::pair<const char*, const char*>, 4> rows{
        {{"3", "9"}, {"4", "24"}, {"5", "126"}, {"6", "3600"}}};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(view.Text(Label("spotshit_", row)), rows[row - 1].first);
        EXPECT_EQ(view.Text(Label("winns_", row)), rows[row - 1].second);
    }
    for (int row = 5; row <= 7; ++row) {
        EXPECT_EQ(view.Text(Label("spotshit_", row)), "x");
        EXPECT_EQ(view.Text(Label("winns_", row)), "x");
    }
}

TEST_F(PayTableTest, FullCatchOfTenAtFiveCoinsShowsFiftyThousandOnRowSeven) {
    table.ShowSchedule(10, 5);
    EXPECT_EQ(view.Text("spotshit_7"), "10");
    EXPECT_EQ(view.Text("winns_7"), "50000");
    EXPECT_EQ(view.Text("winns_1"), "10");
}

TEST_F(PayTableTest, SpotCountsOutsideTheTableWriteNothing) {
    Fill("x");
    for (int spots : {0, 1, 2, 11}) table.ShowSchedule(spots, 1);
    for (int row = 1; row <= 7; ++row) EXPECT_EQ(view.Text(Label("winns_", row)), "x");
}

TEST_F(PayTableTest, ClearEmptiesAllFourteenLabels) {
    Fill("x");
    table.ClearSchedule();
    for (int row = 1; row <= 7; ++row) {
        EXPECT_EQ(view.Text(Label("spotshit_", row)), "");
        EXPECT_EQ(view.Text(Label("winns_", row)), "");
    }
}

TEST_F(PayTableTest, RowFlashHidesAndShowsOnAlternateTicksAndKeepsItsPhase) {
    table.SetPayRow(3);
    table.StartRowFlash();
    EXPECT_TRUE(view.TimerRunning("timerpay"));
    table.RowFlashTick();  // the first tick after creation changes nothing
    EXPECT_TRUE(RowVisible(3));
    table.RowFlashTick();
    EXPECT_FALSE(RowVisible(3));
    EXPECT_TRUE(RowVisible(2));
    table.RowFlashTick();
    EXPECT_TRUE(RowVisible(3));
    table.RowFlashTick();
    EXPECT_FALSE(RowVisible(3));

    // Stopped while hidden: stays hidden, and a restart carries on from the same phase.
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
