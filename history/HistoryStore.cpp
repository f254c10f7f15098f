#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <system_error>

#include "history/HistoryDb.h"

namespace keno {

namespace fs = std::filesystem;
using historydb::MainHits;
using historydb::NumbersText;

namespace {

constexpr std::int32_t kApplicationId = 0x4b4e3232;  // "KN22": the file is ours
constexpr int kBusyTimeoutMs = 100;                  // only a person's own tool can hold the file

// Migration i takes a file of schema version i to version i + 1; a new file runs them all.
const char* const kMigrations[HistoryStore::kSchemaVersion] = {
    R"(CREATE TABLE games (
           slot      INTEGER NOT NULL,  -- player slot 1..6
           seq       INTEGER NOT NULL,  -- the game's number in its slot, from 1
           time      INTEGER NOT NULL,  -- ms since 1970-01-01 UTC
           player    TEXT NOT NULL,
           game      INTEGER NOT NULL,  -- 22 or 20 balls
           ticket    TEXT NOT NULL,     -- marked numbers, ascending
           spots     INTEGER NOT NULL,
           drawn     TEXT NOT NULL,     -- the main draw's 20 balls in draw order
           extra     TEXT NOT NULL,     -- extra balls bought, in draw order
           main_hits INTEGER NOT NULL,  -- hits among the 20
           hits      INTEGER NOT NULL,  -- final hits, paid on
           bet       INTEGER NOT NULL,
           extra_bet INTEGER NOT NULL,
           win       INTEGER NOT NULL,
           offer     INTEGER NOT NULL,  -- 0 none, 1 took the win, 2 bought the extra balls
           credit    INTEGER NOT NULL,  -- after the game
           PRIMARY KEY (slot, seq)
       ) WITHOUT ROWID;)",
};

std::string Reason(int code, const std::string& detail) {
    switch (code & 0xff) {
    case SQLITE_FULL: return "the disk is full";
    case SQLITE_READONLY:
    case SQLITE_PERM: return "the file cannot be written";
    case SQLITE_CANTOPEN: return "the file cannot be opened";
    case SQLITE_IOERR: return "the disk reported an error while writing";
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "another program is holding the file";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "the file is damaged";
    default: return detail.empty() ? std::string(sqlite3_errstr(code)) : detail;
    }
}

bool Damaged(int code) {
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
}

// Why the folder of the file cannot be made: a file standing where a folder should be is the
// usual case and worth naming.
std::string FolderReason(const fs::path& folder, const std::error_code& error) {
    fs::path existing = folder;
    std::error_code ignored;
    while (!existing.empty() && !fs::exists(existing, ignored) && existing != existing.parent_path()) {
        existing = existing.parent_path();
    }
    if (!existing.empty() && fs::exists(existing, ignored) && !fs::is_directory(existing, ignored)) {
        return "the folder " + folder.string() + " cannot be created because " + existing.string() + " is a file";
    }
    return "the folder " + folder.string() + " cannot be created (" + error.message() + ")";
}

}  // namespace


HistoryStore::HistoryStore(Options options) : options_(std::move(options)) {}

HistoryStore::~HistoryStore() = default;

std::string HistoryStore::DefaultPath() {
    fs::path data;
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home == '/') {
        data = fs::path(home) / ".local" / "share";
    } else {
        return {};
    }
    return (data / "plinx" / "keno22-history.sqlite").string();
}

bool HistoryStore::Available() { return Open(); }

bool HistoryStore::Open() {
    while (state_ == State::Closed) {
        if (OpenFile()) state_ = State::Open;
    }
    return state_ == State::Open;
}

// One attempt at opening. On failure the store is either off, or (a damaged file moved aside)
// closed again for a fresh attempt.
bool HistoryStore::OpenFile() {
    if (options_.path.empty()) {
        TurnOff("there is no home folder to keep it in");
        return false;
    }
    const fs::path folder = fs::path(options_.path).parent_path();
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        fs::create_directories(folder, error);
        if (std::error_code ignored; !fs::is_directory(folder, ignored)) {
            TurnOff(FolderReason(folder, error));
            return false;
        }
    }
    db_ = std::make_unique<Db>();
    const int rc = sqlite3_open_v2(options_.path.c_str(), &db_->handle,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::optional<SqlError> failure;
    if (rc != SQLITE_OK) {
        failure = db_->Error(rc);
    } else {
        sqlite3_busy_timeout(db_->handle, kBusyTimeoutMs);
        sqlite3_extended_result_codes(db_->handle, 1);
        failure = Migrate();
        if (!failure && state_ != State::Off) failure = Prepare();
    }
    if (state_ == State::Off) return false;
    if (failure) {
        Failed(failure->code, failure->text);
        return false;
    }
    return true;
}

