#pragma once
#include "core/DisplayModeSwitch.h"

namespace keno {

// The options dialog's screen-size switch over MODchangeRes (X RandR).
class MODchangeResSwitch final : public DisplayModeSwitch {
public:
    void ChangeDisplayMode(int width, int height) override;
    void RestoreDisplayMode() override;
    // From X when it answers; otherwise what the toolkit knows of the primary screen, in device
    // pixels; 0, 0 without either.
    std::pair<int, int> ScreenSizePixels() override;
};

}  // namespace keno
