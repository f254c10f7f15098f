// The machine's fourteen effects. Each is heard hundreds of times an evening, so all are soft,
// short, in one key (C major) and free of harsh upper partials.
#include <array>
#include <cmath>

#include "WaveImage.h"

namespace soundgen {

namespace {

constexpr double kPad = 0.008;  // silence after every effect so no device cuts its tail

double Note(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// MIDI note numbers of the pitches used.
constexpr int C4 = 60, G4 = 67, C5 = 72, E5 = 76, G5 = 79, C6 = 84, D6 = 86, E6 = 88, G6 = 91, A6 = 93,
              B6 = 95, C7 = 96, E7 = 100, G7 = 103;

// A small bell: near-harmonic partials, the upper ones dying first.
std::array<Partial, 4> Bell(double decay) {
    return {{{1, 1, decay}, {2, 0.32, decay * 0.6}, {3, 0.14, decay * 0.4}, {4.2, 0.07, decay * 0.25}}};
}

// A vibraphone-like bar: strong fundamental, a soft fourth harmonic.
std::array<Partial, 3> Bar(double decay) {
    return {{{1, 1, decay}, {2, 0.1, decay * 0.5}, {4, 0.2, decay * 0.25}}};
}

// The metallic ring of a coin: inharmonic partials of a thin disc.
std::array<Partial, 4> Coin(double decay) {
    return {{{1, 1, decay}, {1.59, 0.7, decay * 0.8}, {2.14, 0.5, decay * 0.6}, {2.91, 0.3, decay * 0.4}}};
}

Track Hit(Track t) {  // 101: a bright chime, a fifth over the top
    t.Strike(0, Note(E6), Bell(0.045), 1.0);
    t.Strike(0.004, Note(B6), Bell(0.03), 0.45);
    t.Finish(0.5, 0.001, 0.015, kPad);
    return t;
}

Track BallLands(Track t) {  // 102: a small plastic knock, quiet because it sounds for every ball
    Noise noise(102);
    t.NoiseBurst(0, 2800, 1.2, 0.002, 1.2, noise);
    t.Knock(0, 1350, 0.006, 0.45);
    t.Knock(0, 330, 0.018, 0.4);
    t.Finish(0.35, 0.0005, 0.02, kPad);
    return t;
}

Track Offer(Track t) {  // 103: a rising two-tone call, asked twice
    for (double start : {0.0, 0.56}) {
        t.Strike(start, Note(G5), Bar(0.3), 0.9);
        t.Strike(start + 0.16, Note(C6), Bar(0.34), 1.0);
    }
    t.Finish(0.5, 0.002, 0.2, kPad);
    return t;
}

Track Startup(Track t) {  // 104: an arpeggio up the C chord over a soft horn chord
    const std::array<int, 4> notes{C5, E5, G5, C6};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const double at = 0.07 * static_cast<double>(i);
        const double decay = i + 1 == notes.size() ? 0.28 : 0.16;
        t.Strike(at, Note(notes[i]), Bell(decay), 0.8, -0.45 + 0.3 * static_cast<double>(i));
    }
    t.Strike(0.21, Note(C7), Bell(0.12), 0.15, 0.4);
    t.Hold({0.2, 0.26, Note(C5), 0.22, -0.2});
    t.Hold({0.2, 0.26, Note(G5), 0.16, 0.2});
    t.Finish(0.5, 0.002, 0.06, kPad);
    return t;
}

Track WinSmall(Track t) {  // 105: "ta-daa", a pick-up note and a bright landing
    t.Hold({0, 0.055, Note(G5), 0.5, -0.2});
    t.Hold({0.08, 0.17, Note(C6), 0.5, 0.1});
    t.Hold({0.08, 0.17, Note(E5), 0.3, -0.1});
    t.Strike(0.08, Note(C6), Bell(0.12), 0.35, 0.2);
    t.Strike(0.085, Note(E6), Bell(0.1), 0.2, -0.2);
    t.Finish(0.5, 0.002, 0.03, kPad);
    return t;
}

Track WinMedium(Track t) {  // 106: a horn fanfare up the chord, then a held chord with bells
    const std::array<int, 3> pickup{C5, E5, G5};
    for (std::size_t i = 0; i < pickup.size(); ++i) {
        const double at = 0.1 * static_cast<double>(i);
        t.Hold({at, 0.075, Note(pickup[i]), 0.5, -0.3 + 0.3 * static_cast<double>(i)});
        t.Strike(at, Note(pickup[i] + 12), Bell(0.1), 0.2, 0.3 - 0.3 * static_cast<double>(i));
    }
    t.Hold({0.3, 0.55, Note(C6), 0.5, 0});
    t.Hold({0.3, 0.55, Note(G5), 0.3, 0.35});
    t.Hold({0.3, 0.55, Note(E5), 0.3, -0.35});
    t.Hold({0.3, 0.55, Note(C5), 0.25, 0});
    t.Strike(0.3, Note(C7), Bell(0.25), 0.25, -0.4);
    t.Strike(0.42, Note(G6), Bell(0.22), 0.18, 0.4);
    t.Strike(0.54, Note(E7), Bell(0.2), 0.12, -0.2);
    t.Finish(0.5, 0.002, 0.1, kPad);
    return t;
}

Track WinBig(Track t) {  // 107: a fast run of bells, a full chord over a low root and a sparkle on top
    const std::array<int, 5> run{C5, E5, G5, C6, E6};
    for (std::size_t i = 0; i < run.size(); ++i) {
        const double at = 0.05 * static_cast<double>(i);
        t.Strike(at, Note(run[i]), Bell(0.15), 0.55, -0.6 + 0.3 * static_cast<double>(i));
    }
    t.Hold({0, 0.2, Note(G4), 0.35, 0});
    const std::array<std::array<double, 3>, 6> chord{{
        {C4, 0.35, 0}, {C5, 0.35, -0.2}, {E5, 0.3, -0.45}, {G5, 0.3, 0.45}, {C6, 0.4, 0.1}, {E6, 0.2, -0.1}}};
    for (const auto& [midi, level, pan] : chord)
        t.Hold({0.25, 0.52, Note(static_cast<int>(midi)), level, pan});
    const std::array<int, 6> sparkle{G6, C7, E7, G7, E7, C7};
    for (std::size_t i = 0; i < sparkle.size(); ++i) {
        const double at = 0.27 + 0.075 * static_cast<double>(i);
        t.Strike(at, Note(sparkle[i]), Bell(0.12), 0.16, i % 2 ? 0.6 : -0.6);
    }
    t.Finish(0.55, 0.002, 0.1, kPad);
    return t;
}

Track CoinDrop(Track t) {  // 108: a coin landing in the tray and bouncing to rest
    Noise noise(108);
    const std::array<double, 7> times{0, 0.12, 0.2, 0.255, 0.29, 0.312, 0.326};
    const std::array<double, 7> levels{1, 0.7, 0.5, 0.36, 0.26, 0.18, 0.12};
    for (std::size_t i = 0; i < times.size(); ++i) {
        // Each bounce strikes the disc a little differently, so the ring wavers like a real coin.
        const double pitch = 2150 * (1 + 0.015 * noise.Next());
        const double pan = 0.25 * noise.Next();
        t.NoiseBurst(times[i], 5200, 1.5, 0.0012, 0.9 * levels[i], noise, pan);
        t.Strike(times[i], pitch, Coin(0.07 - 0.006 * static_cast<double>(i)), levels[i], pan, 0.0008);
    }
    t.Finish(0.45, 0.0005, 0.06, kPad);
    return t;
}

Track Mark(Track t) {  // 109: a soft, short click
    Noise noise(109);
    t.Knock(0, 1700, 0.0022, 1.0);
    t.Knock(0, 650, 0.004, 0.6);
    t.NoiseBurst(0, 3800, 1.0, 0.0007, 0.5, noise);
    t.Finish(0.3, 0.0003, 0.006, 0.003);
    return t;
}

Track BetChime(Track t, int step) {  // 110..114: one chime per coin bet, up the pentatonic scale
    constexpr std::array<int, 5> kScale{C6, D6, E6, G6, A6};
    const double sounding = t.Seconds() - kPad;
    t.Strike(0, Note(kScale[static_cast<std::size_t>(step)]), Bell(sounding * 0.3), 1.0);
    t.Strike(0.003, Note(kScale[static_cast<std::size_t>(step)] + 12), Bell(sounding * 0.15), 0.12);
    t.Finish(0.45, 0.001, 0.03, kPad);
    return t;
}

}  // namespace

Track RenderEffect(const WaveFormat& format) {
    Track track(format.rate, format.channels, format.Frames());
    switch (format.cue) {
        case 101: return Hit(track);
        case 102: return BallLands(track);
        case 103: return Offer(track);
        case 104: return Startup(track);
        case 105: return WinSmall(track);
        case 106: return WinMedium(track);
        case 107: return WinBig(track);
        case 108: return CoinDrop(track);
        case 109: return Mark(track);
        default: return BetChime(track, format.cue - 110);
    }
}

}  // namespace soundgen
