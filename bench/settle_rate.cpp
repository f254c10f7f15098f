// Settle-at-once 22-ball games per second on one core: PLAY, then the whole game at once (an offer
// is answered with the extra balls, so every game draws 22), on the engines alone. Seeded source
// and the production source that reseeds before every draw. CPU time of this thread, so a busy
// machine slows the figure less than wall time would. Not a test: figures only.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "board/KenoBoard.h"
#include "keno22/Keno22Game.h"

namespace {

using namespace keno;

struct Silent final : SoundSink {
    void Play(Cue) override {}
};
struct Dismiss final : Messenger {
    Answer Show(const Message&) override { return Answer::Ok; }
};
struct FixedClock final : Clock {
    double SecondsSinceMidnight() override { return 36000.0; }
};

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Machine {
    MachineState state;
    ViewModel view;
    Silent sound;
    Dismiss messenger;
    FixedClock clock;
    std::unique_ptr<RandomSource> random;
    clsKenoBoard board;
    Keno22Game game;

    explicit Machine(std::unique_ptr<RandomSource> source)
        : random(std::move(source)),
          board(BoardRules::Keno22, state, view, sound, messenger, *random),
          game(state, board, view, sound, messenger, *random, clock) {
        state.bank = 100;
        state.coinsbet = 1;
        for (int n : {3, 11, 19, 27, 40, 41, 52, 66}) board.MarkSquare(n);  // 8 spots: offers are common
        state.coinsbet = 5;
    }

    void PlayOne() {
        if (state.bank < 1000) state.bank = 1'000'000'000;
        game.Play();
        game.SettleNow();
        if (game.OfferOpen()) {
            game.BuyExtraBalls();
            game.SettleNow();
        }
    }
};

// Games per CPU second: the best of several short timed spans after a warm-up. On a shared
// machine a span can lose its core's cache or be charged time the hypervisor stole; the best span
// is the closest to what one core does.
template <typename MakeSource>
double GamesPerSecond(MakeSource make, double spanSeconds) {
    Machine machine(make());
    for (int i = 0; i < 2000; ++i) machine.PlayOne();
    double best = 0;
    for (int span = 0; span < 9; ++span) {
        long games = 0;
        const double start = ThreadCpuSeconds();
        double elapsed = 0;
        do {
            for (int i = 0; i < 1000; ++i) machine.PlayOne();
            games += 1000;
            elapsed = ThreadCpuSeconds() - start;
        } while (elapsed < spanSeconds);
        best = std::max(best, static_cast<double>(games) / elapsed);
    }
    // Every PLAY must have been a whole game, or the figure measures a refusal.
    if (machine.state.games < 11000 || machine.board.spots() != 8) {
        std::fprintf(stderr, "settle_rate: the games did not run (%d settled)\n", machine.state.games);
        std::exit(1);
    }
    return best;
}

}  // namespace

// Usage: settle_rate [seeded|reseed]   (both by default; one alone is for a profiler)
int main(int argc, char** argv) {
    const char* span = std::getenv("KENO_BENCH_SETTLE_SECONDS");
    const double seconds = span ? std::atof(span) : 0.15;
    const std::string only = argc > 1 ? argv[1] : "";
    const double seeded = only == "reseed" ? 0 : GamesPerSecond([] { return std::make_unique<SeededRandomSource>(2201); }, seconds);
    const double reseeded = only == "seeded" ? 0 : GamesPerSecond([] { return std::make_unique<ClockRandomSource>(); }, seconds);
    std::printf("%-44s %12.0f\n", "seeded source (games/s, one core)", seeded);
    std::printf("%-44s %12.0f\n", "real reseed before every draw (games/s)", reseeded);
    std::printf("row: settle-at-once 22-ball games/s per core, seeded / real reseed | %.0f / %.0f | >= 1000000 / >= 250000\n",
                seeded, reseeded);
    return 0;
}
