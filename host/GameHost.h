#pragma once
#include <string>

#include "core/Clock.h"
#include "core/Cue.h"
#include "core/DisplayModeSwitch.h"
#include "core/MachineState.h"
#include "core/PlayerLedger.h"
#include "core/RandomSource.h"
#include "core/SettingsStore.h"
#include "core/ViewModel.h"

class QWidget;

namespace keno {

enum class GameKind { Keno22, Keno20 };

// What a game window, an information screen or the options dialog needs from the machine: its
// state and seams, and the requests only the machine can carry out (it owns the windows). The
// shell implements it; nothing here knows the shell.
class GameHost {
public:
    virtual ~GameHost() = default;

    // The machine. The engines keep these references for their whole life.
    virtual MachineState& State() = 0;
    virtual PlayerLedger& Ledger() = 0;
    virtual SoundSink& Sound() = 0;
    virtual RandomSource& Random() = 0;
    virtual Clock& TimeOfDay() = 0;
    virtual DisplayModeSwitch& DisplayModes() = 0;
    // Fills the sound bank from the program's images (the first game window's load).
    virtual void FillSoundBank() = 0;

    // Requests. Each is refused quietly when the machine cannot do it now (quitting, a game in
    // progress, a box open).
    virtual void SwitchGame(GameKind to) = 0;
    // The options dialog; the opener is disabled while it is open.
    virtual void OpenOptions(QWidget* opener) = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowPaySchedule() = 0;
    virtual void ShowGameInformation(GameKind game, QWidget* parent) = 0;
    // Ends the program: settles what is in hand, saves the record, restores the display mode.
    virtual void Quit(bool stopSound) = 0;
    virtual bool Quitting() const = 0;
    // Tells the player that their record could not be saved, naming the file and the reason.
    virtual void WarnSaveFailed(const StoreStatus& status, QWidget* parent) = 0;
    // The player of slot (1..6) was deleted in the options: their game history goes too.
    virtual void ForgetPlayerHistory(int /*slot*/) {}

    // The game windows as the options dialog changes them. The view of a game whose window does
    // not exist yet is null.
    virtual ViewModel* GameView(GameKind game) = 0;
    // Enables and shows the window of activegame ("game1", "game2") showing the machine state
    // now loaded, and hides the other one.
    virtual void ShowActiveGame(const std::string& activegame) = 0;
    virtual void MoveMainWindowToOrigin() = 0;
    // The game windows' views were written from outside: redraw them.
    virtual void RefreshGameWindows() = 0;
};

}  // namespace keno
