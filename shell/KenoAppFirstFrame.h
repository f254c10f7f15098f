#pragma once

class QWidget;

namespace keno {

// For the start-up bench: prints "first-frame <CLOCK_MONOTONIC seconds>" on standard output once
// the window's first frame has been painted and flushed.
void ReportFirstFrame(QWidget* window);

}  // namespace keno
