// MODchangeRes against a real RandR implementation: Xorg on the dummy video driver.
#include "shell/DisplayModes.h"
#include "DisplayDummyServer.h"

#include <cstdlib>
#include <gtest/gtest.h>  // before Xlib, whose None and Bool macros clash with it
#include <memory>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

using keno::ScreenSize;
namespace display = keno::MODchangeRes;

namespace {

const ScreenSize kDefault{1024, 768};
const ScreenSize kLarge{800, 600};
const ScreenSize kSmall{640, 480};

void UseServer(const DisplayDummyServer& server) {
    setenv("DISPLAY", server.DisplayName().c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("XDG_SESSION_TYPE");
}

// Xorg needs root to read a configuration from a chosen path; elsewhere a missing server is a
// reason to skip, but where it can run (CI runs as root) it must.
bool MayRunWithoutServer() {
    return DisplayDummyServer::FindXorg().empty() || geteuid() != 0;
}

// The root window's size as the server has it now, read without the module under test.
ScreenSize ServerScreenSize() {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr) {
        return {};
    }
    Window root = 0;
    int left = 0;
    int top = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    XGetGeometry(x, DefaultRootWindow(x), &root, &left, &top, &width, &height, &border, &depth);
    XCloseDisplay(x);
    return {static_cast<int>(width), static_cast<int>(height)};
}

// Someone else (the user, another program) changing the size.
void SetSizeElsewhere(ScreenSize size) {
    Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    XRRScreenConfiguration* config = XRRGetScreenInfo(x, DefaultRootWindow(x));
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    Rotation rotation = RR_Rotate_0;
    XRRConfigCurrentConfiguration(config, &rotation);
    for (int i = 0; i < count; ++i) {
        if (sizes[i].width == size.width && sizes[i].height == size.height) {
            XRRSetScreenConfig(x, config, DefaultRootWindow(x), i, rotation, CurrentTime);
        }
    }
    XRRFreeScreenConfigInfo(config);
    XCloseDisplay(x);
}

}  // namespace

namespace keno {
void PrintTo(const ScreenSize& size, std::ostream* out) { *out << size.width << "x" << size.height; }
}  // namespace keno

class DisplayModesOnDummyServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<DisplayDummyServer>(std::vector<std::string>{"1024x768", "800x600", "640x480"});
    }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override {
        if (!server_->Running()) {
            if (MayRunWithoutServer()) {
                GTEST_SKIP() << "no dummy X server: " << server_->Problem();
            }
            FAIL() << server_->Problem();
        }
        UseServer(*server_);
        ASSERT_EQ(ServerScreenSize(), kDefault);
    }

    void TearDown() override {
        if (server_->Running()) {
            display::RestoreDisplayMode();
            SetSizeElsewhere(kDefault);  // a failed case must not leave the next one a changed screen
        }
    }

    static std::unique_ptr<DisplayDummyServer> server_;
};

std::unique_ptr<DisplayDummyServer> DisplayModesOnDummyServer::server_;

struct ChangeCase {
    const char* name;
    std::vector<ScreenSize> requests;
    ScreenSize expected;
    bool changed;
};

TEST_F(DisplayModesOnDummyServer, ChangesAndRestoresToSizeBeforeFirstChange) {
    const ChangeCase cases[] = {
        {"800x600 once", {kLarge}, kLarge, true},
        {"800x600 twice", {kLarge, kLarge}, kLarge, true},
        {"640x480 then 800x600", {kSmall, kLarge}, kLarge, true},
        {"the size in use", {kDefault}, kDefault, false},
        {"a size the screen lacks", {{1600, 1200}}, kDefault, false},
        {"a zero size", {{0, 0}}, kDefault, false},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const ScreenSize& request : c.requests) {
            display::ChangeDisplayMode(request.width, request.height);
        }
        EXPECT_EQ(ServerScreenSize(), c.expected);
        EXPECT_EQ(display::CurrentScreenSize(), c.expected);
        EXPECT_EQ(display::IsDisplayModeChanged(), c.changed);

        display::RestoreDisplayMode();
        EXPECT_EQ(ServerScreenSize(), kDefault);
        EXPECT_FALSE(display::IsDisplayModeChanged());
        display::RestoreDisplayMode();  // every exit restores; a second one changes nothing
        EXPECT_EQ(ServerScreenSize(), kDefault);
    }
}

