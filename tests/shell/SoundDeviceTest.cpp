// The bank's device life through SDL's disk driver (a deferred start, closing after silence and
// opening again for the next cue, SDL2_mixer nowhere), and the wave reader behind it.
#include <gtest/gtest.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "shell/SoundBank.h"
#include "shell/WaveImage.h"
#include "tools/SoundImages.h"

using namespace keno;
using namespace std::chrono_literals;

namespace {

const std::filesystem::path kOutput =
    std::filesystem::temp_directory_path() / ("keno_device_" + std::to_string(getpid()) + ".raw");

void UseDiskDriver() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", kOutput.c_str(), 1);
    std::filesystem::remove(kOutput);
}

// Seconds from the first to the last loud frame of the disk driver's 44.1 kHz stereo output; -1
// when all of it is silent.
double SecondsSounding() {
    std::ifstream in(kOutput, std::ios::binary | std::ios::ate);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)) / 2);
    in.seekg(0).read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    const auto loud = [](std::int16_t s) { return std::abs(s) >= 300; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end()) return -1;
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    return static_cast<double>((last - first) / 2) / 44100.0;
}

// The same span in a cue's own image, at its own rate.
double ImageSeconds(int cue) {
    const auto wave = ReadPcmWave(SoundImage(cue));
    std::size_t first = wave->frames, last = 0;
    for (std::size_t f = 0; f < wave->frames; ++f)
        for (int c = 0; c < wave->channels; ++c)
            if (std::abs(wave->Sample(f, c)) >= 300) first = std::min(first, f), last = f;
    return static_cast<double>(last - first) / wave->rate;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// How many loaded objects of this process have `part` in their file name.
int CountLoaded(const char* part) {
    std::pair<const char*, int> search{part, 0};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            auto& [name, found] = *static_cast<std::pair<const char*, int>*>(data);
            if (info->dlpi_name && std::string(info->dlpi_name).find(name) != std::string::npos) ++found;
            return 0;
        },
        &search);
    return search.second;
}

}  // namespace

TEST(SoundDevice, StartedLaterPlaysTheCueAskedForBeforeAndNeedsNoMixer) {
    UseDiskDriver();
    {
        SoundBank bank(SoundBank::Start::Later);
        bank.LoadBank();
        bank.PlaySoundImage(103);  // 11025 Hz mono 8-bit: resampled four times over
        std::this_thread::sleep_for(100ms);
        EXPECT_FALSE(bank.HasDevice() || bank.DeviceRunning()) << "nothing opens before Open()";
        bank.Open();
        ASSERT_TRUE(WaitFor([&] { return bank.DeviceRunning(); }, 5s));
        std::this_thread::sleep_for(1600ms);
        EXPECT_TRUE(bank.HasDevice());
        // SDL came with the bank, SDL2_mixer never.
        EXPECT_EQ(CountLoaded("libSDL2-2.0"), 1);
        EXPECT_EQ(CountLoaded("SDL2_mixer"), 0);
    }
    EXPECT_NEAR(SecondsSounding(), ImageSeconds(103), 0.003);

    // A cue stopped before the device is up never sounds.
    UseDiskDriver();
    {
        SoundBank bank(SoundBank::Start::Later);
        bank.LoadBank();
        bank.PlaySoundImage(106);
        bank.StopSound();
        bank.Open();
        ASSERT_TRUE(WaitFor([&] { return bank.DeviceRunning(); }, 5s));
        std::this_thread::sleep_for(300ms);
    }
    EXPECT_EQ(SecondsSounding(), -1);
    std::filesystem::remove(kOutput);
}

