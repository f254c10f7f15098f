#pragma once
#include <cstdint>
#include <random>

namespace keno {

// Uniform fractions in [0, 1) for the draws. Reseed() runs before every draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Reseed() = 0;
    virtual double Fraction() = 0;
};

// Reseeds from the operating system's entropy (one getrandom call) mixed with a high-resolution
// clock, so two draws in one clock tick differ. The generator is xoshiro256**: its whole state is
// the 256 fresh bits, so a reseed costs one system call and no warm-up.
class ClockRandomSource final : public RandomSource {
public:
    void Reseed() override;
    double Fraction() override;

private:
    std::uint64_t Next();
    std::uint64_t state_[4] = {0x6b656e6f32320001ULL, 0x9e3779b97f4a7c15ULL, 0xbf58476d1ce4e5b9ULL,
                               0x94d049bb133111ebULL};
};

// Fixed seed, for tests and benchmarks: Reseed() moves on to the next game of the same stream
// instead of going back to the start, so consecutive draws are different but repeatable.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint64_t seed) : engine_(seed) {}
    void Reseed() override {}
    double Fraction() override;

private:
    std::mt19937_64 engine_;
};

// 53 random bits as a fraction in [0, 1).
inline double FractionFrom(std::mt19937_64& engine) {
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

// The draw of the design: k numbers from an urn of 1..80 by partial shuffle, reseeding first.
// Position i of the result is the i-th number taken.
template <typename Out>
void DrawFromUrn(RandomSource& random, int count, Out out) {
    random.Reseed();
    int pool[80];
    for (int n = 0; n < 80; ++n) pool[n] = n + 1;
    for (int i = 1; i <= count; ++i) {
        const int r = 81 - i;
        const int k = static_cast<int>(r * random.Fraction()) + 1;
        *out++ = pool[k - 1];
        pool[k - 1] = pool[r - 1];
    }
}

}  // namespace keno
