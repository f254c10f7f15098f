#pragma once
// The RIFF wave images the machine carries: their formats and how a rendered track is written.
#include <array>
#include <cstddef>
#include <vector>

#include "Synth.h"

namespace soundgen {

struct WaveFormat {
    int cue;
    int channels;
    int bits;
    int rate;
    std::size_t imageBytes;  // whole file: 44-byte header and the samples

    std::size_t BlockAlign() const { return static_cast<std::size_t>(channels * bits / 8); }
    std::size_t Frames() const { return (imageBytes - kHeaderBytes) / BlockAlign(); }

    static constexpr std::size_t kHeaderBytes = 44;
};

// The fourteen effects, one per cue 101..114, in the sizes the machine's sound bank expects.
inline constexpr std::array<WaveFormat, 14> kWaveFormats{{
    {101, 1, 8, 22050, 2184},
    {102, 1, 16, 22050, 4616},
    {103, 1, 8, 11025, 14192},
    {104, 2, 16, 44100, 101284},
    {105, 2, 16, 44100, 59424},
    {106, 2, 16, 44100, 175140},
    {107, 2, 16, 44100, 156728},
    {108, 2, 8, 22050, 19192},
    {109, 1, 8, 22050, 576},
    {110, 1, 8, 22050, 4884},
    {111, 1, 8, 22050, 5168},
    {112, 1, 8, 22050, 7612},
    {113, 1, 8, 22050, 7644},
    {114, 1, 8, 22050, 5724},
}};

// A canonical PCM wave file: RIFF header, 16-byte fmt chunk, data chunk. 8-bit samples are
// unsigned around 128, 16-bit samples signed little-endian.
std::vector<unsigned char> EncodeWave(const Track& track, int bits);

// The effect for one cue, rendered in that cue's format.
Track RenderEffect(const WaveFormat& format);

}  // namespace soundgen
