#pragma once
// The machine's sound bank: the wave images of cues 101..116, played from memory on one channel
// so that a new cue cuts the one still sounding.
#include <array>
#include <span>

#include "core/Cue.h"

struct Mix_Chunk;

namespace keno {

class SoundBank final : public SoundSink {
public:
    static constexpr int kFirstCue = 101;
    static constexpr int kLastCue = 116;

    // Opens the audio device. Without one the bank stays silent and says nothing.
    SoundBank();
    ~SoundBank() override;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // Fills every cue from the program's embedded images; a cue without an image stays empty.
    void LoadBank();
    // Starts the cue's whole image and returns at once; an empty or unknown cue plays nothing.
    void PlaySoundImage(int cue);
    // Stops whatever is sounding.
    void StopSound();

    void Play(Cue cue) override { PlaySoundImage(CueNumber(cue)); }

    // The image a cue holds (empty when none), and whether sound reaches a device at all.
    std::span<const unsigned char> Image(int cue) const;
    bool HasDevice() const { return deviceOpen_; }

private:
    static constexpr std::size_t kCueCount = kLastCue - kFirstCue + 1;
    static bool IsCue(int cue) { return cue >= kFirstCue && cue <= kLastCue; }
    static std::size_t Slot(int cue) { return static_cast<std::size_t>(cue - kFirstCue); }
    void FreeChunks();

    bool sdlStarted_ = false;
    bool deviceOpen_ = false;
    std::array<std::span<const unsigned char>, kCueCount> images_{};
    std::array<Mix_Chunk*, kCueCount> chunks_{};
};

}  // namespace keno
