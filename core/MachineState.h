#pragma once
#include <cstdint>
#include <string>

namespace keno {

// The program-wide figures every window and engine reads and writes. One instance, owned by the
// application; everything starts at zero or empty.
struct MachineState {
    std::int32_t bank = 0;            // credit meter, coins
    std::int16_t coinsbet = 0;        // coins bet per game (1..5 once a bet is made)
    std::int32_t games = 0;           // games played
    std::int32_t wager = 0;           // total coins wagered
    std::int32_t total = 0;           // total coins won
    std::int32_t amountinvested = 0;  // total coins inserted
    std::int16_t reelspeed = 0;       // draw pace: ms per animation step (22 ball), x20 per ball (20 ball)
    std::string currentplayer;        // name as typed, may be empty
    std::string playerslot;           // "1".."6"
    std::string activegame;           // "game1" (22 ball) or "game2" (20 ball)

    bool operator==(const MachineState&) const = default;
};

}  // namespace keno