auto HistoryStore::Migrate() -> std::optional<SqlError> {
    Db& db = *db_;
    std::int64_t value = 0, version = 0, appId = 0;
    // A file that is not ours, or is a newer version's, is left exactly as it is.
    if (auto e = db.PragmaValue("PRAGMA application_id", appId)) return e;
    if (auto e = db.PragmaValue("PRAGMA user_version", version)) return e;
    if (appId != 0 && appId != kApplicationId) {
        TurnOff("the file belongs to another program");
        return std::nullopt;
    }
    if (version > kSchemaVersion) {
        TurnOff("it was written by a newer version of the game");
        return std::nullopt;
    }
    // WAL: a commit appends to the log without waiting for the disk; NORMAL synchronisation
    // keeps the file sound through a crash of the program (a power cut may lose the last games).
    if (auto e = db.Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;")) return e;
    // Appends touch the last pages only and the screens read a few hundred rows: a small page
    // cache is enough, and keeps the program's memory from growing with the file up to SQLite's 2 MB.
    if (auto e = db.Exec("PRAGMA cache_size = -256;")) return e;
    if (options_.maxPageCount > 0) {
        const std::string limit = "PRAGMA max_page_count = " + std::to_string(options_.maxPageCount);
        if (auto e = db.PragmaValue(limit.c_str(), value)) return e;
    }
    if (version == kSchemaVersion) return std::nullopt;

    if (auto e = db.Exec("BEGIN IMMEDIATE")) return e;
    std::optional<SqlError> error;
    for (auto v = version; v < kSchemaVersion && !error; ++v) error = db.Exec(kMigrations[v]);
    if (!error) {
        const std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                  "; PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
        error = db.Exec(stamp.c_str());
    }
    if (!error) error = db.Exec("COMMIT");
    if (error) db.Exec("ROLLBACK");
    return error;
}

auto HistoryStore::Prepare() -> std::optional<SqlError> {
    Db& db = *db_;
    const std::pair<Db::Statement*, const char*> statements[] = {
        {&db.begin, "BEGIN IMMEDIATE"},
        {&db.commit, "COMMIT"},
        {&db.rollback, "ROLLBACK"},
        {&db.nextSeq, "SELECT COALESCE(MAX(seq), 0) + 1 FROM games WHERE slot = ?1"},
        {&db.insert, "INSERT INTO games (slot, seq, time, player, game, ticket, spots, drawn, extra, main_hits, hits,"
                     " bet, extra_bet, win, offer, credit)"
                     " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)"},
        {&db.prune, "DELETE FROM games WHERE slot = ?1 AND seq <= ?2"},
        {&db.last, "SELECT seq, time, player, game, ticket, drawn, extra, main_hits, hits, bet, extra_bet, win, offer,"
                   " credit FROM games WHERE slot = ?1 ORDER BY seq DESC LIMIT ?2"},
        {&db.credits, "SELECT credit FROM games WHERE slot = ?1 ORDER BY seq DESC LIMIT ?2"},
        {&db.hits, "SELECT spots, main_hits, COUNT(*) FROM games WHERE slot = ?1 GROUP BY spots, main_hits"},
        {&db.counts, "SELECT drawn, extra FROM games WHERE slot = ?1"},
        {&db.count, "SELECT COUNT(*) FROM games WHERE slot = ?1"},
        {&db.erase, "DELETE FROM games WHERE slot = ?1"},
    };
    for (const auto& [statement, sql] : statements) {
        if (auto e = db.Prepare(*statement, sql)) return e;
    }
    return std::nullopt;
}

bool HistoryStore::Failed(int code, const std::string& what) {
    if (Damaged(code) && !restarted_) {
        Close();
        restarted_ = true;
        if (MoveAside()) return true;
    }
    TurnOff(Reason(code, what));
    return false;
}

void HistoryStore::TurnOff(std::string reason) {
    Close();
    state_ = State::Off;
    problems_.push_back({HistoryProblem::Kind::Unavailable, options_.path, std::move(reason), {}});
}

void HistoryStore::Close() {
    db_.reset();
    if (state_ == State::Open) state_ = State::Closed;
}

// The damaged file keeps its log beside it under the new name, so SQLite's own recovery can
// still be run on the pair; the shared-memory index is rebuilt from the log and can go.
bool HistoryStore::MoveAside() {
    char stamp[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::error_code error;
    std::string moved = options_.path + ".damaged-" + stamp;
    for (int n = 2; fs::exists(moved, error); ++n) moved = options_.path + ".damaged-" + stamp + "-" + std::to_string(n);
    fs::rename(options_.path, moved, error);
    if (error) return false;
    for (const char* suffix : {"-wal", "-journal"}) {
        if (fs::exists(options_.path + suffix, error)) fs::rename(options_.path + suffix, moved + suffix, error);
    }
    fs::remove(options_.path + "-shm", error);
    problems_.push_back({HistoryProblem::Kind::Restarted, options_.path, "the file was damaged", moved});
    state_ = State::Closed;
    return true;
}

std::optional<HistoryProblem> HistoryStore::TakeProblem() {
    if (problems_.empty()) return std::nullopt;
    HistoryProblem first = std::move(problems_.front());
    problems_.erase(problems_.begin());
    return first;
}

bool HistoryStore::Append(const SettledGame& game, std::int64_t timeMs) {
    const std::string ticket = NumbersText(game.ticket), drawn = NumbersText(game.drawn),
                      extra = NumbersText(game.extra);
    const int mainHits = MainHits(game);
    const auto write = [&]() -> std::optional<SqlError> {
        Db& db = *db_;
        if (auto e = db.Run(db.begin)) return e;
        std::int64_t seq = 1;
        sqlite3_bind_int(db.nextSeq.stmt, 1, game.slot);
        auto error = db.Run(db.nextSeq, [&](sqlite3_stmt* s) { seq = sqlite3_column_int64(s, 0); });
        if (!error) {
            sqlite3_stmt* s = db.insert.stmt;
            sqlite3_bind_int(s, 1, game.slot);
            sqlite3_bind_int64(s, 2, seq);
            sqlite3_bind_int64(s, 3, timeMs);
            sqlite3_bind_text(s, 4, game.player.c_str(), static_cast<int>(game.player.size()), SQLITE_STATIC);
            sqlite3_bind_int(s, 5, game.game);
            sqlite3_bind_text(s, 6, ticket.c_str(), static_cast<int>(ticket.size()), SQLITE_STATIC);
            sqlite3_bind_int(s, 7, static_cast<int>(game.ticket.size()));
            sqlite3_bind_text(s, 8, drawn.c_str(), static_cast<int>(drawn.size()), SQLITE_STATIC);
            sqlite3_bind_text(s, 9, extra.c_str(), static_cast<int>(extra.size()), SQLITE_STATIC);
            sqlite3_bind_int(s, 10, mainHits);
            sqlite3_bind_int(s, 11, game.hits);
            sqlite3_bind_int(s, 12, game.bet);
            sqlite3_bind_int(s, 13, game.extraBet);
            sqlite3_bind_int(s, 14, game.win);
            sqlite3_bind_int(s, 15, static_cast<int>(game.offer));
            sqlite3_bind_int(s, 16, game.creditAfter);
            error = db.Run(db.insert);
        }
        // Games are numbered without gaps, so the ones past the bound are one range of numbers.
        if (!error && seq > options_.keepPerSlot) {
            sqlite3_bind_int(db.prune.stmt, 1, game.slot);
            sqlite3_bind_int64(db.prune.stmt, 2, seq - options_.keepPerSlot);
            error = db.Run(db.prune);
        }
        if (!error) error = db.Run(db.commit);
        if (error && !sqlite3_get_autocommit(db.handle)) db.Run(db.rollback);
        return error;
    };
    return Attempt(write);
}

}  // namespace keno
