#pragma once
#include "core/MachineState.h"
#include "gamewindow/GameWindow.h"

namespace keno {

class GameHistory;

// The "Last games" menu entry (key L) of a game window and its screen, for the player in the
// machine's slot at the time it is opened. The list follows the games settled while it is open.
GameWindowFeature RecallFeature(GameHistory& history, const MachineState& state);

}  // namespace keno
