#pragma once
#include <QString>

#include "host/GameHost.h"

class QWidget;

namespace keno {

// The game information box of a game window: modal, "Game Information", information icon,
// OK and Cancel; either button closes it and the answer is not used.
void ShowGameInformationBox(GameKind game, QWidget* parent);

// The text as the box shows it: one line per line of the game's information text.
QString GameInformationDisplayText(GameKind game);

}  // namespace keno
