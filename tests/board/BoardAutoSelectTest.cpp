#include <algorithm>
#include <set>

#include "tests/board/BoardFixture.h"

namespace keno {
namespace {

struct CountCase {
    BoardRules rules;
    int marked;
    int drawn;
};

class AutoSelectCountTest : public BoardTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(AutoSelectCountTest, DrawsTheMarkedCountOrTenBelowTheMinimum) {
    const CountCase c = GetParam();
    Build(c.rules);
    for (int n = 1; n <= c.marked; ++n) board->MarkSquare(n);
    Forget();
    board->AutoSelect();
    EXPECT_EQ(board->spots(), c.drawn);
    EXPECT_EQ(view.Text("spts"), std::to_string(c.drawn));
    EXPECT_TRUE(view.Enabled("start"));
    EXPECT_TRUE(view.Enabled("rubber"));
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::AutoSelect}));
    EXPECT_TRUE(messenger.shown.empty());
    for (int n = 1; n <= 80; ++n) {
        EXPECT_EQ(view.Square(n).background, SquareBackground::Black);
        EXPECT_EQ(view.Square(n).text, SquareText::Blue);
    }
    ExpectConsistent();
}

INSTANTIATE_TEST_SUITE_P(BothWindows, AutoSelectCountTest,
                         ::testing::Values(CountCase{BoardRules::Keno22, 0, 10}, CountCase{BoardRules::Keno22, 1, 10},
                                           CountCase{BoardRules::Keno22, 2, 2}, CountCase{BoardRules::Keno22, 6, 6},
                                           CountCase{BoardRules::Keno22, 10, 10}, CountCase{BoardRules::Keno20, 0, 10},
                                           CountCase{BoardRules::Keno20, 2, 10}, CountCase{BoardRules::Keno20, 3, 3},
                                           CountCase{BoardRules::Keno20, 4, 4}, CountCase{BoardRules::Keno20, 6, 6}));

// Every draw, over many seeds, marks distinct numbers in 1..80, and over all of them every
// number turns up (a draw stuck on part of the board would not).
TEST_F(BoardTest, AutoSelectDrawsDistinctNumbersOverManySeeds) {
    std::set<int> seen;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        for (BoardRules rules : {BoardRules::Keno22, BoardRules::Keno20}) {
            Build(rules, seed);
            board->AutoSelect();
            const auto picks = board->Picks();
            ASSERT_EQ(picks.size(), 10u);
            ASSERT_TRUE(std::is_sorted(picks.begin(), picks.end()));
            ASSERT_EQ(std::set<int>(picks.begin(), picks.end()).size(), 10u);
            ASSERT_GE(picks.front(), 1);
            ASSERT_LE(picks.back(), 80);
            seen.insert(picks.begin(), picks.end());
        }
    }
    EXPECT_EQ(seen.size(), 80u);
}

// A refused AUTO SELECT keeps its count for the next one only; spots() always counts the marks.
struct KeptCountCase {
    BoardRules rules;
    int marked;
    int spotsAfterRefusal;  // the marks left: the 22-ball press clears them before its checks
    int nextDraw;
};

class RefusedAutoSelectTest : public BoardTest, public ::testing::WithParamInterface<KeptCountCase> {};

TEST_P(RefusedAutoSelectTest, NextAutoSelectDrawsTheKeptCount) {
    const KeptCountCase c = GetParam();
    Build(c.rules);
    for (int n = 1; n <= c.marked; ++n) board->MarkSquare(n);
    state.bank = 0;
    board->AutoSelect();
    EXPECT_EQ(board->spots(), c.spotsAfterRefusal);
    EXPECT_EQ(board->PendingAutoSelectCount(), c.nextDraw);
    EXPECT_EQ(view.Text("spts"), "");
    ExpectConsistent();

    state.bank = 50;
    board->AutoSelect();
    EXPECT_EQ(board->spots(), c.nextDraw);
    ExpectConsistent();
}

INSTANTIATE_TEST_SUITE_P(BothWindows, RefusedAutoSelectTest,
                         ::testing::Values(KeptCountCase{BoardRules::Keno22, 6, 0, 6},
                                           KeptCountCase{BoardRules::Keno22, 1, 0, 10},
                                           KeptCountCase{BoardRules::Keno22, 10, 0, 10},
                                           KeptCountCase{BoardRules::Keno20, 2, 2, 10},
                                           KeptCountCase{BoardRules::Keno20, 5, 5, 5}));

// In the kept-count state the board behaves on what is marked: clicks mark from zero (the
// 22-ball board is not "full"), PLAY follows the real count, and a click forgets the kept count.
TEST_F(BoardTest, Keno22ClickAfterRefusedAutoSelectWorksOnTheMarkedCount) {
    Build(BoardRules::Keno22);
    for (int n = 1; n <= 10; ++n) board->MarkSquare(n);
    state.bank = 0;
    board->AutoSelect();
    state.bank = 50;
    messenger.shown.clear();
    board->MarkSquare(33);
    EXPECT_TRUE(messenger.shown.empty());
    EXPECT_EQ(board->spots(), 1);
    EXPECT_EQ(view.Text("spts"), "1");
    EXPECT_FALSE(view.Enabled("start"));
    board->MarkSquare(34);
    board->MarkSquare(35);
    EXPECT_EQ(board->PendingAutoSelectCount(), 3);
    board->AutoSelect();
    EXPECT_EQ(board->spots(), 3);
}

TEST_F(BoardTest, Keno20ClickAfterRefusedAutoSelectWorksOnTheMarkedCount) {
    Build(BoardRules::Keno20);
    MarkAll({7, 8});
    state.coinsbet = 0;
    board->AutoSelect();
    state.coinsbet = 2;
    Forget();
    board->MarkSquare(9);
    EXPECT_EQ(board->spots(), 3);
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"clear", "show 3 2"}));
    EXPECT_EQ(board->PendingAutoSelectCount(), 3);
}

TEST_F(BoardTest, EraseForgetsTheKeptCount) {
    for (BoardRules rules : {BoardRules::Keno22, BoardRules::Keno20}) {
        Build(rules);
        MarkAll({1, 2, 3, 4, 5});
        state.coinsbet = 0;
        board->AutoSelect();
        state.coinsbet = 1;
        board->EraseBoard();
        EXPECT_EQ(board->PendingAutoSelectCount(), 0);
        board->AutoSelect();
        EXPECT_EQ(board->spots(), 10);
    }
}

}  // namespace
}  // namespace keno
