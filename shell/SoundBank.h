#pragma once
// The machine's sound bank: the wave images of cues 101..116, played from memory on one channel
// so that a new cue cuts the one still sounding.
//
// Sound goes through SDL, loaded only when the bank opens (the program starts without it), on a
// device of 44.1 kHz 16-bit stereo. The device runs while something sounds and closes after a
// little silence, so an idle machine has no audio thread waking it; a keeper thread opens and
// closes it, and a cue asked for meanwhile starts as soon as the device is back.
#include <array>
#include <chrono>
#include <memory>
#include <span>

#include "core/Cue.h"

namespace keno {

class SoundBank final : public SoundSink {
public:
    static constexpr int kFirstCue = 101;
    static constexpr int kLastCue = 116;
    static constexpr int kRate = 44100;
    // 11.6 ms: a ball's tick is heard as it lands, and PulseAudio and PipeWire keep a buffer
    // this size fed on a busy desktop without dropping out.
    static constexpr int kBufferFrames = 512;
    // Silence for this long closes the device; the next cue opens it again.
    static constexpr std::chrono::milliseconds kCloseAfter{2000};

    enum class Start { Now, Later };
    // Now: opens the device before returning (HasDevice() says whether there is one). Later:
    // nothing until Open(), so the program's first frame does not wait for sound; cues played
    // before then start when the device is up. Without a device the bank stays silent.
    explicit SoundBank(Start start = Start::Now);
    ~SoundBank() override;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // Loads SDL and opens the device on the keeper thread; returns at once. Runs once.
    void Open();

    // Fills every cue from the program's embedded images; a cue without an image stays empty.
    void LoadBank();
    // Starts the cue's whole image and returns at once; an empty or unknown cue plays nothing.
    void PlaySoundImage(int cue);
    // Stops whatever is sounding.
    void StopSound();

    void Play(Cue cue) override { PlaySoundImage(CueNumber(cue)); }

    // The image a cue holds (empty when none); whether sound reached a device when the bank
    // opened; and whether the device is open at this moment.
    std::span<const unsigned char> Image(int cue) const;
    bool HasDevice() const;
    bool DeviceRunning() const;
    // When the device last took the first frames of a cue: the latency bench compares it with the
    // request (a disk driver's file shows them only as its 4 KiB write buffer fills).
    std::chrono::steady_clock::time_point CueReachedDevice() const;

private:
    static constexpr std::size_t kCueCount = kLastCue - kFirstCue + 1;
    static bool IsCue(int cue) { return cue >= kFirstCue && cue <= kLastCue; }
    static std::size_t Slot(int cue) { return static_cast<std::size_t>(cue - kFirstCue); }

    struct Output;  // the device, the audio thread's cursor and the keeper thread
    std::array<std::span<const unsigned char>, kCueCount> images_{};
    std::unique_ptr<Output> output_;
};

}  // namespace keno
