// The history file: what goes in comes out, per slot; the screens' queries; pruning and deleting
// a slot; and the file that cannot be written, fills up, is damaged or is not ours.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <atomic>
#include <filesystem>
#include <chrono>
#include <fstream>
#include <future>
#include <random>

#include "history/HistoryStore.h"
#include "history/HistoryWriter.h"

using namespace keno;
namespace fs = std::filesystem;

namespace {

struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "keno-history-test-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string File() const { return (path / "plinx" / "keno22-history.sqlite").string(); }
};

// Game n of a slot: a different ticket, draw and credit each time.
SettledGame Game(int slot, int n, OfferChoice offer = OfferChoice::None) {
    SettledGame g;
    g.slot = slot;
    g.player = "Zoë " + std::to_string(slot);
    g.game = offer == OfferChoice::None && n % 2 ? 20 : 22;
    g.ticket = {1 + n % 5, 40, 79};
    for (int i = 0; i < 20; ++i) g.drawn.push_back((n + i * 3) % 80 + 1);
    if (offer == OfferChoice::Bought) g.extra = {77, 78};
    g.hits = 1;
    g.bet = 1 + n % 5;
    g.extraBet = offer == OfferChoice::Bought ? g.bet : 0;
    g.win = n % 3 ? 0 : 4 * g.bet;
    g.offer = offer;
    g.creditAfter = 1000 - n;
    return g;
}

int MainHits(const SettledGame& g) {
    int hits = 0;
    for (int n : g.drawn) hits += static_cast<int>(std::count(g.ticket.begin(), g.ticket.end(), n));
    return hits;
}

std::vector<std::int64_t> Seqs(const std::vector<GameRecord>& records) {
    std::vector<std::int64_t> seqs;
    for (const GameRecord& r : records) seqs.push_back(r.seq);
    return seqs;
}

