// The bank through SDL's disk driver, which writes the output to a file in real time: what sounded, how long.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <unistd.h>
#include <vector>

#include "shell/SoundBank.h"
#include "tools/SoundImages.h"

using namespace keno;

namespace {

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Opens a bank on the disk driver, runs `script` on it and closes it, so all is written. Returns
// how long the 44100 Hz stereo 16-bit output sounded; -1 when it is all silent.
double SecondsSounding(const std::function<void(SoundBank&)>& script) {
    const auto file = std::filesystem::temp_directory_path() / ("keno_sound_" + std::to_string(getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    {
        SoundBank bank;
        EXPECT_TRUE(bank.HasDevice());
        bank.LoadBank();
        script(bank);
    }
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)) / 2);
    in.seekg(0).read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    std::filesystem::remove(file);
    EXPECT_FALSE(samples.empty()) << "the device wrote nothing at all";
    const auto loud = [](std::int16_t s) { return std::abs(s) >= 300; };  // about -40 dBFS
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    return first == samples.end() ? -1 : static_cast<double>((last - first) / 2) / 44100.0;
}

}  // namespace

TEST(SoundBank, CuesSoundForTheirLengthAndCutEachOther) {
    const double cue106 = static_cast<double>(SoundImage(106).size() - 44) / (44100 * 4);  // sans padding
    EXPECT_NEAR(SecondsSounding([](SoundBank& b) { b.PlaySoundImage(106); Wait(1700); }), cue106, 0.4 * cue106);
    // A second cue cuts the first: 106 is about a second long, 101 a tenth.
    const double cut = SecondsSounding([](SoundBank& b) {
        b.PlaySoundImage(106); Wait(250); b.PlaySoundImage(101); Wait(1500);
    });
    EXPECT_TRUE(cut > 0.2 && cut < 0.75) << cut;
    const double stopped = SecondsSounding([](SoundBank& b) {
        b.PlaySoundImage(106); Wait(200); b.StopSound(); Wait(1000); b.StopSound();
    });
    EXPECT_TRUE(stopped >= 0 && stopped < 0.6) << stopped;
    EXPECT_EQ(SecondsSounding([](SoundBank& b) {  // cues without an image are silent
        for (int cue : {115, 116, 0, 100, 117, -1}) b.PlaySoundImage(cue);
        b.Play(Cue::NoCredit); b.Play(Cue::AutoSelect); b.Play(Cue::None); Wait(400);
    }), -1);
    // No device: silence, and no crash.
    setenv("SDL_AUDIODRIVER", "no_such_audio_driver", 1);
    SoundBank bank;
    EXPECT_FALSE(bank.HasDevice());
    bank.LoadBank();
    for (int cue = 100; cue <= 117; ++cue) bank.PlaySoundImage(cue);
    bank.StopSound();
}
