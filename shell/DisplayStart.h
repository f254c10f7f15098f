#pragma once

namespace keno {

// Call just before the application object is made. Until its windowing platform is up, a platform
// that cannot start (a Wayland socket that is not there, a platform plugin that is missing, an X
// server that went away) ends the program with the plain "no display" line on standard error and
// status 1 instead of the toolkit's abort. What the toolkit says meanwhile is held back, and said
// as usual once the platform is up.
void GuardPlatformStart();

}  // namespace keno
