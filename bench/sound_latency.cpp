// Sound-cue latency through SDL's disk audio driver: time from PlaySoundImage to the first
// non-silent frame in the mixed output, for every cue with an image. Not a test: figures only.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/SoundBank.h"

namespace {

using Clock = std::chrono::steady_clock;

// Offset of the first 16-bit sample louder than the threshold at or after `from`, or -1.
long FirstLoudByte(const std::string& path, long from) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(from);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<short>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (sample > 300 || sample < -300) return from + static_cast<long>(i);
    }
    return -1;
}

long FileSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<long>(in.tellg()) : 0;
}

}  // namespace

int main() {
    const std::string out = "/tmp/keno22-latency-" + std::to_string(::getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    keno::SoundBank bank;
    bank.LoadBank();
    if (!bank.HasDevice()) {
        std::puts("no audio device: nothing to measure");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the device settle
    std::printf("%-6s %12s\n", "cue", "latency ms");
    double worst = 0, sum = 0;
    int count = 0;
    for (int cue = 101; cue <= 114; ++cue) {
        bank.StopSound();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        const long start = FileSize(out);
        const auto requested = Clock::now();
        bank.PlaySoundImage(cue);
        double latency = -1;
        while (Clock::now() - requested < std::chrono::seconds(2)) {
            if (FirstLoudByte(out, start) >= 0) {
                latency = std::chrono::duration<double, std::milli>(Clock::now() - requested).count();
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        std::printf("%-6d %12.1f\n", cue, latency);
        if (latency >= 0) {
            worst = std::max(worst, latency);
            sum += latency;
            ++count;
        }
    }
    bank.StopSound();
    std::remove(out.c_str());
    std::printf("mean %.1f ms, worst %.1f ms over %d cues (buffer 1024 frames at 44.1 kHz = 23.2 ms)\n",
                count ? sum / count : 0.0, worst, count);
    return 0;
}
