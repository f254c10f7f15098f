#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/GameRecorder.h"

namespace keno {

// A settled game as the history keeps it.
struct GameRecord {
    std::int64_t seq = 0;     // the game's number in its slot's history, 1 for the first
    std::int64_t timeMs = 0;  // when it settled, ms since 1970-01-01 UTC
    SettledGame game;
    int mainHits = 0;         // hits among the 20 balls of the main draw
};

// Games by ticket size and hits in the main draw: games[spots][hits], spots and hits 0..10.
struct HitCounts {
    std::array<std::array<std::int64_t, 11>, 11> games{};
    std::int64_t Played(int spots) const;
};

// How often each number was drawn: main[n] among the 20 balls of the main draws, extra[n] among
// the extra balls bought; index 1..80.
struct NumberCounts {
    std::int64_t games = 0;
    std::array<std::int64_t, 81> main{};
    std::array<std::int64_t, 81> extra{};
};

// Why the history stopped, or that it had to start afresh. Reported once each.
struct HistoryProblem {
    enum class Kind {
        Unavailable,  // cannot be opened or written: no more games are kept in this run
        Restarted,    // the file was damaged: moved aside to movedTo, a new history started
    };
    Kind kind = Kind::Unavailable;
    std::string path;     // the history file
    std::string reason;   // in words, for the player
    std::string movedTo;  // Restarted: where the damaged file now is

    bool operator==(const HistoryProblem&) const = default;
};

// Every settled game of every player slot, in an SQLite file. Plain C++ over the SQLite library;
// one object, used from one thread.
//
// A failure never reaches the caller as an error: the store keeps one report of it for
// TakeProblem(), stops writing for the rest of the run, and its queries answer empty. A file
// found damaged is moved aside (kept for a person to rescue) and a new history is started.
class HistoryStore {
public:
    static constexpr std::int64_t kKeepPerSlot = 100000;
    static constexpr int kSchemaVersion = 1;

    struct Options {
        std::string path;                         // the database file
        std::int64_t keepPerSlot = kKeepPerSlot;  // older games of a slot are pruned
        std::int64_t maxPageCount = 0;            // a size limit in pages (tests); 0: none
    };

    explicit HistoryStore(Options options);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // $XDG_DATA_HOME/plinx/keno22-history.sqlite, ~/.local/share/... when it is unset; empty when
    // no home folder can be found.
    static std::string DefaultPath();

    // Opens (creating or upgrading the file as needed); later calls return at once. Every other
    // operation opens the store first. Returns whether the history is available.
    bool Open();
    bool Available();
    const std::string& Path() const { return options_.path; }

    // Writes one settled game in one transaction and prunes that slot past keepPerSlot.
    bool Append(const SettledGame& game, std::int64_t timeMs);

    // The last `count` games of a slot, newest first.
    std::vector<GameRecord> LastGames(int slot, int count);
    // The credit after each of the last `count` games of a slot, oldest first.
    std::vector<std::int32_t> CreditSeries(int slot, int count);
    HitCounts HitsBySpots(int slot);
    NumberCounts DrawCounts(int slot);
    std::int64_t GameCount(int slot);
    // Forgets every game of a slot (the player's details were deleted).
    bool DeleteSlot(int slot);

    // The next problem not yet reported, once.
    std::optional<HistoryProblem> TakeProblem();

private:
    struct Db;
    struct SqlError {
        int code = 0;
        std::string text;
    };
    enum class State { Closed, Open, Off };

    bool OpenFile();
    // Brings the file to the current schema; an error, or nothing (the store may be off then).
    std::optional<SqlError> Migrate();
    std::optional<SqlError> Prepare();
    // A failed SQLite call: a damaged file is moved aside and a new one opened (true when that
    // worked, so the caller may try once more); anything else turns the history off.
    bool Failed(int code, const std::string& what);
    // Runs work() on the open store, once more on a fresh file if it found the file damaged.
    template <typename Work>
    bool Attempt(Work work);
    void TurnOff(std::string reason);
    bool MoveAside();
    void Close();

    Options options_;
    std::unique_ptr<Db> db_;
    State state_ = State::Closed;
    bool restarted_ = false;  // one fresh start per run; a second damaged file turns the history off
    std::vector<HistoryProblem> problems_;
};

}  // namespace keno
