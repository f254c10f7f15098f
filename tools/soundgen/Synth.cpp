#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundgen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A rise from 0 to 1 without a corner, so an onset or an ending never clicks.
double RaisedCosine(double x) {
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

}  // namespace

double Noise::Next() {
    // xorshift32: tiny, fast and the same on every compiler.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

BandPass::BandPass(double rate, double centreHz, double q) {
    const double w = kTwoPi * centreHz / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2 * std::cos(w) / a0;
    a2_ = (1 - alpha) / a0;
}

double BandPass::Process(double x) {
    const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

Track::Track(int rate, int channels, std::size_t frames)
    : rate_(rate), channels_(channels), frames_(frames),
      data_(static_cast<std::size_t>(channels), std::vector<double>(frames, 0.0)) {}

void Track::Add(std::size_t frame, double value, double pan) {
    if (frame >= frames_) return;
    if (channels_ == 1) {
        data_[0][frame] += value;
        return;
    }
    // Equal-power pan, unity in the centre.
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * std::numbers::pi / 4;
    data_[0][frame] += value * std::cos(angle) * std::numbers::sqrt2;
    data_[1][frame] += value * std::sin(angle) * std::numbers::sqrt2;
}

void Track::Strike(double start, double freq, std::span<const Partial> partials, double level, double pan,
                   double attack) {
    const auto first = static_cast<std::size_t>(start * rate_);
    for (const auto& p : partials) {
        const double f = freq * p.ratio;
        if (f >= 0.42 * rate_) continue;  // keep every partial well below Nyquist
        const auto length = static_cast<std::size_t>(p.decay * 9 * rate_);
        for (std::size_t i = 0; i < length && first + i < frames_; ++i) {
            const double t = static_cast<double>(i) / rate_;
            const double env = RaisedCosine(t / attack) * std::exp(-t / p.decay);
            Add(first + i, level * p.level * env * std::sin(kTwoPi * f * t), pan);
        }
    }
}

void Track::Hold(const HeldNote& note) {
    constexpr double kRelease = 0.07;
    const auto first = static_cast<std::size_t>(note.start * rate_);
    const auto length = static_cast<std::size_t>((note.length + kRelease) * rate_);
    double phase = 0;
    for (std::size_t i = 0; i < length && first + i < frames_; ++i) {
        const double t = static_cast<double>(i) / rate_;
        // A gentle vibrato that only arrives once the note has settled.
        const double vibrato = 1 + 0.0035 * RaisedCosine((t - 0.12) / 0.1) * std::sin(kTwoPi * 5.5 * t);
        phase += kTwoPi * note.freq * vibrato / rate_;
        const double body = 0.8 + 0.2 * std::exp(-t / 0.12);
        const double release = t < note.length ? 1.0 : 1 - RaisedCosine((t - note.length) / kRelease);
        double sample = 0;
        for (int n = 1; n <= 8 && n * note.freq < std::min(7000.0, 0.4 * rate_); ++n) {
            // Upper harmonics swell in later, as in a horn, and stay soft.
            const double swell = RaisedCosine(t / (0.012 + 0.006 * n));
            sample += swell * std::sin(n * phase) / std::pow(n, 1.7);
        }
        Add(first + i, note.level * body * release * sample, note.pan);
    }
}

void Track::NoiseBurst(double start, double centreHz, double q, double decay, double level, Noise& noise,
                       double pan) {
    BandPass filter(rate_, centreHz, q);
    const auto first = static_cast<std::size_t>(start * rate_);
    const auto length = static_cast<std::size_t>(decay * 10 * rate_);
    for (std::size_t i = 0; i < length && first + i < frames_; ++i) {
        const double t = static_cast<double>(i) / rate_;
        const double env = RaisedCosine(t / 0.0004) * std::exp(-t / decay);
        Add(first + i, level * filter.Process(noise.Next() * env), pan);
    }
}

void Track::Knock(double start, double freq, double decay, double level, double pan) {
    const Partial one{1.0, 1.0, decay};
    Strike(start, freq, std::span(&one, 1), level, pan, 0.0006);
}

void Track::Finish(double peak, double fadeInSeconds, double fadeOutSeconds, double padSeconds) {
    const auto pad = std::min(frames_, static_cast<std::size_t>(padSeconds * rate_));
    const std::size_t sounding = frames_ - pad;
    const auto fadeIn = static_cast<double>(fadeInSeconds * rate_);
    const auto fadeOut = static_cast<double>(fadeOutSeconds * rate_);
    double loudest = 0;
    for (auto& channel : data_) {
        for (std::size_t i = 0; i < frames_; ++i) {
            const double x = static_cast<double>(i);
            const double fromEnd = static_cast<double>(sounding) - x;
            channel[i] *= RaisedCosine(x / fadeIn) * RaisedCosine(fromEnd / fadeOut);
            if (i >= sounding) channel[i] = 0;
            loudest = std::max(loudest, std::abs(channel[i]));
        }
    }
    if (loudest <= 0) return;
    for (auto& channel : data_)
        for (auto& v : channel) v *= peak / loudest;
}

}  // namespace soundgen
