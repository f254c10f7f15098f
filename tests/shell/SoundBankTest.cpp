// The bank is played through SDL's disk driver, which writes the mixed output to a file in real
// time, so a test can see that a cue sounded, for about how long, and where it was cut.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "shell/SoundBank.h"
#include "tools/SoundImages.h"

using namespace keno;

namespace {

constexpr double kOutputRate = 44100;  // the bank opens 44100 Hz stereo 16-bit
constexpr int kAudible = 300;          // about -40 dBFS

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Output {
    std::size_t frames = 0;
    double firstSound = -1;  // seconds from the device's start; -1 when all silent
    double lastSound = -1;

    bool Silent() const { return firstSound < 0; }
    double SoundingSeconds() const { return Silent() ? 0 : lastSound - firstSound; }
};

class SoundBankThroughDisk : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        file_ = std::filesystem::temp_directory_path() /
                ("keno_sound_" + std::to_string(::getpid()) + "_" + info->name() + ".raw");
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
        bank_ = std::make_unique<SoundBank>();
        ASSERT_TRUE(bank_->HasDevice());
        bank_->LoadBank();
    }

    void TearDown() override { std::filesystem::remove(file_); }

    // Closes the device, so the driver has written everything, and reads what it wrote.
    Output Close() {
        bank_.reset();
        std::ifstream in(file_, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Output out;
        out.frames = bytes.size() / 4;
        for (std::size_t f = 0; f < out.frames; ++f) {
            for (std::size_t c = 0; c < 2; ++c) {
                const std::size_t at = f * 4 + c * 2;
                const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[at]) |
                                                              (static_cast<unsigned char>(bytes[at + 1]) << 8));
                if (std::abs(static_cast<int>(sample)) < kAudible) continue;
                const double seconds = static_cast<double>(f) / kOutputRate;
                if (out.firstSound < 0) out.firstSound = seconds;
                out.lastSound = seconds;
            }
        }
        return out;
    }

    std::filesystem::path file_;
    std::unique_ptr<SoundBank> bank_;
};

// Seconds the cue sounds, its silent padding aside.
double CueSeconds(int cue, int rate, int blockAlign) {
    return static_cast<double>(SoundImage(cue).size() - 44) / (rate * blockAlign);
}

}  // namespace

TEST_F(SoundBankThroughDisk, ACueSoundsForAboutItsLength) {
    bank_->PlaySoundImage(106);
    Wait(1700);
    const auto out = Close();
    ASSERT_FALSE(out.Silent());
    const double expected = CueSeconds(106, 44100, 4);
    EXPECT_GT(out.SoundingSeconds(), 0.6 * expected);
    EXPECT_LT(out.SoundingSeconds(), 1.4 * expected);
}

TEST_F(SoundBankThroughDisk, PlayByCueSoundsLikeItsNumber) {
    bank_->Play(Cue::Offer);
    Wait(1900);
    const auto out = Close();
    ASSERT_FALSE(out.Silent());
    const double expected = CueSeconds(103, 11025, 1);
    EXPECT_GT(out.SoundingSeconds(), 0.6 * expected);
    EXPECT_LT(out.SoundingSeconds(), 1.4 * expected);
}

TEST_F(SoundBankThroughDisk, ASecondCueCutsTheFirst) {
    bank_->PlaySoundImage(106);  // about a second long
    Wait(250);
    bank_->PlaySoundImage(101);  // a tenth of a second
    Wait(1500);
    const auto out = Close();
    ASSERT_FALSE(out.Silent());
    EXPECT_GT(out.SoundingSeconds(), 0.2);
    EXPECT_LT(out.SoundingSeconds(), 0.75) << "the first cue went on under the second";
}

TEST_F(SoundBankThroughDisk, StopSoundEndsTheOutput) {
    bank_->PlaySoundImage(106);
    Wait(200);
    bank_->StopSound();
    Wait(1000);
    bank_->StopSound();  // nothing playing: nothing happens
    const auto out = Close();
    ASSERT_FALSE(out.Silent());
    EXPECT_LT(out.SoundingSeconds(), 0.6);
}

TEST_F(SoundBankThroughDisk, CuesWithoutAnImageWriteSilence) {
    for (int cue : {115, 116, 0, 100, 117, -1}) bank_->PlaySoundImage(cue);
    bank_->Play(Cue::NoCredit);
    bank_->Play(Cue::AutoSelect);
    bank_->Play(Cue::None);
    Wait(400);
    const auto out = Close();
    EXPECT_GT(out.frames, 0u) << "the device wrote nothing at all";
    EXPECT_TRUE(out.Silent());
}

TEST_F(SoundBankThroughDisk, LoadingTwiceKeepsTheSameImages) {
    for (int cue = SoundBank::kFirstCue; cue <= SoundBank::kLastCue; ++cue) {
        const auto before = bank_->Image(cue);
        EXPECT_EQ(before.data(), SoundImage(cue).data()) << cue;
        EXPECT_EQ(before.size(), SoundImage(cue).size()) << cue;
        EXPECT_EQ(before.empty(), cue >= 115) << cue;
    }
    bank_->PlaySoundImage(104);
    bank_->LoadBank();  // while a cue sounds
    for (int cue = SoundBank::kFirstCue; cue <= SoundBank::kLastCue; ++cue)
        EXPECT_EQ(bank_->Image(cue).data(), SoundImage(cue).data()) << cue;
    bank_->PlaySoundImage(101);
    Wait(400);
    EXPECT_FALSE(Close().Silent());
}

TEST(SoundBankWithoutDevice, StaysSilentAndQuiet) {
    ::setenv("SDL_AUDIODRIVER", "no_such_audio_driver", 1);
    SoundBank bank;
    EXPECT_FALSE(bank.HasDevice());
    bank.LoadBank();
    EXPECT_EQ(bank.Image(101).size(), SoundImage(101).size());
    for (int cue = 100; cue <= 117; ++cue) bank.PlaySoundImage(cue);
    bank.Play(Cue::WinBig);
    bank.StopSound();
    bank.LoadBank();
}
