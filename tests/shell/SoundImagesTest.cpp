#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "tools/SoundImages.h"

using namespace keno;

namespace {

struct Expected {
    int cue;
    int channels;
    int bits;
    int rate;
    std::size_t bytes;
};

// The formats the sound bank was designed around.
constexpr std::array<Expected, 14> kTable{{
    {101, 1, 8, 22050, 2184},    {102, 1, 16, 22050, 4616},   {103, 1, 8, 11025, 14192},
    {104, 2, 16, 44100, 101284}, {105, 2, 16, 44100, 59424},  {106, 2, 16, 44100, 175140},
    {107, 2, 16, 44100, 156728}, {108, 2, 8, 22050, 19192},   {109, 1, 8, 22050, 576},
    {110, 1, 8, 22050, 4884},    {111, 1, 8, 22050, 5168},    {112, 1, 8, 22050, 7612},
    {113, 1, 8, 22050, 7644},    {114, 1, 8, 22050, 5724},
}};

std::uint32_t Little(std::span<const unsigned char> b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

std::string Tag(std::span<const unsigned char> b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

// Samples of every channel, interleaved, scaled to [-1, 1).
std::vector<double> Samples(std::span<const unsigned char> data, int bits) {
    std::vector<double> out;
    if (bits == 8) {
        for (unsigned char s : data) out.push_back((s - 128) / 128.0);
    } else {
        for (std::size_t i = 0; i + 1 < data.size(); i += 2)
            out.push_back(static_cast<std::int16_t>(Little(data, i, 2)) / 32768.0);
    }
    return out;
}

class SoundImageFormat : public ::testing::TestWithParam<Expected> {};

}  // namespace

TEST_P(SoundImageFormat, IsACanonicalPcmWaveOfTheTabledFormat) {
    const auto e = GetParam();
    const auto image = SoundImage(e.cue);
    ASSERT_EQ(image.size(), e.bytes);
    EXPECT_EQ(Tag(image, 0), "RIFF");
    EXPECT_EQ(Little(image, 4, 4), e.bytes - 8);
    EXPECT_EQ(Tag(image, 8), "WAVE");
    EXPECT_EQ(Tag(image, 12), "fmt ");
    EXPECT_EQ(Little(image, 16, 4), 16u);
    EXPECT_EQ(Little(image, 20, 2), 1u) << "PCM";
    EXPECT_EQ(Little(image, 22, 2), static_cast<std::uint32_t>(e.channels));
    EXPECT_EQ(Little(image, 24, 4), static_cast<std::uint32_t>(e.rate));
    const auto blockAlign = static_cast<std::uint32_t>(e.channels * e.bits / 8);
    EXPECT_EQ(Little(image, 28, 4), e.rate * blockAlign);
    EXPECT_EQ(Little(image, 32, 2), blockAlign);
    EXPECT_EQ(Little(image, 34, 2), static_cast<std::uint32_t>(e.bits));
    EXPECT_EQ(Tag(image, 36), "data");
    EXPECT_EQ(Little(image, 40, 4), e.bytes - 44);
    EXPECT_EQ((e.bytes - 44) % blockAlign, 0u);
}

TEST_P(SoundImageFormat, IsAudibleSoftAndEndsInSilence) {
    const auto e = GetParam();
    const auto samples = Samples(SoundImage(e.cue).subspan(44), e.bits);
    const std::size_t perMs = static_cast<std::size_t>(e.rate * e.channels / 1000);

    // Loud enough to hear in its loudest 10 ms, but never harsh.
    double loudest = 0;
    for (std::size_t at = 0; at + 10 * perMs <= samples.size(); at += perMs) {
        double sum = 0;
        for (std::size_t i = at; i < at + 10 * perMs; ++i) sum += samples[i] * samples[i];
        loudest = std::max(loudest, std::sqrt(sum / static_cast<double>(10 * perMs)));
    }
    EXPECT_GT(loudest, 0.05) << "RMS of the loudest 10 ms";
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.2);
    EXPECT_LT(peak, 0.6);

    // Starts without a click; the last milliseconds are exact silence.
    EXPECT_LT(std::abs(samples.front()), 0.02);
    const std::size_t tail = perMs * 5 / 2;
    for (std::size_t i = samples.size() - tail; i < samples.size(); ++i)
        ASSERT_EQ(samples[i], 0.0) << "sample " << i << " of " << samples.size();
}

INSTANTIATE_TEST_SUITE_P(SoundImages, SoundImageFormat, ::testing::ValuesIn(kTable),
                         [](const auto& row) { return "Cue" + std::to_string(row.param.cue); });

TEST(SoundImages, TogetherTakeTheDesignedSize) {
    std::size_t total = 0;
    for (int cue = 101; cue <= 114; ++cue) total += SoundImage(cue).size();
    EXPECT_EQ(total, 564368u);
}

TEST(SoundImages, CuesWithoutAnImageAreEmpty) {
    for (int cue : {0, 100, 115, 116, 117, -101}) EXPECT_TRUE(SoundImage(cue).empty()) << cue;
    EXPECT_TRUE(SoundImage("RESOURCE_ID_115").empty());
    EXPECT_TRUE(SoundImage("resource_id_101").empty());
    EXPECT_TRUE(SoundImage("").empty());
}

TEST(SoundImages, AreFoundByResourceName) {
    EXPECT_EQ(SoundResourceName(108), "RESOURCE_ID_108");
    for (int cue = 101; cue <= 114; ++cue) {
        const auto byName = SoundImage(SoundResourceName(cue));
        EXPECT_EQ(byName.data(), SoundImage(cue).data()) << cue;
        EXPECT_FALSE(byName.empty()) << cue;
    }
}

TEST(SoundImages, WaveFilesHoldTheEmbeddedBytes) {
    for (int cue = 101; cue <= 114; ++cue) {
        const auto path = std::filesystem::path(KENO_SOUND_DIR) / (SoundResourceName(cue) + ".wav");
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto image = SoundImage(cue);
        EXPECT_TRUE(std::equal(file.begin(), file.end(), image.begin(), image.end())) << path;
    }
}