TEST(SoundDevice, SilenceClosesTheDeviceAndTheNextCueOpensItAgain) {
    UseDiskDriver();
    {
        SoundBank bank;
        bank.LoadBank();
        ASSERT_TRUE(bank.HasDevice() && bank.DeviceRunning());
        bank.PlaySoundImage(101);
        // Open while the cue sounds, closed once it has been quiet for the close delay.
        std::this_thread::sleep_for(SoundBank::kCloseAfter / 2);
        EXPECT_TRUE(bank.DeviceRunning());
        ASSERT_TRUE(WaitFor([&] { return !bank.DeviceRunning(); }, SoundBank::kCloseAfter + 3s));
        // The disk driver starts a new file when the device opens again: it holds the next cue alone.
        bank.PlaySoundImage(105);
        ASSERT_TRUE(WaitFor([&] { return bank.DeviceRunning(); }, 2s));
        std::this_thread::sleep_for(600ms);
        EXPECT_TRUE(bank.HasDevice());
    }
    EXPECT_NEAR(SecondsSounding(), ImageSeconds(105), 0.003);
    std::filesystem::remove(kOutput);
}

TEST(WaveImage, ReadsPcmInPlaceAndRefusesAnythingElse) {
    // The bank's own images: every one a PCM wave of its tabled format, read where it lies.
    struct Format { int cue, channels, bytes; std::uint32_t rate; };
    for (const Format f : {Format{101, 1, 1, 22050}, {102, 1, 2, 22050}, {103, 1, 1, 11025}, {106, 2, 2, 44100},
                           {108, 2, 1, 22050}}) {
        SCOPED_TRACE(f.cue);
        const auto image = SoundImage(f.cue);
        const auto wave = ReadPcmWave(image);
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->channels, f.channels);
        EXPECT_EQ(wave->bytesPerSample, f.bytes);
        EXPECT_EQ(wave->rate, f.rate);
        EXPECT_EQ(wave->samples, image.data() + 44);
        EXPECT_EQ(wave->frames, (image.size() - 44) / static_cast<std::size_t>(f.channels * f.bytes));
    }

    // A small wave to spoil: 16-bit stereo, 8000 Hz, one LIST chunk before the samples.
    const auto word = [](std::vector<unsigned char>& v, std::uint32_t x, int n) {
        for (int i = 0; i < n; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
    };
    const auto tag = [](std::vector<unsigned char>& v, const char* t) {
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(t[i]));
    };
    const auto make = [&](std::uint16_t encoding, std::uint16_t channels, std::uint16_t bits, std::uint32_t dataLength,
                          std::size_t dataBytes) {
        std::vector<unsigned char> v;
        tag(v, "RIFF"), word(v, 0, 4), tag(v, "WAVE");
        tag(v, "LIST"), word(v, 3, 4), v.insert(v.end(), {'a', 'b', 'c', 0});  // odd length, padded
        tag(v, "fmt "), word(v, 16, 4), word(v, encoding, 2), word(v, channels, 2), word(v, 8000, 4);
        word(v, 8000u * channels * bits / 8, 4), word(v, channels * bits / 8u, 2), word(v, bits, 2);
        tag(v, "data"), word(v, dataLength, 4), v.insert(v.end(), dataBytes, 0x40);
        return v;
    };
    const auto good = make(1, 2, 16, 8, 8);
    const auto wave = ReadPcmWave(good);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->frames, 2u);
    EXPECT_EQ(wave->Sample(1, 1), 0x4040);

    struct Bad { const char* why; std::vector<unsigned char> image; };
    std::vector<unsigned char> notWave = good;
    notWave[8] = 'X';
    std::vector<unsigned char> truncated(good.begin(), good.end() - 3);
    const Bad bad[] = {
        {"empty", {}},
        {"not WAVE", notWave},
        {"not PCM", make(3, 2, 16, 8, 8)},
        {"three channels", make(1, 3, 16, 12, 12)},
        {"24-bit", make(1, 2, 24, 12, 12)},
        {"data past the end", make(1, 2, 16, 4000, 8)},
        {"no samples", make(1, 2, 16, 0, 0)},
        {"cut short", truncated},
    };
    for (const Bad& b : bad) EXPECT_FALSE(ReadPcmWave(b.image)) << b.why;
}
