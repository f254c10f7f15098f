#pragma once
// A small additive synthesiser for the machine's sound effects. Everything is rendered in
// floating point at the effect's own rate and only quantised when the wave image is written.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace soundgen {

// Deterministic noise, so every build writes the same images.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double Next();  // uniform in [-1, 1)

private:
    std::uint32_t state_;
};

// Two-pole band-pass (constant peak gain), for ticks and metallic noise.
class BandPass {
public:
    BandPass(double rate, double centreHz, double q);
    double Process(double x);

private:
    double b0_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One partial of a struck tone: frequency ratio to the fundamental, level, decay time constant.
struct Partial {
    double ratio;
    double level;
    double decay;  // seconds for the partial to fall to 1/e
};

// A held note shaped like a soft brass or organ voice.
struct HeldNote {
    double start;     // seconds
    double length;    // seconds until the release begins
    double freq;      // Hz
    double level;
    double pan = 0;   // -1 left .. +1 right
};

class Track {
public:
    Track(int rate, int channels, std::size_t frames);

    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    std::size_t Frames() const { return frames_; }
    double Seconds() const { return static_cast<double>(frames_) / rate_; }
    std::span<const double> Channel(int c) const { return data_[static_cast<std::size_t>(c)]; }

    // A struck tone (bell, chime, mallet): short attack, each partial decays on its own.
    void Strike(double start, double freq, std::span<const Partial> partials, double level,
                double pan = 0, double attack = 0.002);
    // A brass-like held note: upper harmonics swell in after the fundamental, gentle vibrato.
    void Hold(const HeldNote& note);
    // A burst of band-passed noise with an exponential decay.
    void NoiseBurst(double start, double centreHz, double q, double decay, double level, Noise& noise,
                    double pan = 0);
    // A damped sine, the body of a knock or a click.
    void Knock(double start, double freq, double decay, double level, double pan = 0);

    // Scales to the wanted peak, fades the ends so nothing clicks and leaves `padSeconds` of
    // exact silence at the end.
    void Finish(double peak, double fadeInSeconds, double fadeOutSeconds, double padSeconds);

private:
    void Add(std::size_t frame, double value, double pan);

    int rate_;
    int channels_;
    std::size_t frames_;
    std::vector<std::vector<double>> data_;
};

}  // namespace soundgen
