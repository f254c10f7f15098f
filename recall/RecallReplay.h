#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Steps.h"
#include "history/HistoryStore.h"

namespace keno {

// A game of the history shown again, ball by ball, on a board of its own: which balls have fallen,
// and what the board, the hits and the win show at that point. It reads the record only; nothing
// here can reach the machine's credit or state.
class RecallReplay {
public:
    static constexpr int kLeadInMs = 300;     // before the first ball
    static constexpr int kBallMs = 200;       // after each ball of the main draw
    static constexpr int kExtraBallMs = 700;  // after each extra ball, which the game also lets rest
    static constexpr int kMainBalls = 20;

    enum class Square : std::uint8_t {
        Plain,       // neither marked nor drawn yet
        Marked,      // on the ticket, not drawn (yet)
        Drawn,       // drawn in the main draw, not on the ticket
        Hit,         // on the ticket and drawn in the main draw
        ExtraDrawn,  // an extra ball, not on the ticket
        ExtraHit,    // an extra ball on the ticket
    };

    explicit RecallReplay(GameRecord record = {});

    const GameRecord& Record() const { return record_; }
    // The balls in the order they fell: the main draw, then the extra balls bought.
    const std::vector<int>& Balls() const { return balls_; }
    bool IsExtra(std::size_t position) const { return position >= record_.game.drawn.size(); }
    // Balls fallen so far.
    std::size_t Shown() const { return shown_; }
    // Every ball has fallen and the result is shown.
    bool Finished() const { return finished_; }
    Square SquareAt(int number) const;
    int HitsSoFar() const;

    // From an empty board, one ball a step; the result shows after the last one.
    Steps Run();
    // The end at once.
    void ShowAll();

private:
    GameRecord record_;
    std::vector<int> balls_;
    std::vector<int> extraOf_;  // per number 1..80: 0 not drawn, 1 main draw, 2 extra ball
    std::size_t shown_ = 0;
    bool finished_ = false;
};

// The texts of the list of last games and of the replay's result line.
namespace recalltext {
std::string GameName(int game);  // "K E N O 22" or "K E N O"
std::string Ticket(const std::vector<int>& ticket);  // "3 18 27 44"
std::string Hits(const SettledGame& game);  // "3 of 4"
std::string Bet(const SettledGame& game);   // "2", or "2 + 2" with the extra balls
std::string Win(const SettledGame& game);   // "86", or "0"
// After the replay: "4 of 4 hit, extra balls bought for 2: WIN 86".
std::string Result(const SettledGame& game);
}  // namespace recalltext

}  // namespace keno
