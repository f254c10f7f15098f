#pragma once
// The PCM samples inside a RIFF wave image, read in place: the bank plays straight from the
// program's own images and keeps no converted copies.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace keno {

struct PcmWave {
    const unsigned char* samples = nullptr;  // interleaved; 8-bit unsigned or 16-bit little-endian signed
    std::size_t frames = 0;
    int channels = 0;  // 1 or 2
    int bytesPerSample = 0;  // 1 or 2
    std::uint32_t rate = 0;  // frames per second

    // One channel of one frame on the 16-bit scale (a mono wave gives the same for both).
    std::int32_t Sample(std::size_t frame, int channel) const {
        const unsigned char* at = samples + (frame * static_cast<std::size_t>(channels) +
                                             static_cast<std::size_t>(channel < channels ? channel : 0)) *
                                                static_cast<std::size_t>(bytesPerSample);
        if (bytesPerSample == 1) return (static_cast<std::int32_t>(at[0]) - 128) * 256;
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | at[1] << 8));
    }
};

// The samples of a PCM wave image (8 or 16 bits, mono or stereo, any rate), or nothing for any
// other image: not RIFF/WAVE, another encoding, a chunk running past the end, no samples.
std::optional<PcmWave> ReadPcmWave(std::span<const unsigned char> image);

}  // namespace keno
