// MODchangeRes without a display, and against a real RandR implementation: Xorg's dummy driver.
#include "shell/DisplayModes.h"
#include "DisplayDummyServer.h"

#include <gtest/gtest.h>  // before Xlib, whose None and Bool macros clash with it

#include <X11/Xlib.h>

using keno::ScreenSize;
namespace display = keno::MODchangeRes;

namespace keno {
void PrintTo(const ScreenSize& size, std::ostream* out) { *out << size.width << "x" << size.height; }
}  // namespace keno

namespace {

void SetEnv(const char* name, const char* value) { value ? setenv(name, value, 1) : unsetenv(name); }

// The screen's size as the server has it now, read without the module under test.
ScreenSize ServerScreenSize() {
    Display* x = XOpenDisplay(nullptr);
    if (!x) return {};
    const ScreenSize size{DisplayWidth(x, DefaultScreen(x)), DisplayHeight(x, DefaultScreen(x))};
    XCloseDisplay(x);
    return size;
}

}  // namespace

TEST(DisplayModes, QuietWithoutXAndOnXorgChangesAndRestoresTheSize) {
    const std::pair<const char*, const char*> environments[] = {  // DISPLAY, WAYLAND_DISPLAY; null: unset
        {nullptr, nullptr}, {"", nullptr}, {":4087", nullptr}, {nullptr, "wayland-0"}};
    for (const auto& [x, wayland] : environments) {
        SCOPED_TRACE(std::string(x ? x : "-") + " " + (wayland ? wayland : "-"));
        SetEnv("DISPLAY", x);
        SetEnv("WAYLAND_DISPLAY", wayland);
        display::ChangeDisplayMode(800, 600);
        EXPECT_FALSE(display::IsDisplayModeChanged());
        display::RestoreDisplayMode();
        EXPECT_EQ(display::CurrentScreenSize(), std::nullopt);
    }

    DisplayDummyServer server;  // 1024x768, also 800x600 and 640x480
    if (!server.Running() && DisplayDummyServer::Required()) FAIL() << server.Problem();
    if (!server.Running()) GTEST_SKIP() << "no dummy X server: " << server.Problem();
    SetEnv("DISPLAY", server.DisplayName().c_str());
    SetEnv("XDG_SESSION_TYPE", nullptr);
    const ScreenSize kDefault{1024, 768}, kLarge{800, 600}, kSmall{640, 480};
    display::RestoreDisplayMode();  // without a change
    EXPECT_EQ(ServerScreenSize(), kDefault);
    const struct {
        const char* name;
        std::vector<ScreenSize> requests;
        ScreenSize expected;
        const char* wayland = nullptr;  // X under a Wayland session is not the screen to change
    } cases[] = {
        {"in a Wayland session", {kLarge}, kDefault, "wayland-0"},
        {"800x600 once", {kLarge}, kLarge},
        {"800x600 twice", {kLarge, kLarge}, kLarge},
        {"640x480 then 800x600", {kSmall, kLarge}, kLarge},
        {"the size in use", {kDefault}, kDefault},
        {"a size the screen lacks", {{1600, 1200}}, kDefault},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEnv("WAYLAND_DISPLAY", c.wayland);
        for (const ScreenSize& request : c.requests) display::ChangeDisplayMode(request.width, request.height);
        EXPECT_EQ(ServerScreenSize(), c.expected);
        EXPECT_EQ(display::IsDisplayModeChanged(), !(c.expected == kDefault));
        display::RestoreDisplayMode();
        EXPECT_EQ(ServerScreenSize(), kDefault);
        EXPECT_FALSE(display::IsDisplayModeChanged());
    }

    display::ChangeDisplayMode(800, 600);
    EXPECT_EQ(display::CurrentScreenSize(), kLarge);
    server.Stop();
    display::RestoreDisplayMode();  // with the server gone: must return, not end the process
    EXPECT_FALSE(display::IsDisplayModeChanged());
    EXPECT_EQ(display::CurrentScreenSize(), std::nullopt);
}
