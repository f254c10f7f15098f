#include "shell/SoundBank.h"

#include <SDL.h>
#include <dlfcn.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#include "shell/WaveImage.h"
#include "tools/SoundImages.h"

namespace keno {

namespace {

using SteadyClock = std::chrono::steady_clock;

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The few SDL calls the bank makes, looked up when the bank opens: the program does not link SDL,
// so it starts without loading SDL and the thirty-odd libraries SDL brings with it.
struct Sdl {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_Quit) Quit = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;

    // Null when the library or one of its calls is missing: then there is no sound at all. The
    // library stays loaded for the rest of the run once found.
    static const Sdl* Load() {
        static const std::optional<Sdl> loaded = []() -> std::optional<Sdl> {
            void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
            if (library == nullptr) return std::nullopt;
            Sdl sdl;
            if (Find(library, "SDL_SetHint", sdl.SetHint) && Find(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
                Find(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) && Find(library, "SDL_Quit", sdl.Quit) &&
                Find(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
                Find(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
                Find(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice))
                return sdl;
            dlclose(library);
            return std::nullopt;
        }();
        return loaded ? &*loaded : nullptr;
    }
};

// Banks that have SDL started. The last one to stop quits SDL altogether, which also frees what
// SDL keeps between its subsystems' lives (its hints, its driver lists).
std::mutex sdlUsersMutex;
int sdlUsers = 0;

bool StartSdl(const Sdl* sdl) {
    if (sdl == nullptr) return false;
    std::lock_guard lock(sdlUsersMutex);
    // The program handles SIGINT and SIGTERM itself; SDL must not swallow them.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (sdlUsers == 0) sdl->Quit();
        return false;
    }
    ++sdlUsers;
    return true;
}

void StopSdl(const Sdl* sdl) {
    std::lock_guard lock(sdlUsersMutex);
    if (--sdlUsers == 0) {
        sdl->Quit();
    } else {
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
    }
}

}  // namespace

struct SoundBank::Output {
    // Shared by the caller's thread, SDL's audio thread and the keeper thread.
    std::mutex mutex;
    std::condition_variable wake;
    std::array<std::optional<PcmWave>, kCueCount> waves;
    PcmWave playing;
    bool sounding = false;
    std::uint64_t cursor = 0;  // source frames, 32.32 fixed point
    std::uint64_t step = 0;    // source frames per output frame, 32.32
    SteadyClock::time_point quietSince = SteadyClock::now();
    SteadyClock::time_point reachedDevice;
    bool opened = false;
    bool firstTryDone = false;
    bool quit = false;
    std::atomic<bool> hasDevice{false};
    std::atomic<bool> running{false};

    // Keeper thread only.
    std::thread keeper;
    const Sdl* sdl = nullptr;
    SDL_AudioDeviceID device = 0;

    void Start(const std::unique_lock<std::mutex>&) {
        opened = true;
        keeper = std::thread([this] { Keep(); });
    }

    void Stop() {
        {
            std::lock_guard lock(mutex);
            quit = true;
        }
        wake.notify_all();
        if (keeper.joinable()) keeper.join();
    }

    void Begin(const PcmWave& wave) {
        playing = wave;
        cursor = 0;
        step = (static_cast<std::uint64_t>(wave.rate) << 32) / kRate;
        sounding = true;
    }

    void Quiet() {
        sounding = false;
        quietSince = SteadyClock::now();
    }

    // The audio thread: the cue in play, resampled by linear interpolation to the device rate,
    // then silence. A cue that ends here wakes the keeper, which closes the device if none follows.
    static void Callback(void* self, Uint8* stream, int length) {
        auto& output = *static_cast<Output*>(self);
        auto* out = reinterpret_cast<std::int16_t*>(stream);
        const int frames = length / 4;
        bool ended = false;
        int written = 0;
        {
            std::lock_guard lock(output.mutex);
            if (output.sounding && output.cursor == 0) output.reachedDevice = SteadyClock::now();
            for (; written < frames && output.sounding; ++written) {
                const PcmWave& wave = output.playing;
                const auto frame = static_cast<std::size_t>(output.cursor >> 32);
                if (frame >= wave.frames) {
                    output.Quiet();
                    ended = true;
                    break;
                }
                const auto fraction = static_cast<std::int64_t>(output.cursor & 0xffffffffU);
                for (int channel = 0; channel < 2; ++channel) {
                    const std::int32_t a = wave.Sample(frame, channel);
                    const std::int32_t b = frame + 1 < wave.frames ? wave.Sample(frame + 1, channel) : a;
                    out[2 * written + channel] = static_cast<std::int16_t>(a + (((b - a) * fraction) >> 32));
                }
                output.cursor += output.step;
            }
        }
        std::memset(out + 2 * written, 0, static_cast<std::size_t>(frames - written) * 4);
        if (ended) output.wake.notify_all();
    }

