#include "shell/SoundBank.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tools/SoundImages.h"

namespace keno {

namespace {

// One channel: a cue started while another sounds replaces it.
constexpr int kChannel = 0;
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;  // about 23 ms, so a ball's tick is heard as it lands

}  // namespace

SoundBank::SoundBank() {
    // The program handles SIGINT and SIGTERM itself; SDL must not swallow them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    sdlStarted_ = true;
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) return;
    deviceOpen_ = true;
    Mix_AllocateChannels(1);
}

SoundBank::~SoundBank() {
    if (deviceOpen_) {
        Mix_HaltChannel(kChannel);
        FreeChunks();
        Mix_CloseAudio();
    }
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundBank::FreeChunks() {
    for (auto& chunk : chunks_) {
        if (chunk) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

void SoundBank::LoadBank() {
    if (deviceOpen_) {
        // A chunk may be sounding; it must not be freed under the mixer.
        Mix_HaltChannel(kChannel);
        FreeChunks();
    }
    for (int cue = kFirstCue; cue <= kLastCue; ++cue) {
        const auto image = SoundImage(cue);
        images_[Slot(cue)] = image;
        if (!deviceOpen_ || image.empty()) continue;
        // Decoded once here, so a play is only a channel start. A bad image stays silent.
        SDL_RWops* source = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
        chunks_[Slot(cue)] = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
    }
}

void SoundBank::PlaySoundImage(int cue) {
    if (!IsCue(cue)) return;
    Mix_Chunk* chunk = chunks_[Slot(cue)];
    if (chunk) Mix_PlayChannel(kChannel, chunk, 0);
}

void SoundBank::StopSound() {
    if (deviceOpen_) Mix_HaltChannel(kChannel);
}

std::span<const unsigned char> SoundBank::Image(int cue) const {
    return IsCue(cue) ? images_[Slot(cue)] : std::span<const unsigned char>{};
}

}  // namespace keno
