#include "tests/board/BoardFixture.h"

namespace keno {
namespace {

class Board20Test : public BoardTest {
protected:
    void SetUp() override { Build(BoardRules::Keno20); }
};

TEST_F(Board20Test, ClickTogglesAndKeepsThePayTableInStepWithoutTouchingButtons) {
    state.coinsbet = 2;
    MarkAll({4, 5});
    view.Enable("start", false);
    view.Enable("rubber", false);
    view.Square(6).background = SquareBackground::LightGrey;
    Forget();

    board->MarkSquare(6);
    EXPECT_EQ(view.Text("spts"), "3");
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"clear", "show 3 2"}));
    EXPECT_EQ(view.Square(6).picture, SquarePicture::Marked);
    EXPECT_EQ(view.Square(6).background, SquareBackground::LightGrey);  // only the number is reprinted

    board->MarkSquare(6);
    EXPECT_EQ(board->Picks(), (std::vector<int>{4, 5}));
    EXPECT_EQ(view.Text("spts"), "2");
    EXPECT_EQ(view.Square(6).picture, SquarePicture::None);
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::Mark, Cue::Mark}));
    EXPECT_FALSE(view.Enabled("start"));
    EXPECT_FALSE(view.Enabled("rubber"));
}

struct BetCycleCase {
    std::int32_t bank;
    std::int16_t from;
    std::vector<int> bets;
};

class Board20BetTest : public Board20Test, public ::testing::WithParamInterface<BetCycleCase> {};

TEST_P(Board20BetTest, CyclesNeverAboveTheCredit) {
    const BetCycleCase& c = GetParam();
    state.bank = c.bank;
    state.coinsbet = c.from;
    std::vector<int> bets;
    std::vector<Cue> cues;
    for (std::size_t i = 0; i < c.bets.size(); ++i) {
        board->MakeBet();
        bets.push_back(state.coinsbet);
        cues.push_back(static_cast<Cue>(CueNumber(Cue::Bet1) + state.coinsbet - 1));
    }
    EXPECT_EQ(bets, c.bets);
    EXPECT_EQ(sound.cues, cues);
    EXPECT_EQ(view.Text("betpan"), std::to_string(c.bets.back()));
}

INSTANTIATE_TEST_SUITE_P(Credits, Board20BetTest,
                         ::testing::Values(BetCycleCase{2, 0, {1, 2, 1, 2}}, BetCycleCase{3, 1, {2, 3, 1, 2}},
                                           BetCycleCase{1, 1, {1, 1}}, BetCycleCase{100, 4, {5, 1, 2, 3, 4, 5, 1}},
                                           BetCycleCase{100, -3, {1, 2}}, BetCycleCase{4, 5, {1, 2}}));

TEST_F(Board20Test, MakeBetRedrawsThePayTableEvenAfterAGame) {
    MarkAll({1, 2, 3, 4});
    board->SetMustErase();
    Forget();
    board->MakeBet();
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"stopflash", "clear", "reveal", "show 4 2"}));
    EXPECT_TRUE(messenger.shown.empty());

    state.bank = 0;
    payTable.calls.clear();
    board->MakeBet();
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"stopflash"}));  // stopped before the refusal
    EXPECT_EQ(state.coinsbet, 2);
}

TEST_F(Board20Test, CoinsRaiseTheCreditOnlyAndAlwaysAreAccepted) {
    state.bank = 0;
    view.Enable("start", false);
    board->InsertCoins();
    board->InsertCoins();
    EXPECT_EQ(state.bank, 40);
    EXPECT_EQ(state.amountinvested, 40);
    EXPECT_EQ(view.Text("lblcredit"), "40");
    EXPECT_EQ(view.Text("panelbank"), "");
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::Coins, Cue::Coins}));
    EXPECT_FALSE(view.Enabled("start"));
    EXPECT_EQ(view.Controls().size(), 1u);  // no button but the one the test set
}

TEST_F(Board20Test, EraseStopsBothFlashesClearsTheFlagAndTheBoard) {
    MarkAll({10, 11, 12});
    board->SetMustErase();
    view.SetTimer("Timer1", true);
    view.SetText("hts", "2");
    Forget();
    board->EraseBoard();
    EXPECT_FALSE(board->mustErase());
    EXPECT_FALSE(view.TimerRunning("Timer1"));
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"stopflash", "clear"}));
    EXPECT_EQ(view.Text("spts"), "0");
    EXPECT_EQ(view.Text("hts"), "");
    EXPECT_EQ(board->spots(), 0);
    for (int n = 1; n <= 80; ++n)
        EXPECT_EQ(view.Square(n), (SquareView{SquarePicture::None, SquareBackground::Black, SquareText::Blue}));
    board->MarkSquare(10);  // the click refused before ERASE now marks
    EXPECT_TRUE(board->IsMarked(10));
}

TEST_F(Board20Test, ClearBoardLeavesTheEraseFlag) {
    MarkAll({10, 11});
    board->SetMustErase();
    board->ClearBoard();
    EXPECT_TRUE(board->mustErase());
    EXPECT_EQ(board->spots(), 0);
    EXPECT_EQ(view.Text("spts"), "0");
    ExpectConsistent();
}

TEST_F(Board20Test, AutoSelectBlanksResultsAndStopsFlashesEvenWhenRefused) {
    view.SetText("hts", "4");
    view.SetText("winnings", "30");
    view.SetText("spts", "5");
    view.SetTimer("Timer1", true);
    state.bank = 0;
    board->AutoSelect();
    EXPECT_EQ(view.Text("hts"), "");
    EXPECT_EQ(view.Text("winnings"), "");
    EXPECT_EQ(view.Text("spts"), "");
    EXPECT_FALSE(view.TimerRunning("Timer1"));
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"stopflash"}));
}

TEST_F(Board20Test, AutoSelectShowsTheScheduleWithoutClearingIt) {
    state.coinsbet = 3;
    MarkAll({1, 2, 3, 4, 5, 6});
    payTable.calls.clear();
    board->AutoSelect();
    EXPECT_EQ(payTable.calls, (std::vector<std::string>{"stopflash", "show 6 3"}));
}

TEST_F(Board20Test, AfterAGameAutoSelectWorksAndClicksAreRefused) {
    MarkAll({1, 2, 3, 4});
    board->SetMustErase();
    board->AutoSelect();
    EXPECT_EQ(board->spots(), 4);
    EXPECT_TRUE(board->mustErase());
    const int chosen = board->Picks().front();
    board->MarkSquare(chosen);
    EXPECT_TRUE(board->IsMarked(chosen));
    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0].title, "KENO 20 BALL   Erase old Numbers First");
}

TEST_F(Board20Test, ClickOnAnAutoSelectedSquareUnmarksIt) {
    MarkAll({1, 2, 3, 4});
    board->AutoSelect();
    const int chosen = board->Picks().back();
    board->MarkSquare(chosen);
    EXPECT_FALSE(board->IsMarked(chosen));
    EXPECT_EQ(board->spots(), 3);
    ExpectConsistent();
}

}  // namespace
}  // namespace keno
