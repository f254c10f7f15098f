// Sound-cue latency through SDL's disk audio driver, for every cue with an image: time from
// PlaySoundImage to the moment the device took the cue's first frames, and to the moment its first
// non-silent frame shows in the output file (the driver writes through a 4 KiB stdio buffer, so
// the file lags by up to 23 ms of 44.1 kHz stereo whatever the device's buffer). Each cue then
// plays to its end and its sounding span is compared with the image's: a gap in the output (an
// underrun) lengthens it, a lost buffer shortens it. Last, the first cue after silence has closed
// the device. Not a test: figures only.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/SoundBank.h"
#include "tools/SoundImages.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLoud = 300;  // about -40 dBFS on the 16-bit scale
constexpr double kOutputRate = 44100.0;

std::vector<short> Samples(const std::string& path, long from) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(from);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<short> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return samples;
}

long FileSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<long>(in.tellg()) : 0;
}

bool Loud(int sample) { return sample > kLoud || sample < -kLoud; }

// Seconds from the first to the last loud sample of interleaved samples at `rate` frames/s.
double SoundingSpan(const std::vector<int>& samples, int channels, double rate) {
    const auto first = std::find_if(samples.begin(), samples.end(), Loud);
    if (first == samples.end()) return -1;
    const auto last = std::find_if(samples.rbegin(), samples.rend(), Loud).base();
    return static_cast<double>((last - first) / channels) / rate;
}

// The sounding span of a cue's own image (canonical 44-byte PCM header), on the 16-bit scale.
double ImageSpan(int cue) {
    const auto image = keno::SoundImage(cue);
    const int channels = image[22];
    const double rate = image[24] | image[25] << 8 | image[26] << 16;
    const int bits = image[34];
    std::vector<int> samples;
    for (std::size_t at = 44; at + static_cast<std::size_t>(bits / 8) <= image.size(); at += static_cast<std::size_t>(bits / 8))
        samples.push_back(bits == 8 ? (image[at] - 128) * 256 : static_cast<short>(image[at] | image[at + 1] << 8));
    return SoundingSpan(samples, channels, rate);
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
    std::printf("%-6s %12s %12s %14s %14s\n", "cue", "device ms", "in file ms", "span ms", "image span ms");
    double worst = 0, sum = 0, worstFile = 0, sumFile = 0;
    int count = 0, underruns = 0;
    for (int cue = 101; cue <= 114; ++cue) {
        bank.StopSound();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        const long start = FileSize(out);
        const auto requested = Clock::now();
        bank.PlaySoundImage(cue);
        double latency = -1, inFile = -1;
        while (Clock::now() - requested < std::chrono::seconds(2) && inFile < 0) {
            if (latency < 0 && bank.CueReachedDevice() > requested)
                latency = std::chrono::duration<double, std::milli>(bank.CueReachedDevice() - requested).count();
            const auto samples = Samples(out, start);
            if (std::any_of(samples.begin(), samples.end(), [](short s) { return Loud(s); }))
                inFile = std::chrono::duration<double, std::milli>(Clock::now() - requested).count();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const double imageSpan = ImageSpan(cue);
        std::this_thread::sleep_for(std::chrono::duration<double>(imageSpan + 0.2));
        const auto written = Samples(out, start);
        const double span = SoundingSpan(std::vector<int>(written.begin(), written.end()), 2, kOutputRate);
        // More than 3 ms off: a gap, a repeat or a lost buffer in the output.
        if (std::abs(span - imageSpan) > 0.003) ++underruns;
        std::printf("%-6d %12.1f %12.1f %14.1f %14.1f\n", cue, latency, inFile, span * 1000.0, imageSpan * 1000.0);
        if (latency >= 0 && inFile >= 0) {
            worst = std::max(worst, latency);
            sum += latency;
            worstFile = std::max(worstFile, inFile);
            sumFile += inFile;
            ++count;
        }
    }
    bank.StopSound();
    const double mean = count ? sum / count : 0.0;
    std::printf("to the device: mean %.1f ms, worst %.1f ms over %d cues; in the file: mean %.1f ms, worst %.1f ms\n",
                mean, worst, count, count ? sumFile / count : 0.0, worstFile);
    std::printf("%d cue(s) sounding more than 3 ms longer or shorter than their image (a gap or a lost buffer)\n",
                underruns);

    // Silence closes the device; the next cue opens it again (a new output file).
    const auto quiet = Clock::now();
    while (bank.DeviceRunning() && Clock::now() - quiet < keno::SoundBank::kCloseAfter + std::chrono::seconds(2))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const bool closed = !bank.DeviceRunning();
    std::remove(out.c_str());
    const auto requested = Clock::now();
    bank.PlaySoundImage(106);
    while (bank.CueReachedDevice() < requested && Clock::now() - requested < std::chrono::seconds(2))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    std::printf("after %.1f s of silence the device was %s; the next cue reached it in %.1f ms\n",
                std::chrono::duration<double>(keno::SoundBank::kCloseAfter).count(), closed ? "closed" : "still open",
                std::chrono::duration<double, std::milli>(bank.CueReachedDevice() - requested).count());
    bank.StopSound();
    std::remove(out.c_str());
    std::printf("row: sound cue request -> first frame at the device (disk driver), mean / worst | %.1f / %.1f ms, "
                "%d underrun(s) | <= 10 / 14 ms, no underrun\n",
                mean, worst, underruns);
    return 0;
}
