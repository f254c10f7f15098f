#pragma once
#include <string>

#include "core/DisplayModeSwitch.h"
#include "core/SettingsStore.h"

namespace keno {

// Window work the options controller asks for but cannot do itself.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    // Enables and shows the window of activegame ("game1": keno22, "game2": keno20) and hides
    // the other one.
    virtual void ShowActiveGame(const std::string& activegame) = 0;
    // Puts keno22 at left 0, top 0.
    virtual void MoveMainWindowToOrigin() = 0;
    // Unloads the options dialog.
    virtual void CloseDialog() = 0;
    // The game windows' views were written; redraw them.
    virtual void RefreshGameWindows() = 0;
    // A player record did not reach storage; warn the player (status names the file and reason).
    virtual void SaveFailed(const StoreStatus& status) = 0;
    // The details of the player in slot (1..6) were deleted: their game history goes with them.
    virtual void PlayerDetailsDeleted(int /*slot*/) {}
};

}  // namespace keno
