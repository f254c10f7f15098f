#include "WaveImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace soundgen {

namespace {

void PutTag(std::vector<unsigned char>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

void PutLittle(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFFu));
}

}  // namespace

std::vector<unsigned char> EncodeWave(const Track& track, int bits) {
    const auto channels = static_cast<std::uint32_t>(track.Channels());
    const auto rate = static_cast<std::uint32_t>(track.Rate());
    const std::uint32_t blockAlign = channels * static_cast<std::uint32_t>(bits) / 8;
    const auto dataBytes = static_cast<std::uint32_t>(track.Frames()) * blockAlign;

    std::vector<unsigned char> out;
    out.reserve(WaveFormat::kHeaderBytes + dataBytes);
    PutTag(out, "RIFF");
    PutLittle(out, 36 + dataBytes, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLittle(out, 16, 4);
    PutLittle(out, 1, 2);  // PCM
    PutLittle(out, channels, 2);
    PutLittle(out, rate, 4);
    PutLittle(out, rate * blockAlign, 4);
    PutLittle(out, blockAlign, 2);
    PutLittle(out, static_cast<std::uint32_t>(bits), 2);
    PutTag(out, "data");
    PutLittle(out, dataBytes, 4);

    for (std::size_t i = 0; i < track.Frames(); ++i) {
        for (int c = 0; c < track.Channels(); ++c) {
            const double v = std::clamp(track.Channel(c)[i], -1.0, 1.0);
            if (bits == 8) {
                out.push_back(static_cast<unsigned char>(128 + std::lround(v * 127)));
            } else {
                const auto s = static_cast<std::int16_t>(std::lround(v * 32767));
                PutLittle(out, static_cast<std::uint16_t>(s), 2);
            }
        }
    }
    return out;
}

}  // namespace soundgen
