#pragma once
#include "core/MachineState.h"
#include "gamewindow/GameWindow.h"

namespace keno {

// The "Autoplay" menu entry (key R) of a game window, its dialog and the player it starts. The
// machine state is read for the credit; nothing is written to it except by the game's own presses.
GameWindowFeature AutoplayFeature(const MachineState& state);

}  // namespace keno
