#include <set>

#include "tests/board/BoardFixture.h"

namespace keno {
namespace {

class Board22Test : public BoardTest {
protected:
    void SetUp() override { Build(BoardRules::Keno22); }
};

TEST_F(Board22Test, FirstClickLeavesEraseAloneSecondClickUnmarksAndEnablesIt) {
    view.Enable("rubber", false);
    board->MarkSquare(17);
    EXPECT_TRUE(board->IsMarked(17));
    EXPECT_EQ(view.Text("spts"), "1");
    EXPECT_FALSE(view.Enabled("rubber"));
    EXPECT_FALSE(view.Enabled("start"));

    board->MarkSquare(17);
    EXPECT_FALSE(board->IsMarked(17));
    EXPECT_EQ(view.Text("spts"), "0");
    EXPECT_TRUE(view.Enabled("rubber"));
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::Mark, Cue::Mark}));
    EXPECT_TRUE(messenger.shown.empty());
    ExpectConsistent();
}

TEST_F(Board22Test, PlayNeedsTwoSpotsAndABet) {
    board->MarkSquare(5);
    EXPECT_FALSE(view.Enabled("start"));
    board->MarkSquare(80);
    EXPECT_TRUE(view.Enabled("start"));
    EXPECT_EQ(board->Picks(), (std::vector<int>{5, 80}));

    // A credit of 1 with no bet still lets squares be marked, but PLAY waits for MAKE BET.
    state.bank = 1;
    state.coinsbet = 0;
    board->MarkSquare(40);
    EXPECT_TRUE(board->IsMarked(40));
    EXPECT_FALSE(view.Enabled("start"));
    EXPECT_TRUE(messenger.shown.empty());
}

TEST_F(Board22Test, AcceptedClickRepaintsEverySquarePlainKeepingPictures) {
    board->MarkSquare(3);
    board->EraseBoard();
    EXPECT_EQ(view.Square(50).background, SquareBackground::NearBlack);
    board->MarkSquare(9);
    for (int n = 1; n <= 80; ++n) {
        EXPECT_EQ(view.Square(n).background, SquareBackground::Black);
        EXPECT_EQ(view.Square(n).text, SquareText::Blue);
    }
    EXPECT_EQ(view.Square(9).picture, SquarePicture::Marked);
}

TEST_F(Board22Test, EraseClearsEverythingAndTheEraseFlag) {
    MarkAll({1, 2, 3});
    board->SetMustErase();
    view.SetTimer("Timer1", true);
    view.Enable("start", true);
    Forget();
    board->EraseBoard();
    EXPECT_FALSE(board->mustErase());
    EXPECT_EQ(board->spots(), 0);
    EXPECT_EQ(view.Text("spts"), "");
    EXPECT_FALSE(view.Enabled("start"));
    EXPECT_FALSE(view.TimerRunning("Timer1"));
    for (int n = 1; n <= 80; ++n) {
        EXPECT_EQ(view.Square(n), (SquareView{SquarePicture::None, SquareBackground::NearBlack, SquareText::Blue}));
    }
    EXPECT_TRUE(sound.cues.empty());
}

TEST_F(Board22Test, MakeBetCyclesOneToFiveWhateverTheCredit) {
    state.bank = 1;
    state.coinsbet = 0;
    std::vector<int> bets;
    for (int i = 0; i < 7; ++i) {
        board->MakeBet();
        bets.push_back(state.coinsbet);
    }
    EXPECT_EQ(bets, (std::vector<int>{1, 2, 3, 4, 5, 1, 2}));
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::Bet1, Cue::Bet2, Cue::Bet3, Cue::Bet4, Cue::Bet5, Cue::Bet1,
                                            Cue::Bet2}));
    EXPECT_EQ(view.Text("betpan"), "2");
    EXPECT_TRUE(view.Enabled("rubber"));
}

TEST_F(Board22Test, MakeBetEnablesPlayFromTwoSpots) {
    board->MarkSquare(1);
    board->MakeBet();
    EXPECT_FALSE(view.Enabled("start"));
    board->MarkSquare(2);
    view.Enable("start", false);
    board->MakeBet();
    EXPECT_TRUE(view.Enabled("start"));
}

TEST_F(Board22Test, CoinsRaiseCreditAndInvestmentAndEnableTheButtons) {
    MarkAll({10, 20});
    view.Enable("start", false);
    view.Enable("rubber", false);
    view.Enable("makbet", false);
    board->InsertCoins();
    EXPECT_EQ(state.bank, 120);
    EXPECT_EQ(state.amountinvested, 20);
    EXPECT_EQ(view.Text("panelbank"), "120");
    EXPECT_TRUE(view.Enabled("makbet"));
    EXPECT_TRUE(view.Enabled("start"));
    EXPECT_TRUE(view.Enabled("rubber"));
    EXPECT_EQ(sound.cues.back(), Cue::Coins);
}

TEST_F(Board22Test, CoinsDuringTheOfferOnlyRaiseTheCredit) {
    MarkAll({10, 20});
    game.offerOpen = true;
    board->InsertCoins();
    EXPECT_EQ(state.bank, 120);
    EXPECT_FALSE(view.Enabled("makbet"));
    EXPECT_FALSE(view.Enabled("start"));
    EXPECT_FALSE(view.Enabled("rubber"));
}

TEST_F(Board22Test, AfterAGameAutoSelectStillDrawsWhileClicksAreRefused) {
    MarkAll({1, 2, 3, 4, 5, 6});
    board->SetMustErase();
    view.SetTimer("Timer1", true);
    board->AutoSelect();
    EXPECT_EQ(board->spots(), 6);
    EXPECT_TRUE(board->mustErase());
    EXPECT_TRUE(view.Enabled("start"));
    EXPECT_FALSE(view.TimerRunning("Timer1"));

    const auto picks = board->Picks();
    board->MarkSquare(picks.front());
    EXPECT_TRUE(board->IsMarked(picks.front()));
    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0].text, "Please Erase the OLD Numbers First ");
    EXPECT_FALSE(view.Enabled("start"));
}

TEST_F(Board22Test, AutoSelectWithoutABetNeedingNoneLeavesPlayDisabled) {
    state.bank = 1;
    state.coinsbet = 0;
    board->AutoSelect();
    EXPECT_EQ(board->spots(), 10);
    EXPECT_FALSE(view.Enabled("start"));
    EXPECT_TRUE(view.Enabled("rubber"));
    EXPECT_EQ(sound.cues, (std::vector<Cue>{Cue::AutoSelect}));
    ExpectConsistent();
}

}  // namespace
}  // namespace keno
