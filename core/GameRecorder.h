#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace keno {

// How the extra-ball offer of a 22-ball game was answered; None when no offer opened.
enum class OfferChoice : std::uint8_t { None = 0, TookWin = 1, Bought = 2 };

// One game as it settled, reported once by the engine that played it. Numbers are 1..80.
struct SettledGame {
    int slot = 0;                       // player slot 1..6; 0 when playerslot names none
    std::string player;                 // the name as typed, may be empty
    int game = 22;                      // 22: the 22-ball game, 20: the 20-ball game
    std::vector<int> ticket;            // the marked numbers the game was played on, ascending
    std::vector<int> drawn;             // the 20 balls of the main draw, in draw order
    std::vector<int> extra;             // the extra balls bought, in draw order (none or two)
    int hits = 0;                       // final hits, the ones the game was paid on
    std::int32_t bet = 0;               // coins charged at PLAY (after any reduction)
    std::int32_t extraBet = 0;          // coins charged for the extra balls
    std::int32_t win = 0;               // coins paid into the credit
    OfferChoice offer = OfferChoice::None;
    std::int32_t creditAfter = 0;       // the credit once the win was paid

    bool operator==(const SettledGame&) const = default;
};

// The seam through which the engines report each game as it settles. The history implements it;
// an engine without one reports to nobody.
class GameRecorder {
public:
    virtual ~GameRecorder() = default;
    virtual void GameSettled(const SettledGame& game) = 0;
};

// Records nothing: what an engine reports to until it is given a recorder.
GameRecorder& NoRecorder();

// The slot number in playerslot ("1".."6"), or 0.
int SlotNumber(const std::string& playerslot);

}  // namespace keno
