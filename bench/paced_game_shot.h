#pragma once
#include <QString>

namespace keno {

class KenoApp;

// Plays a scripted winning game on the started machine's 22-ball window and saves the window to
// `file` once the hits show; with framesDir, every frameEvery-th step of the draw is saved too.
int RunShot(KenoApp& app, const QString& file, const QString& framesDir, int frameEvery);

}  // namespace keno
