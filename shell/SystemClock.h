#pragma once
#include "core/Clock.h"

namespace keno {

// The wall clock of the machine: seconds since local midnight, to the millisecond.
class SystemClock final : public Clock {
public:
    double SecondsSinceMidnight() override;
};

}  // namespace keno
