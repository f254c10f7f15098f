#pragma once
// The store's SQLite connection and what its two source files share. Not for other users.
#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "history/HistoryStore.h"

namespace keno {

namespace historydb {

// A game's numbers are kept as blank-separated text so that the file reads plainly in any
// SQLite tool.
inline std::string NumbersText(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        if (!text.empty()) text += ' ';
        text += std::to_string(n);
    }
    return text;
}

// Numbers 1..80 of a stored list; anything else in it (a hand edit) is skipped.
template <typename Each>
void ForEachNumber(const unsigned char* text, int bytes, Each each) {
    if (!text) return;
    const char* at = reinterpret_cast<const char*>(text);
    const char* end = at + bytes;
    while (at < end) {
        int n = 0;
        const auto [next, error] = std::from_chars(at, end, n);
        if (error == std::errc() && n >= 1 && n <= 80) each(n);
        at = next == at ? at + 1 : next;
    }
}

inline std::vector<int> NumbersFrom(const unsigned char* text, int bytes) {
    std::vector<int> numbers;
    ForEachNumber(text, bytes, [&](int n) { numbers.push_back(n); });
    return numbers;
}

inline int MainHits(const SettledGame& game) {
    int hits = 0;
    for (int n : game.drawn) hits += static_cast<int>(std::count(game.ticket.begin(), game.ticket.end(), n));
    return hits;
}

}  // namespace historydb

// The connection and its statements, prepared once.
struct HistoryStore::Db {
    sqlite3* handle = nullptr;

    struct Statement {
        sqlite3_stmt* stmt = nullptr;
        ~Statement() { sqlite3_finalize(stmt); }
    };
    Statement begin, commit, rollback, nextSeq, insert, prune, last, credits, hits, counts, count, erase;

    ~Db() {
        // Statements first: a connection with statements left open does not close.
        for (Statement* s : {&begin, &commit, &rollback, &nextSeq, &insert, &prune, &last, &credits, &hits, &counts,
                             &count, &erase}) {
            sqlite3_finalize(s->stmt);
            s->stmt = nullptr;
        }
        sqlite3_close(handle);
    }

    SqlError Error(int code) const { return {code, handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code)}; }

    std::optional<SqlError> Exec(const char* sql) {
        const int rc = sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) return Error(rc);
        return std::nullopt;
    }

    std::optional<SqlError> Prepare(Statement& s, const char* sql) {
        const int rc = sqlite3_prepare_v3(handle, sql, -1, SQLITE_PREPARE_PERSISTENT, &s.stmt, nullptr);
        if (rc != SQLITE_OK) return Error(rc);
        return std::nullopt;
    }

    // Runs a statement to its end, handing each row to `row`; the statement is reset afterwards.
    std::optional<SqlError> Run(Statement& s, const std::function<void(sqlite3_stmt*)>& row = {}) {
        int rc;
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
            if (row) row(s.stmt);
        }
        sqlite3_reset(s.stmt);
        sqlite3_clear_bindings(s.stmt);
        if (rc != SQLITE_DONE) return Error(rc);
        return std::nullopt;
    }

    // The integer a one-value pragma answers.
    std::optional<SqlError> PragmaValue(const char* sql, std::int64_t& value) {
        Statement s;
        if (auto e = Prepare(s, sql)) return e;
        return Run(s, [&](sqlite3_stmt* st) { value = sqlite3_column_int64(st, 0); });
    }
};

template <typename Work>
inline bool HistoryStore::Attempt(Work work) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Open()) return false;
        const std::optional<SqlError> error = work();
        if (!error) return true;
        if (!Failed(error->code, error->text)) return false;
    }
    return false;
}

}  // namespace keno
