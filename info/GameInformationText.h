#pragma once
#include <string>
#include <vector>

#include "core/Message.h"

namespace keno {

// Which game window's help text: the 22-ball game has the extra-ball item and 2..10 spots.
enum class InformationGame { Keno22, Keno20 };

// The lines of the game information text, exactly as the player reads them (trailing blanks kept).
std::vector<std::string> GameInformationLines(InformationGame game);
// The lines, each followed by a carriage return.
std::string GameInformationText(InformationGame game);
// The box that shows it: "Game Information", information icon, OK and Cancel.
Message GameInformationMessage(InformationGame game);

}  // namespace keno
