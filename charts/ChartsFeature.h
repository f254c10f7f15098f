#pragma once
#include "core/MachineState.h"
#include "gamewindow/GameWindow.h"

namespace keno {

class GameHistory;

// The "Charts" menu entry (key H) of a game window and its screen, for the player in the
// machine's slot when it is opened (again: opening it again reads the history afresh).
GameWindowFeature ChartsFeature(GameHistory& history, const MachineState& state);

}  // namespace keno
