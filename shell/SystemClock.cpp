#include "shell/SystemClock.h"

#include <QTime>

namespace keno {

double SystemClock::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace keno
