#pragma once
#include <QApplication>

#include <memory>

namespace keno {

// The application object, or null after a plain line on standard error when there is no display
// to open the game window on. A windowing platform that fails while the application starts (a
// Wayland socket that is not there, a platform plugin that is missing) ends the program with the
// same line and status 1, never with the toolkit's abort.
std::unique_ptr<QApplication> OpenApplicationOrExplain(int& argc, char** argv);

}  // namespace keno
