#include <limits>

#include "tests/board/BoardFixture.h"

namespace keno {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct CoinsCase {
    std::int32_t bank;
    std::int32_t invested;
    std::int32_t bankAfter;
    std::int32_t investedAfter;
};

class CoinsOverflowTest : public BoardTest,
                          public ::testing::WithParamInterface<std::tuple<BoardRules, CoinsCase>> {};

// Each meter is guarded on its own: one that would pass INT32_MAX stays, the other still counts.
TEST_P(CoinsOverflowTest, MetersNeverWrap) {
    const auto [rules, c] = GetParam();
    Build(rules);
    state.bank = c.bank;
    state.amountinvested = c.invested;
    board->InsertCoins();
    EXPECT_EQ(state.bank, c.bankAfter);
    EXPECT_EQ(state.amountinvested, c.investedAfter);
    EXPECT_EQ(view.Text(board->CreditLabel()), std::to_string(c.bankAfter));
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::Coins}));
}

INSTANTIATE_TEST_SUITE_P(
    BothWindows, CoinsOverflowTest,
    ::testing::Combine(::testing::Values(BoardRules::Keno22, BoardRules::Keno20),
                       ::testing::Values(CoinsCase{kMax - 20, 0, kMax, 20}, CoinsCase{kMax - 19, 5, kMax - 19, 25},
                                         CoinsCase{7, kMax - 3, 27, kMax - 3}, CoinsCase{kMax, kMax, kMax, kMax},
                                         CoinsCase{-30, 0, -10, 20})));

TEST_F(BoardTest, ShowMarkPicturesRestoresThePicksOnly) {
    Build(BoardRules::Keno20);
    MarkAll({3, 30, 77});
    for (int n = 1; n <= 80; ++n) view.Square(n).picture = SquarePicture::Hit;
    view.Square(5).picture = SquarePicture::None;
    board->ShowMarkPictures();
    EXPECT_EQ(view.Square(3).picture, SquarePicture::Marked);
    EXPECT_EQ(view.Square(77).picture, SquarePicture::Marked);
    EXPECT_EQ(view.Square(4).picture, SquarePicture::Hit);
    EXPECT_EQ(view.Square(5).picture, SquarePicture::None);
}

// spots() equals the marked squares after any sequence of presses in either window.
TEST_F(BoardTest, SpotsAlwaysCountTheMarksOverRandomPresses) {
    for (BoardRules rules : {BoardRules::Keno22, BoardRules::Keno20}) {
        Build(rules, 7);
        SeededRandomSource presses(99);
        for (int i = 0; i < 3000; ++i) {
            const int pick = static_cast<int>(presses.Fraction() * 100);
            if (pick < 70) board->MarkSquare(pick + 1);
            else if (pick < 78) board->AutoSelect();
            else if (pick < 83) board->EraseBoard();
            else if (pick < 88) board->MakeBet();
            else if (pick < 91) board->InsertCoins();
            else if (pick < 94) board->SetMustErase();
            else if (pick < 97) state.bank = state.bank > 0 ? 0 : 40;
            else state.coinsbet = 0;
            ASSERT_EQ(board->spots(), MarkedSquares()) << "press " << i;
            ASSERT_LE(board->spots(), 10);
            ASSERT_EQ(board->Picks().size(), static_cast<std::size_t>(board->spots()));
        }
    }
}

}  // namespace
}  // namespace keno
