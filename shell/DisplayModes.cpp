#include "shell/DisplayModes.h"

#include <cstdlib>
#include <cstring>

#if KENO_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#endif

namespace keno::MODchangeRes {
namespace {

// The size to go back to; empty while the display is as this program found it.
std::optional<ScreenSize> sizeBeforeChange;

#if KENO_HAVE_XRANDR

// Under Wayland an X client only sees Xwayland's emulated sizes; changing them would at best
// scale this program's own windows, so the switch is left alone there.
bool IsWaylandSession() {
    const char* socket = std::getenv("WAYLAND_DISPLAY");
    if (socket != nullptr && *socket != '\0') {
        return true;
    }
    const char* session = std::getenv("XDG_SESSION_TYPE");
    return session != nullptr && std::strcmp(session, "wayland") == 0;
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }
int IgnoreIOError(Display*) { return 0; }
#if KENO_HAVE_XIOERROREXIT
void KeepRunning(Display*, void*) {}
#endif

// A private connection for one operation. While it lives, X errors are swallowed instead of
// reaching Xlib's default handlers, which print and, for a lost connection, end the process.
class XConnection {
public:
    XConnection()
        : previousErrorHandler_(XSetErrorHandler(IgnoreXError)),
          previousIOErrorHandler_(XSetIOErrorHandler(IgnoreIOError)),
          display_(XOpenDisplay(nullptr)) {
#if KENO_HAVE_XIOERROREXIT
        if (display_ != nullptr) {
            XSetIOErrorExitHandler(display_, KeepRunning, nullptr);
        }
#endif
    }
    ~XConnection() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);  // syncs first, so late errors still meet our handler
        }
        XSetIOErrorHandler(previousIOErrorHandler_);
        XSetErrorHandler(previousErrorHandler_);
    }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    Display* display() const { return display_; }

private:
    XErrorHandler previousErrorHandler_;
    XIOErrorHandler previousIOErrorHandler_;
    Display* display_;
};

// The screen's size list as RandR reports it, with the entry in use and its rotation.
class ScreenSizes {
public:
    explicit ScreenSizes(Display* display) : display_(display) {
        int eventBase = 0;
        int errorBase = 0;
        if (display_ == nullptr || !XRRQueryExtension(display_, &eventBase, &errorBase)) {
            return;
        }
        root_ = DefaultRootWindow(display_);
        config_ = XRRGetScreenInfo(display_, root_);
        if (config_ == nullptr) {
            return;
        }
        sizes_ = XRRConfigSizes(config_, &count_);
        current_ = XRRConfigCurrentConfiguration(config_, &rotation_);
    }
    ~ScreenSizes() {
        if (config_ != nullptr) {
            XRRFreeScreenConfigInfo(config_);
        }
    }
    ScreenSizes(const ScreenSizes&) = delete;
    ScreenSizes& operator=(const ScreenSizes&) = delete;

    bool usable() const { return sizes_ != nullptr && count_ > 0; }

    std::optional<int> Find(ScreenSize wanted) const {
        for (int i = 0; i < count_; ++i) {
            if (sizes_[i].width == wanted.width && sizes_[i].height == wanted.height) {
                return i;
            }
        }
        return std::nullopt;
    }

    // The size in use, or the first of the list, which RandR gives as the preferred one, when
    // the screen's size is not an entry of the list (as with several monitors side by side).
    ScreenSize CurrentOrPreferred() const {
        const int index = current_ < count_ ? current_ : 0;
        return {sizes_[index].width, sizes_[index].height};
    }

    bool IsCurrent(ScreenSize size) const {
        return current_ < count_ && sizes_[current_].width == size.width &&
               sizes_[current_].height == size.height;
    }

    bool SwitchTo(int index) {
        const Status status = XRRSetScreenConfig(display_, config_, root_, index, rotation_, CurrentTime);
        XSync(display_, False);
        return status == RRSetConfigSuccess;
    }

private:
    Display* display_;
    Window root_ = 0;
    XRRScreenConfiguration* config_ = nullptr;
    XRRScreenSize* sizes_ = nullptr;
    int count_ = 0;
    int current_ = 0;
    Rotation rotation_ = RR_Rotate_0;
};

#endif  // KENO_HAVE_XRANDR

}  // namespace

void ChangeDisplayMode(int width, int height) {
#if KENO_HAVE_XRANDR
    if (IsWaylandSession()) {
        return;
    }
    XConnection connection;
    ScreenSizes screen(connection.display());
    if (!screen.usable()) {
        return;
    }
    const ScreenSize wanted{width, height};
    const std::optional<int> index = screen.Find(wanted);
    if (!index || screen.IsCurrent(wanted)) {
        return;
    }
    const ScreenSize before = screen.CurrentOrPreferred();
    if (screen.SwitchTo(*index) && !sizeBeforeChange) {
        sizeBeforeChange = before;
    }
#else
    (void)width;
    (void)height;
#endif
}

void RestoreDisplayMode() {
    if (!sizeBeforeChange) {
        return;
    }
    // Forgotten before trying: a restore that cannot reach the server is not retried at each exit.
    const ScreenSize original = *sizeBeforeChange;
    sizeBeforeChange.reset();
#if KENO_HAVE_XRANDR
    if (IsWaylandSession()) {
        return;
    }
    XConnection connection;
    ScreenSizes screen(connection.display());
    if (!screen.usable() || screen.IsCurrent(original)) {
        return;
    }
    if (const std::optional<int> index = screen.Find(original)) {
        screen.SwitchTo(*index);
    }
#else
    (void)original;
#endif
}

bool IsDisplayModeChanged() { return sizeBeforeChange.has_value(); }

std::optional<ScreenSize> CurrentScreenSize() {
#if KENO_HAVE_XRANDR
    XConnection connection;
    Display* display = connection.display();
    if (display == nullptr) {
        return std::nullopt;
    }
    // A fresh connection carries the screen size of the moment it was opened.
    const int screen = DefaultScreen(display);
    return ScreenSize{DisplayWidth(display, screen), DisplayHeight(display, screen)};
#else
    return std::nullopt;
#endif
}

DisplayHold::DisplayHold() {
#if KENO_HAVE_XRANDR
    display_ = XOpenDisplay(nullptr);
    open_ = display_ != nullptr;
#else
    open_ = true;
#endif
}

DisplayHold::~DisplayHold() {
#if KENO_HAVE_XRANDR
    if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
#endif
}

}  // namespace keno::MODchangeRes
