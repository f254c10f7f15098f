#pragma once

namespace keno {

// Screen-reader view of the odds widgets: the advisor panel is one label whose name says all it
// shows; the odds picture is a label named by its heading whose description reads the whole
// table. Safe to call more than once; each widget calls it when it is made.
void InstallOddsAccessibility();

}  // namespace keno
