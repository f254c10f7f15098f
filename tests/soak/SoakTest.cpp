// The whole machine under a seeded random player for many actions. KENO_SOAK_ACTIONS and
// KENO_SOAK_SEED lengthen the run or change the player (bench/soak.sh).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "tests/soak/SoakMachine.h"

namespace keno::soak {
namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return (text && *text) ? std::strtoull(text, nullptr, 10) : fallback;
}

TEST(Soak, RandomPlayerKeepsEveryInvariant) {
    const std::uint64_t seed = FromEnvironment("KENO_SOAK_SEED", 20240611);
    const auto actions = static_cast<std::int64_t>(FromEnvironment("KENO_SOAK_ACTIONS", 200000));
    const auto start = std::chrono::steady_clock::now();
    SoakMachine machine(seed);
    try {
        while (machine.Actions() < actions) machine.Act();
    } catch (const SoakFailure& failure) {
        FAIL() << "seed " << seed << ", action " << machine.Actions() << ": " << failure.what()
               << "\nlast actions:\n"
               << machine.LogTail();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soak: seed %llu, %lld actions, %lld games in %.1f s (%.0f actions/s)\n",
                static_cast<unsigned long long>(seed), static_cast<long long>(machine.Actions()),
                static_cast<long long>(machine.Games()), seconds, static_cast<double>(machine.Actions()) / seconds);
    for (const auto& [what, count] : machine.Tally()) std::printf("  %-32s %lld\n", what.c_str(), static_cast<long long>(count));
}

}  // namespace
}  // namespace keno::soak
