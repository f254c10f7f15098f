// Without an X display every operation is a quiet no-op.
#include "shell/DisplayModes.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace display = keno::MODchangeRes;

namespace {

struct Environment {
    const char* name;
    const char* displayVariable;  // nullptr: unset
    const char* waylandVariable;
};

}  // namespace

TEST(DisplayModesWithoutDisplay, EveryOperationIsQuiet) {
    const Environment environments[] = {
        {"DISPLAY unset", nullptr, nullptr},
        {"DISPLAY empty", "", nullptr},
        {"DISPLAY names no server", ":4087", nullptr},
        {"Wayland only", nullptr, "wayland-0"},
    };
    for (const Environment& e : environments) {
        SCOPED_TRACE(e.name);
        if (e.displayVariable != nullptr) {
            setenv("DISPLAY", e.displayVariable, 1);
        } else {
            unsetenv("DISPLAY");
        }
        if (e.waylandVariable != nullptr) {
            setenv("WAYLAND_DISPLAY", e.waylandVariable, 1);
        } else {
            unsetenv("WAYLAND_DISPLAY");
        }
        display::ChangeDisplayMode(800, 600);
        EXPECT_FALSE(display::IsDisplayModeChanged());
        display::RestoreDisplayMode();
        EXPECT_FALSE(display::IsDisplayModeChanged());
        EXPECT_EQ(display::CurrentScreenSize(), std::nullopt);
    }
}