// A value straight from the file, past the store.
std::string Pragma(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sqlite3_stmt* s = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW) {
        value = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return value;
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const fs::path& file, const std::string& bytes, std::streamoff at = 0) {
    fs::create_directories(file.parent_path());
    if (!fs::exists(file)) std::ofstream(file, std::ios::binary).put('\0');
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(at);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Garbage(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    return bytes;
}

TEST(HistoryStore, KeepsEveryFieldOfEachSlotsGamesNewestFirst) {
    TempFolder folder;
    const std::vector<SettledGame> slot2{Game(2, 1), Game(2, 2, OfferChoice::Bought), Game(2, 3, OfferChoice::TookWin)};
    {
        HistoryStore store({folder.File()});
        for (std::size_t i = 0; i < slot2.size(); ++i) {
            ASSERT_TRUE(store.Append(slot2[i], 1700000000000 + static_cast<std::int64_t>(i)));
            ASSERT_TRUE(store.Append(Game(5, static_cast<int>(i)), 1));
        }
        EXPECT_EQ(Seqs(store.LastGames(2, 2)), (std::vector<std::int64_t>{3, 2}));
    }
    // A new run reads what the last one wrote.
    HistoryStore store({folder.File()});
    const std::vector<GameRecord> last = store.LastGames(2, 10);
    ASSERT_EQ(last.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const GameRecord& r = last[2 - i];
        EXPECT_EQ(r.game, slot2[i]);
        EXPECT_EQ(r.seq, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(r.timeMs, 1700000000000 + static_cast<std::int64_t>(i));
        EXPECT_EQ(r.mainHits, MainHits(slot2[i]));
    }
    EXPECT_EQ(store.GameCount(5), 3);
    EXPECT_TRUE(store.LastGames(4, 10).empty());
    EXPECT_FALSE(store.TakeProblem());
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA user_version"), std::to_string(HistoryStore::kSchemaVersion));
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA journal_mode"), "wal");
}

TEST(HistoryStore, TheFileIsInTheUsersDataFolder) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(HistoryStore::DefaultPath(), "/data/home/plinx/keno22-history.sqlite");
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    if (const char* home = std::getenv("HOME"); home && *home == '/') {
        EXPECT_EQ(HistoryStore::DefaultPath(), std::string(home) + "/.local/share/plinx/keno22-history.sqlite");
    }
    old ? setenv("XDG_DATA_HOME", saved.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

TEST(HistoryStore, AnswersTheChartsQueries) {
    TempFolder folder;
    HistoryStore store({folder.File()});
    SettledGame bought = Game(1, 0, OfferChoice::Bought);
    bought.ticket = {5, 6, 7, 8};
    bought.drawn = {5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
    bought.extra = {8, 30};
    bought.hits = 4;
    std::vector<SettledGame> games{bought};
    for (int n = 1; n < 6; ++n) games.push_back(Game(1, n));
    for (const SettledGame& g : games) store.Append(g, 0);
    store.Append(Game(2, 9), 0);

    EXPECT_EQ(store.CreditSeries(1, 3), (std::vector<std::int32_t>{997, 996, 995}));
    EXPECT_EQ(store.CreditSeries(1, 100).size(), 6u);

    HitCounts expectedHits;
    NumberCounts expectedCounts;
    for (const SettledGame& g : games) {
        ++expectedHits.games[g.ticket.size()][static_cast<std::size_t>(MainHits(g))];
        ++expectedCounts.games;
        for (int n : g.drawn) ++expectedCounts.main[static_cast<std::size_t>(n)];
        for (int n : g.extra) ++expectedCounts.extra[static_cast<std::size_t>(n)];
    }
    const HitCounts hits = store.HitsBySpots(1);
    EXPECT_EQ(hits.games, expectedHits.games);
    EXPECT_EQ(hits.games[4][3], 1) << "the bought game counts its main draw's 3 hits, not the final 4";
    EXPECT_EQ(hits.Played(3), 5);
    const NumberCounts counts = store.DrawCounts(1);
    EXPECT_EQ(counts.games, 6);
    EXPECT_EQ(counts.main, expectedCounts.main);
    EXPECT_EQ(counts.extra, expectedCounts.extra);
}

TEST(HistoryStore, PrunesEachSlotPastItsBoundAndDeletesOneSlot) {
    TempFolder folder;
    HistoryStore store({folder.File(), 5});
    for (int n = 1; n <= 8; ++n) store.Append(Game(1, n), n);
    for (int n = 1; n <= 3; ++n) store.Append(Game(2, n), n);
    EXPECT_EQ(store.GameCount(1), 5);
    EXPECT_EQ(Seqs(store.LastGames(1, 10)), (std::vector<std::int64_t>{8, 7, 6, 5, 4}));
    EXPECT_EQ(store.CreditSeries(1, 10), (std::vector<std::int32_t>{996, 995, 994, 993, 992}));
    EXPECT_EQ(store.GameCount(2), 3);

    EXPECT_TRUE(store.DeleteSlot(1));
    EXPECT_EQ(store.GameCount(1), 0);
    EXPECT_EQ(store.DrawCounts(1).games, 0);
    EXPECT_EQ(store.GameCount(2), 3);
    store.Append(Game(1, 1), 0);
    EXPECT_EQ(Seqs(store.LastGames(1, 10)), (std::vector<std::int64_t>{1}));
    EXPECT_FALSE(store.TakeProblem());
}

// Play never depends on the history: each failure is one report, then silence.
TEST(HistoryStore, AFileThatCannotBeKeptIsReportedOnceThenLeftAlone) {
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> arrange;
        std::int64_t maxPages;
        std::string reason;
    };
    const Case cases[] = {
        {"a file where the folder should be",
         [](const TempFolder& f) { std::ofstream(f.path / "plinx") << "not a folder"; }, 0, "is a file"},
        {"full", [](const TempFolder&) {}, 3, "the disk is full"},
        {"a newer version's file",
         [](const TempFolder& f) {
             { HistoryStore({f.File()}).Open(); }
             Pragma(f.File(), "PRAGMA user_version = 99");
         },
         0, "newer version"},
        {"another program's file",
         [](const TempFolder& f) {
             fs::create_directories(f.path / "plinx");
             Pragma(f.File(), "PRAGMA application_id = 7");
         },
         0, "another program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        c.arrange(folder);
        const std::string before = Bytes(folder.File());
        HistoryStore store({folder.File(), HistoryStore::kKeepPerSlot, c.maxPages});
        int written = 0;
        while (written < 1000 && store.Append(Game(1, written), 0)) ++written;
        EXPECT_LT(written, 1000);
        const auto problem = store.TakeProblem();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->kind, HistoryProblem::Kind::Unavailable);
        EXPECT_NE(problem->reason.find(c.reason), std::string::npos) << problem->reason;
        EXPECT_EQ(problem->path, folder.File());
        for (int n = 0; n < 3; ++n) EXPECT_FALSE(store.Append(Game(1, n), 0));
        EXPECT_TRUE(store.LastGames(1, 10).empty());
        EXPECT_FALSE(store.DeleteSlot(1));
        EXPECT_FALSE(store.TakeProblem()) << "reported once";
        if (c.maxPages == 0 && !before.empty()) {
            EXPECT_EQ(Bytes(folder.File()), before) << "not ours to change";
        }
    }
}

// A damaged file is kept for rescue under another name and a new history goes on.
TEST(HistoryStore, ADamagedFileIsMovedAsideOnceAndANewHistoryStarts) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> damage;
    };
    const Case cases[] = {
        {"garbage from the first byte", [](const std::string& file) { Write(file, Garbage(8192, 1)); }},
        {"pages overwritten after a sound header",
         [](const std::string& file) {
             {
                 HistoryStore store({file});
                 for (int n = 0; n < 200; ++n) store.Append(Game(1, n), 0);
             }
             Write(file, Garbage(static_cast<std::size_t>(fs::file_size(file)) - 4096, 2), 4096);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        c.damage(folder.File());
        const std::string damaged = Bytes(folder.File());
        HistoryStore store({folder.File()});
        store.GameCount(1);
        ASSERT_TRUE(store.Append(Game(3, 1), 42));
        const auto problem = store.TakeProblem();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->kind, HistoryProblem::Kind::Restarted);
        EXPECT_EQ(Bytes(problem->movedTo), damaged);
        EXPECT_EQ(problem->movedTo.rfind(folder.File() + ".damaged-", 0), 0u) << problem->movedTo;
        EXPECT_FALSE(store.TakeProblem());
        EXPECT_EQ(store.LastGames(3, 10).size(), 1u);
        EXPECT_EQ(store.GameCount(1), 0);
    }
}

TEST(HistoryWriter, WritesEveryGameHandedOverInOrderAndBeforeItEnds) {
    TempFolder folder;
    std::atomic<int> reports = 0;
    {
        HistoryWriter writer({folder.File()}, [&] { ++reports; });
        for (int n = 1; n <= 40; ++n) writer.Post(Game(1, n), n);
        EXPECT_EQ(writer.Read([](HistoryStore& s) { return s.GameCount(1); }), 40);
        for (int n = 41; n <= 60; ++n) writer.Post(Game(1, n), n);
    }
    HistoryStore store({folder.File()});
    const auto last = store.LastGames(1, 100);
    ASSERT_EQ(last.size(), 60u);
    for (std::size_t i = 0; i < last.size(); ++i) EXPECT_EQ(last[i].timeMs, static_cast<std::int64_t>(60 - i));
    EXPECT_EQ(reports, 0);
}

TEST(HistoryWriter, TellsOfAProblemOnceFromItsThread) {
    TempFolder folder;
    std::ofstream(folder.path / "plinx") << "not a folder";
    std::atomic<int> reports = 0;
    HistoryWriter writer({folder.File()}, [&] { ++reports; });
    for (int n = 0; n < 5; ++n) writer.GameSettled(Game(1, n));
    writer.Flush();
    EXPECT_EQ(reports, 1);
    const auto problem = writer.TakeProblem();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, HistoryProblem::Kind::Unavailable);
    EXPECT_FALSE(writer.TakeProblem());
}

// The screens read on a thread of their own, for up to a good part of a second: a game settling
// meanwhile is handed over at once, and written once the read is done.
TEST(HistoryWriter, AHandOverNeverWaitsForARead) {
    TempFolder folder;
    HistoryWriter writer({folder.File()});
    writer.Post(Game(1, 1), 1);
    std::promise<void> reading, handedOver;
    std::future<void> whenHandedOver = handedOver.get_future();
    auto read = std::async(std::launch::async, [&] {
        return writer.Read([&](HistoryStore& store) {
            reading.set_value();
            // Holds the store until the game has been handed over; a hand-over waiting for the
            // read would never come, and the read gives up after a long while.
            const bool handOverCame = whenHandedOver.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
            return std::pair{handOverCame, store.GameCount(1)};
        });
    });
    reading.get_future().wait();
    writer.Post(Game(1, 2), 2);
    handedOver.set_value();
    const auto [handOverCame, count] = read.get();
    EXPECT_TRUE(handOverCame);
    EXPECT_EQ(count, 1);  // the read saw the store as it was when it began
    EXPECT_EQ(writer.Read([](HistoryStore& store) { return store.GameCount(1); }), 2);
}

// A deleted player's games go in their place among the games handed over: those before, not those
// after, and no other slot's.
TEST(HistoryWriter, ForgetsASlotInOrderWithTheGames) {
    TempFolder folder;
    HistoryWriter writer({folder.File()});
    for (int n = 1; n <= 5; ++n) writer.Post(Game(1, n), n);
    writer.Post(Game(2, 1), 6);
    writer.PostForget(1);
    writer.Post(Game(1, 7), 7);
    const auto [one, two] = writer.Read([](HistoryStore& store) {
        return std::pair{store.LastGames(1, 10), store.GameCount(2)};
    });
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].timeMs, 7);
    EXPECT_EQ(one[0].seq, 1);  // numbered afresh, as a new player's first game
    EXPECT_EQ(two, 1);
}

}  // namespace
