#pragma once
#include <QtGlobal>

namespace keno {

// Held while the application object is made. A windowing platform that cannot start there (a
// Wayland socket that is not there, a platform plugin that is missing, an X server that went
// away) would end the program through the toolkit's abort; it ends instead with the plain "no
// display" line on standard error and status 1. What the toolkit says meanwhile is held back,
// and said as usual once the platform is up.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

private:
    QtMessageHandler previous_;
};

}  // namespace keno
