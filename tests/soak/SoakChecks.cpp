// The invariants checked after every action.
#include <algorithm>

#include "tests/soak/SoakMachine.h"

namespace keno::soak {
namespace {

std::string Meters(const MachineState& s) {
    return "bank " + std::to_string(s.bank) + ", invested " + std::to_string(s.amountinvested) + ", total " +
           std::to_string(s.total) + ", wager " + std::to_string(s.wager) + ", games " + std::to_string(s.games) +
           ", bet " + std::to_string(s.coinsbet) + ", slot " + s.playerslot;
}

std::string BooksText(const Books& b) {
    return "invested " + std::to_string(b.invested) + ", charged " + std::to_string(b.charged) + ", won " +
           std::to_string(b.won) + ", wagered " + std::to_string(b.wagered) + ", games " + std::to_string(b.games);
}

// A state nothing could load into by chance, so a value the reload missed shows.
MachineState Scrambled(const MachineState& like) {
    MachineState s;
    s.bank = -99;
    s.coinsbet = -99;
    s.games = -99;
    s.wager = -99;
    s.total = -99;
    s.amountinvested = -99;
    s.reelspeed = -99;
    s.currentplayer = "scrambled";
    s.playerslot = like.playerslot;
    s.activegame = like.activegame;
    return s;
}

}  // namespace

void SoakMachine::Require(bool condition, const std::string& what) {
    if (!condition) throw SoakFailure(what + " (" + Meters(State()) + "; books " + BooksText(books_) + ")");
}

void SoakMachine::CheckAll() {
    CheckBooks();
    CheckBoard("keno22", program_->keno22->board, program_->keno22->view, program_->keno22->game.Running());
    if (program_->keno20) {
        CheckBoard("keno20", program_->keno20->board, program_->keno20->view, program_->keno20->game.Running());
    }
    CheckRecordRoundTrip();
    const std::string& game = State().activegame;
    Require(game == "game1" || (game == "game2" && program_->keno20), "no game window in front");
}

void SoakMachine::CheckBooks() {
    const MachineState& s = State();
    Require(s.bank >= 0, "credit below zero");
    Require(s.bank == books_.invested - books_.charged + books_.won, "credit is not invested - charged + won");
    Require(s.amountinvested == books_.invested, "the invested meter differs from the coins inserted");
    Require(s.total == books_.won, "the won meter differs from the wins paid");
    Require(s.wager == books_.wagered, "the wager meter differs from the bets PLAY took");
    Require(s.games == books_.games, "the games meter differs from the games settled");
}

// PLAY plays exactly what is marked: whenever it can be pressed the spot count is the number of
// marked squares, and a board that is not showing a finished game shows exactly those marks.
void SoakMachine::CheckBoard(const char* window, const clsKenoBoard& board, const ViewModel& view,
                             bool running) {
    const std::vector<int> picks = board.Picks();
    Require(board.spots() == static_cast<int>(picks.size()),
            std::string(window) + ": spots " + std::to_string(board.spots()) + " but " +
                std::to_string(picks.size()) + " marked");
    if (!view.Enabled("start") || running || board.mustErase()) return;
    int shown = 0;
    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        const bool marked = view.Square(n).picture == SquarePicture::Marked;
        Require(marked == board.IsMarked(n), std::string(window) + ": square " + std::to_string(n) +
                                                 (marked ? " shows a mark it does not have" : " hides its mark"));
        shown += marked ? 1 : 0;
    }
    Require(shown == board.spots(), std::string(window) + ": PLAY is enabled with " + std::to_string(shown) +
                                        " squares shown marked and spots " + std::to_string(board.spots()));
}

// Saving the machine state and reading the record back gives the same state.
void SoakMachine::CheckRecordRoundTrip() {
    MachineState copy = State();
    PlayerLedger(copy, scratch_).SaveRecord();
    scratch_.ClearSaveCalls();
    MachineState back = Scrambled(copy);
    PlayerLedger(back, scratch_).LoadRecord(SlotInUse());
    Require(back == State(), "the record saved and read back differs from the machine state");
}

// What a save put in the store is what the machine held when it saved.
void SoakMachine::CheckStoredRecord(const MachineState& saved) {
    MachineState back = Scrambled(saved);
    PlayerLedger(back, store_).LoadRecord(SlotInUse());
    Require(back == saved, "the stored record differs from the machine state it was saved from");
}

void SoakMachine::CheckDraw(std::span<const int> drawn, const char* what) {
    std::array<bool, 81> seen{};
    for (int n : drawn) {
        Require(n >= 1 && n <= 80, std::string(what) + " holds " + std::to_string(n));
        Require(!seen[static_cast<std::size_t>(n)], std::string(what) + " holds " + std::to_string(n) + " twice");
        seen[static_cast<std::size_t>(n)] = true;
    }
}


}  // namespace keno::soak
