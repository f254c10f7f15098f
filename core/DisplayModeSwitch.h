#pragma once
#include <utility>

namespace keno {

// The display-mode switch of the machine (800 x 600 on request, restored at exit).
class DisplayModeSwitch {
public:
    virtual ~DisplayModeSwitch() = default;
    virtual void ChangeDisplayMode(int width, int height) = 0;
    // Back to the user's stored mode.
    virtual void RestoreDisplayMode() = 0;
    // Current screen size in pixels: width, height; 0, 0 when it cannot be told (the change is then
    // attempted and, with no display, quietly does nothing).
    virtual std::pair<int, int> ScreenSizePixels() = 0;
};

}  // namespace keno
