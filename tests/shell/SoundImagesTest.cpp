// Every generated wave image: the canonical PCM header of its tabled format, audible but soft
// content, no click at the start and exact silence at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/SoundImages.h"

namespace {

struct Expected { int cue; std::size_t channels, bits, rate, bytes; };
constexpr Expected kTable[] = {
    {101, 1, 8, 22050, 2184},    {102, 1, 16, 22050, 4616},   {103, 1, 8, 11025, 14192},
    {104, 2, 16, 44100, 101284}, {105, 2, 16, 44100, 59424},  {106, 2, 16, 44100, 175140},
    {107, 2, 16, 44100, 156728}, {108, 2, 8, 22050, 19192},   {109, 1, 8, 22050, 576},
    {110, 1, 8, 22050, 4884},    {111, 1, 8, 22050, 5168},    {112, 1, 8, 22050, 7612},
    {113, 1, 8, 22050, 7644},    {114, 1, 8, 22050, 5724},
};

std::vector<unsigned char> CanonicalHeader(const Expected& e) {
    std::vector<unsigned char> h;
    const auto tag = [&h](const char* text) { h.insert(h.end(), text, text + 4); };
    const auto word = [&h](std::size_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) h.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    const std::size_t align = e.channels * e.bits / 8;
    tag("RIFF"), word(e.bytes - 8, 4), tag("WAVE"), tag("fmt "), word(16, 4), word(1, 2), word(e.channels, 2);
    word(e.rate, 4), word(e.rate * align, 4), word(align, 2), word(e.bits, 2), tag("data"), word(e.bytes - 44, 4);
    return h;
}

}  // namespace

TEST(SoundImages, EachIsAPcmWaveOfItsFormatAudibleSoftAndEndingInSilence) {
    std::size_t total = 0;
    for (const Expected& e : kTable) {
        SCOPED_TRACE(e.cue);
        const auto image = keno::SoundImage(e.cue);
        total += image.size();
        ASSERT_EQ(image.size(), e.bytes);
        EXPECT_EQ(std::vector<unsigned char>(image.begin(), image.begin() + 44), CanonicalHeader(e));

        std::vector<double> samples;  // every channel, interleaved, scaled to [-1, 1)
        for (std::size_t at = 44; at < image.size(); at += e.bits / 8)
            samples.push_back(e.bits == 8 ? (image[at] - 128) / 128.0
                                          : static_cast<std::int16_t>(image[at] | image[at + 1] << 8) / 32768.0);
        // Loud enough to hear in its loudest 10 ms, but never harsh.
        const std::size_t perMs = e.rate * e.channels / 1000;
        double loudest = 0, peak = 0;
        for (std::size_t at = 0; at + 10 * perMs <= samples.size(); at += perMs) {
            double sum = 0;
            for (std::size_t i = at; i < at + 10 * perMs; ++i) sum += samples[i] * samples[i];
            loudest = std::max(loudest, std::sqrt(sum / static_cast<double>(10 * perMs)));
        }
        for (double s : samples) peak = std::max(peak, std::abs(s));
        EXPECT_GT(loudest, 0.05) << "RMS of the loudest 10 ms";
        EXPECT_GT(peak, 0.2);
        EXPECT_LT(peak, 0.6);
        EXPECT_LT(std::abs(samples.front()), 0.02);  // no click at the start
        EXPECT_TRUE(std::all_of(samples.end() - static_cast<std::ptrdiff_t>(perMs * 5 / 2), samples.end(),
                                [](double s) { return s == 0.0; })) << "the last 2.5 ms are not silent";
    }
    EXPECT_EQ(total, 564368u);
    for (int cue : {0, 100, 115, 116, 117}) EXPECT_TRUE(keno::SoundImage(cue).empty()) << cue;
}
