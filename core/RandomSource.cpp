#include "core/RandomSource.h"

#include <sys/random.h>

#include <chrono>
#include <cstring>

namespace keno {

namespace {

std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// SplitMix64: spreads a word over all bits; used to mix the clock in and to fill any entropy the
// kernel did not give.
std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

void ClockRandomSource::Reseed() {
    std::uint64_t fresh[4] = {};
    // Non-blocking once the kernel's pool is initialised (always, after boot); a short or failed
    // read leaves the rest to the clock and the previous state.
    const ssize_t got = getrandom(fresh, sizeof fresh, GRND_NONBLOCK);
    const auto filled = got > 0 ? static_cast<std::size_t>(got) / sizeof fresh[0] : 0;
    auto mix = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint64_t stir = SplitMix(mix);
        fresh[i] = (i < filled ? fresh[i] : Next()) ^ stir;  // a missing word continues the old stream
    }
    std::memcpy(state_, fresh, sizeof state_);
    // xoshiro must not start from the all-zero state.
    if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) state_[0] = 0x6b656e6fULL;
}

std::uint64_t ClockRandomSource::Next() {
    const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
}

double ClockRandomSource::Fraction() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

double SeededRandomSource::Fraction() { return FractionFrom(engine_); }

}  // namespace keno
