#pragma once

namespace keno {

// Time of day, for the pause after an extra ball lands. Tests drive a virtual clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double SecondsSinceMidnight() = 0;
};

}  // namespace keno
