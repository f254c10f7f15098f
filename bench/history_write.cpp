// What keeping the history adds to a paced game: the time the game's own thread spends handing a
// settled game to the writer; and what the writing thread then spends on it, on a fresh file and
// on a slot at its bound where every write also prunes; then the screens' queries on a full slot.
//   bench_history_write [--games N] [--folder DIR] [--skip-full]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/RandomSource.h"
#include "history/HistoryStore.h"
#include "history/HistoryWriter.h"

namespace {

using namespace keno;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A plausible game: a ticket of 2..10, a real draw, a bet of 1..5, sometimes extra balls.
SettledGame MakeGame(std::mt19937_64& rng, SeededRandomSource& urn, int slot) {
    SettledGame g;
    g.slot = slot;
    g.player = "BENCH";
    g.game = rng() % 4 == 0 ? 20 : 22;
    std::vector<int> numbers;
    DrawFromUrn(urn, 22, std::back_inserter(numbers));
    g.drawn.assign(numbers.begin(), numbers.begin() + 20);
    const int spots = 2 + static_cast<int>(rng() % 9);
    DrawFromUrn(urn, spots, std::back_inserter(g.ticket));
    std::sort(g.ticket.begin(), g.ticket.end());
    if (g.game == 22 && rng() % 10 == 0) {
        g.extra.assign(numbers.begin() + 20, numbers.end());
        g.offer = OfferChoice::Bought;
    }
    g.bet = 1 + static_cast<int>(rng() % 5);
    g.extraBet = g.extra.empty() ? 0 : g.bet;
    g.hits = static_cast<int>(rng() % 4);
    g.win = g.hits >= 2 ? g.bet * 4 : 0;
    g.creditAfter = static_cast<int>(rng() % 1000);
    return g;
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * static_cast<double>(ms.size())))]; };
    const double mean = std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size());
    std::printf("%-34s %6zu games  mean %.3f ms  median %.3f  p99 %.3f  p99.9 %.3f  max %.3f ms\n", what, ms.size(),
                mean, at(0.5), at(0.99), at(0.999), ms.back());
}

std::vector<double> Append(HistoryStore& store, int games, int slot, std::mt19937_64& rng, SeededRandomSource& urn) {
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(games));
    for (int i = 0; i < games; ++i) {
        const SettledGame g = MakeGame(rng, urn, slot);
        const auto start = Clock::now();
        const bool ok = store.Append(g, 1700000000000 + i);
        ms.push_back(Ms(Clock::now() - start));
        if (!ok) {
            std::fprintf(stderr, "write failed: %s\n", store.TakeProblem().value_or(HistoryProblem{}).reason.c_str());
            std::exit(1);
        }
    }
    return ms;
}

template <typename F>
void TimeQuery(const char* what, F query) {
    const auto start = Clock::now();
    query();
    std::printf("%-34s %.2f ms\n", what, Ms(Clock::now() - start));
}

}  // namespace

int main(int argc, char** argv) {
    int games = 5000;
    bool full = true;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--games") && i + 1 < argc) games = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--folder") && i + 1 < argc) folder = argv[++i];
        else if (!std::strcmp(argv[i], "--skip-full")) full = false;
    }
    namespace fs = std::filesystem;
    bool ownFolder = folder.empty();
    if (ownFolder) {
        std::string pattern = (fs::temp_directory_path() / "keno-history-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return 1;
        folder = pattern;
    }
    const std::string path = (fs::path(folder) / "keno22-history.sqlite").string();
    std::printf("history file: %s\n", path.c_str());

    std::mt19937_64 rng(18);
    SeededRandomSource urn(18);
    {
        HistoryStore store({path});
        const auto start = Clock::now();
        store.Open();
        std::printf("%-34s %.2f ms\n", "open (new file, schema)", Ms(Clock::now() - start));
        Report("writing thread, fresh file", Append(store, games, 1, rng, urn));
    }
    {
        HistoryWriter writer({path});
        writer.Flush();
        // As in play: a game ends while the writer is idle (games are at least half a second apart).
        std::vector<double> idle, backToBack;
        for (int i = 0; i < games; ++i) {
            const SettledGame g = MakeGame(rng, urn, 3);
            const auto start = Clock::now();
            writer.GameSettled(g);
            idle.push_back(Ms(Clock::now() - start));
            writer.Flush();
        }
        Report("game's thread: hand-over, idle", idle);
        // The worst case: games handed over back to back while the writer is busy.
        for (int i = 0; i < games; ++i) {
            const SettledGame g = MakeGame(rng, urn, 3);
            const auto start = Clock::now();
            writer.GameSettled(g);
            backToBack.push_back(Ms(Clock::now() - start));
        }
        Report("game's thread: hand-over, busy", backToBack);
        const auto start = Clock::now();
        writer.Flush();
        std::printf("%-34s %.2f ms\n", "writing out that backlog", Ms(Clock::now() - start));
    }
    if (full) {
        HistoryStore store({path});
        const auto start = Clock::now();
        store.Open();
        std::printf("%-34s %.2f ms\n", "open (existing file)", Ms(Clock::now() - start));
        const std::int64_t fill = HistoryStore::kKeepPerSlot - store.GameCount(2);
        std::printf("filling slot 2 to %lld games...\n", static_cast<long long>(HistoryStore::kKeepPerSlot));
        Append(store, static_cast<int>(fill), 2, rng, urn);
        Report("writing thread, slot at its bound", Append(store, games, 2, rng, urn));
        std::printf("slot 2 keeps %lld games\n", static_cast<long long>(store.GameCount(2)));
        TimeQuery("last 10 games", [&] { store.LastGames(2, 10); });
        TimeQuery("credit series, 1000 games", [&] { store.CreditSeries(2, 1000); });
        TimeQuery("hits by ticket size, 100000", [&] { store.HitsBySpots(2); });
        TimeQuery("number counts, 100000", [&] { store.DrawCounts(2); });
        TimeQuery("delete slot, 100000", [&] { store.DeleteSlot(2); });
    }
    std::error_code ignored;
    std::printf("file size: %.1f MiB\n", static_cast<double>(fs::file_size(path, ignored)) / (1 << 20));
    if (ownFolder) fs::remove_all(folder, ignored);
    return 0;
}
