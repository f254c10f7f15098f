#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board/KenoBoard.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno {

// The pay table as the board drives it: every call in order, e.g. "show 6 3".
struct RecordingPayTable final : PayTableHooks {
    std::vector<std::string> calls;
    void ClearSchedule() override { calls.push_back("clear"); }
    void ShowSchedule(int spots, int coinsbet) override {
        calls.push_back("show " + std::to_string(spots) + " " + std::to_string(coinsbet));
    }
    void RevealRows() override { calls.push_back("reveal"); }
    void StopRowFlash() override { calls.push_back("stopflash"); }
};

struct FixedGameQuery final : GameQuery {
    bool offerOpen = false;
    bool OfferOpen() const override { return offerOpen; }
};

// A board of either window with recording seams, credit 100 and a bet of 1 unless a test says otherwise.
class BoardTest : public ::testing::Test {
protected:
    void Build(BoardRules rules, std::uint64_t seed = 1) {
        state.bank = 100;
        state.coinsbet = 1;
        state.currentplayer = "Ann";
        random = std::make_unique<SeededRandomSource>(seed);
        board = std::make_unique<clsKenoBoard>(rules, state, view, sound, messenger, *random);
        board->SetGameQuery(&game);
        if (rules == BoardRules::Keno20) board->SetPayTable(&payTable);
    }
    void MarkAll(const std::vector<int>& numbers) {
        for (int n : numbers) board->MarkSquare(n);
    }
    int MarkedSquares() const {
        int count = 0;
        for (int n = 1; n <= ViewModel::kSquares; ++n)
            if (view.Square(n).picture == SquarePicture::Marked) ++count;
        return count;
    }
    // Every square shows its picture exactly when marked, and spots() counts the marks.
    void ExpectConsistent() const {
        int marked = 0;
        for (int n = 1; n <= ViewModel::kSquares; ++n) {
            EXPECT_EQ(board->IsMarked(n), view.Square(n).picture == SquarePicture::Marked) << n;
            if (board->IsMarked(n)) ++marked;
        }
        EXPECT_EQ(board->spots(), marked);
        EXPECT_EQ(board->Picks().size(), static_cast<std::size_t>(marked));
    }
    void Forget() {
        sound.cues.clear();
        messenger.shown.clear();
        payTable.calls.clear();
    }

    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    RecordingPayTable payTable;
    FixedGameQuery game;
    std::unique_ptr<SeededRandomSource> random;
    std::unique_ptr<clsKenoBoard> board;
};

}  // namespace keno
