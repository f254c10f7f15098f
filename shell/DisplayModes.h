#pragma once

#include <optional>

namespace keno {

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// MODchangeRes: switches the whole X screen to another size through RandR and back.
//
// The change is temporary: the size the screen had before the first change of this run is
// remembered in memory and RestoreDisplayMode returns to it. Nothing is written to the user's
// display configuration, so a crash can at worst leave the session in the changed size.
//
// Every operation is quiet: no display, a Wayland session, a server without RandR, a size the
// screen lacks or an X error all leave the display as it is and report nothing. X errors are
// caught for the duration of each call, so they never end the program.
//
// Call from the user-interface thread only. The operations are not async-signal-safe (Xlib
// allocates); a signal handler should only wake the UI thread, whose shut-down path then calls
// RestoreDisplayMode. Each call opens and closes its own X connection, so it does not depend on
// the toolkit's connection still being usable during shut-down.
namespace MODchangeRes {

// Switches the screen to width x height pixels, keeping its rotation. Does nothing when the
// screen is already that size or does not offer it. Calling it twice is the same as once.
void ChangeDisplayMode(int width, int height);

// Returns the screen to the size it had before the first ChangeDisplayMode of this run.
// Without an earlier change it returns at once without touching X, so every exit may call it.
// Safe to call any number of times.
void RestoreDisplayMode();

// True while a change made here has not been restored; lets a shut-down path skip the restore.
bool IsDisplayModeChanged();

// The current size of the X screen in pixels; empty when there is no X display.
std::optional<ScreenSize> CurrentScreenSize();

// An X connection held for as long as the object lives. The program checks for a display with
// one and keeps it until the toolkit has connected: an X server whose last client leaves resets
// itself, and a connection made meanwhile waits for the reset (a tenth of a second on Xvfb).
class DisplayHold {
public:
    DisplayHold();
    ~DisplayHold();
    DisplayHold(const DisplayHold&) = delete;
    DisplayHold& operator=(const DisplayHold&) = delete;
    // Whether a display could be opened; a build without X support cannot tell and says yes.
    bool HasDisplay() const { return open_; }

private:
    void* display_ = nullptr;  // the Xlib Display
    bool open_ = false;
};

}  // namespace MODchangeRes
}  // namespace keno