    bool OpenDevice() {
        SDL_AudioSpec want{};
        want.freq = kRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = kBufferFrames;
        want.callback = &Output::Callback;
        want.userdata = this;
        SDL_AudioSpec got{};
        // No changes allowed: SDL converts if the hardware differs, and the callback always
        // writes 44.1 kHz 16-bit stereo.
        device = sdl->OpenAudioDevice(nullptr, 0, &want, &got, 0);
        if (device == 0) return false;
        sdl->PauseAudioDevice(device, 0);
        running = true;
        return true;
    }

    void CloseDevice() {
        sdl->CloseAudioDevice(device);  // waits for the audio thread; never under the mutex
        device = 0;
        running = false;
    }

    void Keep() {
        sdl = Sdl::Load();
        const bool started = StartSdl(sdl);
        const bool open = started && OpenDevice();
        std::unique_lock lock(mutex);
        hasDevice = open;
        firstTryDone = true;
        if (!open) Quiet();  // a cue asked for before has nowhere to sound
        wake.notify_all();
        while (!quit) {
            if (!started) {
                wake.wait(lock);
            } else if (running) {
                if (sounding) {
                    wake.wait(lock);
                } else if (wake.wait_until(lock, quietSince + kCloseAfter) == std::cv_status::timeout && !sounding &&
                           !quit && SteadyClock::now() >= quietSince + kCloseAfter) {
                    lock.unlock();
                    CloseDevice();
                    lock.lock();
                }
            } else if (sounding) {
                lock.unlock();
                const bool reopened = OpenDevice();
                lock.lock();
                if (!reopened) Quiet();
            } else {
                wake.wait(lock);
            }
        }
        lock.unlock();
        if (running) CloseDevice();
        if (started) StopSdl(sdl);
    }
};

SoundBank::SoundBank(Start start) : output_(std::make_unique<Output>()) {
    if (start == Start::Later) return;
    Open();
    std::unique_lock lock(output_->mutex);
    output_->wake.wait(lock, [this] { return output_->firstTryDone; });
}

SoundBank::~SoundBank() { output_->Stop(); }

void SoundBank::Open() {
    std::unique_lock lock(output_->mutex);
    if (!output_->opened) output_->Start(lock);
}

void SoundBank::LoadBank() {
    std::array<std::optional<PcmWave>, kCueCount> waves;
    for (int cue = kFirstCue; cue <= kLastCue; ++cue) {
        const auto image = SoundImage(cue);
        images_[Slot(cue)] = image;
        // A bad image stays silent. The samples are read in place: nothing is converted or copied.
        waves[Slot(cue)] = ReadPcmWave(image);
    }
    std::lock_guard lock(output_->mutex);
    output_->waves = waves;
}

void SoundBank::PlaySoundImage(int cue) {
    if (!IsCue(cue)) return;
    {
        std::lock_guard lock(output_->mutex);
        const auto& wave = output_->waves[Slot(cue)];
        if (!wave) return;
        output_->Begin(*wave);
    }
    output_->wake.notify_all();  // the keeper opens the device if silence had closed it
}

void SoundBank::StopSound() {
    {
        std::lock_guard lock(output_->mutex);
        if (!output_->sounding) return;
        output_->Quiet();
    }
    output_->wake.notify_all();
}

std::span<const unsigned char> SoundBank::Image(int cue) const {
    return IsCue(cue) ? images_[Slot(cue)] : std::span<const unsigned char>{};
}

bool SoundBank::HasDevice() const { return output_->hasDevice; }

bool SoundBank::DeviceRunning() const { return output_->running; }

std::chrono::steady_clock::time_point SoundBank::CueReachedDevice() const {
    std::lock_guard lock(output_->mutex);
    return output_->reachedDevice;
}

}  // namespace keno
