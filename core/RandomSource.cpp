#include "core/RandomSource.h"

#include <chrono>

namespace keno {

void ClockRandomSource::Reseed() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::random_device device;
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                      device(), device(), device(), device()};
    engine_.seed(seq);
}

double ClockRandomSource::Fraction() { return FractionFrom(engine_); }

double SeededRandomSource::Fraction() { return FractionFrom(engine_); }

}  // namespace keno