TEST_F(DisplayModesOnDummyServer, RestoreWithoutChangeLeavesScreenAlone) {
    display::RestoreDisplayMode();
    EXPECT_EQ(ServerScreenSize(), kDefault);

    // The user's own choice of size is not ours to undo.
    SetSizeElsewhere(kSmall);
    ASSERT_EQ(ServerScreenSize(), kSmall);
    display::RestoreDisplayMode();
    EXPECT_EQ(ServerScreenSize(), kSmall);
}

TEST_F(DisplayModesOnDummyServer, ChangeAgainAfterRestoreRemembersAfresh) {
    display::ChangeDisplayMode(800, 600);
    display::RestoreDisplayMode();
    SetSizeElsewhere(kSmall);
    display::ChangeDisplayMode(800, 600);
    ASSERT_EQ(ServerScreenSize(), kLarge);
    display::RestoreDisplayMode();
    EXPECT_EQ(ServerScreenSize(), kSmall);
}

TEST_F(DisplayModesOnDummyServer, WaylandSessionLeavesScreenAlone) {
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    display::ChangeDisplayMode(800, 600);
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(ServerScreenSize(), kDefault);
    EXPECT_FALSE(display::IsDisplayModeChanged());
}

namespace {
int SentinelErrorHandler(Display*, XErrorEvent*) { return 0; }
int SentinelIOErrorHandler(Display*) { return 0; }
}  // namespace

TEST_F(DisplayModesOnDummyServer, LeavesTheProgramsOwnErrorHandlersInPlace) {
    XErrorHandler original = XSetErrorHandler(SentinelErrorHandler);
    XIOErrorHandler originalIO = XSetIOErrorHandler(SentinelIOErrorHandler);
    display::ChangeDisplayMode(800, 600);
    display::RestoreDisplayMode();
    (void)display::CurrentScreenSize();
    EXPECT_EQ(XSetErrorHandler(original), &SentinelErrorHandler);
    EXPECT_EQ(XSetIOErrorHandler(originalIO), &SentinelIOErrorHandler);
}

TEST(DisplayModesOnNarrowScreen, SizeTheScreenLacksLeavesItAlone) {
    DisplayDummyServer server({"1024x768", "640x480"});
    if (!server.Running()) {
        if (MayRunWithoutServer()) {
            GTEST_SKIP() << "no dummy X server: " << server.Problem();
        }
        FAIL() << server.Problem();
    }
    UseServer(server);
    display::ChangeDisplayMode(800, 600);
    EXPECT_EQ(ServerScreenSize(), kDefault);
    EXPECT_FALSE(display::IsDisplayModeChanged());
    display::RestoreDisplayMode();
    EXPECT_EQ(ServerScreenSize(), kDefault);
}

TEST(DisplayModesServerGone, RestoreAfterServerEndedIsQuiet) {
    DisplayDummyServer server({"1024x768", "800x600"});
    if (!server.Running()) {
        if (MayRunWithoutServer()) {
            GTEST_SKIP() << "no dummy X server: " << server.Problem();
        }
        FAIL() << server.Problem();
    }
    UseServer(server);
    display::ChangeDisplayMode(800, 600);
    ASSERT_TRUE(display::IsDisplayModeChanged());
    server.Stop();

    display::RestoreDisplayMode();  // must return, not end the process
    EXPECT_FALSE(display::IsDisplayModeChanged());
    EXPECT_EQ(display::CurrentScreenSize(), std::nullopt);
}
