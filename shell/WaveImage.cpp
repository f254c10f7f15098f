#include "shell/WaveImage.h"

namespace keno {

namespace {

std::uint32_t Word(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint16_t Half(const unsigned char* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

bool Tag(const unsigned char* at, const char* tag) {
    return at[0] == tag[0] && at[1] == tag[1] && at[2] == tag[2] && at[3] == tag[3];
}

}  // namespace

std::optional<PcmWave> ReadPcmWave(std::span<const unsigned char> image) {
    if (image.size() < 12 || !Tag(image.data(), "RIFF") || !Tag(image.data() + 8, "WAVE")) return std::nullopt;
    PcmWave wave;
    bool haveFormat = false;
    // Chunks follow one another, each padded to an even length.
    for (std::size_t at = 12; at + 8 <= image.size();) {
        const unsigned char* chunk = image.data() + at;
        const std::size_t length = Word(chunk + 4);
        if (length > image.size() - at - 8) return std::nullopt;
        const unsigned char* body = chunk + 8;
        if (Tag(chunk, "fmt ")) {
            if (length < 16 || Half(body) != 1) return std::nullopt;  // 1: plain PCM
            wave.channels = Half(body + 2);
            wave.rate = Word(body + 4);
            const int bits = Half(body + 14);
            if (wave.channels < 1 || wave.channels > 2 || (bits != 8 && bits != 16) || wave.rate < 1000 ||
                wave.rate > 192000)
                return std::nullopt;
            wave.bytesPerSample = bits / 8;
            haveFormat = true;
        } else if (Tag(chunk, "data")) {
            if (!haveFormat) return std::nullopt;
            wave.samples = body;
            wave.frames = length / static_cast<std::size_t>(wave.channels * wave.bytesPerSample);
            if (wave.frames == 0) return std::nullopt;
            return wave;
        }
        at += 8 + length + (length & 1);
    }
    return std::nullopt;
}

}  // namespace keno
