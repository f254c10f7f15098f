#pragma once
// Draws fixed in advance, and a view compared in one expectation, for the engine tests of both games.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "core/RandomSource.h"
#include "core/ViewModel.h"

namespace keno {

// Feeds the fractions that make the urn give exactly the numbers asked for; once the script is
// used up it falls back to a fixed-seed stream.
class UrnScript final : public RandomSource {
public:
    explicit UrnScript(std::uint64_t seed = 22) : fallback_(seed) {}
    void Force(const std::vector<int>& numbers) {
        std::array<int, 80> pool{};
        std::iota(pool.begin(), pool.end(), 1);
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int r = 80 - static_cast<int>(i);
            const auto at = std::find(pool.begin(), pool.begin() + r, numbers[i]);
            if (at == pool.begin() + r) throw std::invalid_argument("a number drawn twice");
            fractions_.push_back((static_cast<double>(at - pool.begin()) + 0.5) / r);
            *at = pool[static_cast<std::size_t>(r - 1)];
        }
    }
    void Reseed() override { ++reseeds; }
    double Fraction() override {
        if (fractions_.empty()) return fallback_.Fraction();
        const double u = fractions_.front();
        fractions_.pop_front();
        return u;
    }
    int reseeds = 0;

private:
    std::deque<double> fractions_;
    SeededRandomSource fallback_;
};

inline bool Contains(const std::vector<int>& v, int n) { return std::find(v.begin(), v.end(), n) != v.end(); }

// `balls` numbers: `first`, then misses (from 80 down, never on `ticket` nor among `extras`) up to
// 20, then for 22 balls `extras` padded with misses. The main draw hits exactly what `first` holds
// of the ticket.
inline std::vector<int> DrawOf(std::vector<int> first, const std::vector<int>& ticket, std::vector<int> extras = {},
                               std::size_t balls = 22) {
    int next = 80;
    const auto miss = [&] {
        while (Contains(first, next) || Contains(ticket, next) || Contains(extras, next)) --next;
        return next--;
    };
    while (first.size() < 20) first.push_back(miss());
    while (balls > 20 && extras.size() < balls - 20) extras.push_back(miss());
    if (balls > 20) first.insert(first.end(), extras.begin(), extras.end());
    return first;
}

// Everything a view shows, one line each, so two views compare in one readable expectation.
inline std::string Dump(const ViewModel& v) {
    std::ostringstream out;
    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        const SquareView& s = v.Square(n);
        out << "a_" << n << ' ' << int(s.picture) << int(s.background) << int(s.text) << '\n';
    }
    for (int i = 1; i <= ViewModel::kBalls; ++i) {
        const BallView& b = v.Ball(i);
        out << "ball_" << i << ' ' << b.visible << ' ' << b.left << ' ' << b.top << ' ' << b.number << '\n';
    }
    for (const auto& [name, c] : v.Controls()) out << name << " enabled " << c.enabled << " visible " << c.visible << '\n';
    for (const auto& [name, text] : v.Texts()) out << name << " = " << text << '\n';
    for (const auto& [name, on] : v.Timers()) out << name << " running " << on << '\n';
    return out.str();
}

}  // namespace keno
