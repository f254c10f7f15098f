// The queries the screens ask of the history.
#include <sqlite3.h>

#include <algorithm>

#include "history/HistoryDb.h"
#include "history/HistoryStore.h"

namespace keno {

using historydb::ForEachNumber;
using historydb::NumbersFrom;

std::int64_t HitCounts::Played(int spots) const {
    std::int64_t played = 0;
    if (spots < 0 || spots > 10) return 0;
    for (std::int64_t n : games[static_cast<std::size_t>(spots)]) played += n;
    return played;
}

std::vector<GameRecord> HistoryStore::LastGames(int slot, int count) {
    std::vector<GameRecord> games;
    Attempt([&]() -> std::optional<SqlError> {
        games.clear();
        sqlite3_bind_int(db_->last.stmt, 1, slot);
        sqlite3_bind_int(db_->last.stmt, 2, std::max(count, 0));
        return db_->Run(db_->last, [&](sqlite3_stmt* s) {
            GameRecord r;
            r.seq = sqlite3_column_int64(s, 0);
            r.timeMs = sqlite3_column_int64(s, 1);
            r.game.slot = slot;
            const unsigned char* player = sqlite3_column_text(s, 2);
            r.game.player.assign(player ? reinterpret_cast<const char*>(player) : "",
                                 static_cast<std::size_t>(sqlite3_column_bytes(s, 2)));
            r.game.game = sqlite3_column_int(s, 3);
            r.game.ticket = NumbersFrom(sqlite3_column_text(s, 4), sqlite3_column_bytes(s, 4));
            r.game.drawn = NumbersFrom(sqlite3_column_text(s, 5), sqlite3_column_bytes(s, 5));
            r.game.extra = NumbersFrom(sqlite3_column_text(s, 6), sqlite3_column_bytes(s, 6));
            r.mainHits = sqlite3_column_int(s, 7);
            r.game.hits = sqlite3_column_int(s, 8);
            r.game.bet = sqlite3_column_int(s, 9);
            r.game.extraBet = sqlite3_column_int(s, 10);
            r.game.win = sqlite3_column_int(s, 11);
            const int offer = sqlite3_column_int(s, 12);
            r.game.offer = offer == 1 ? OfferChoice::TookWin : offer == 2 ? OfferChoice::Bought : OfferChoice::None;
            r.game.creditAfter = sqlite3_column_int(s, 13);
            games.push_back(std::move(r));
        });
    });
    return games;
}

std::vector<std::int32_t> HistoryStore::CreditSeries(int slot, int count) {
    std::vector<std::int32_t> credits;
    Attempt([&]() -> std::optional<SqlError> {
        credits.clear();
        sqlite3_bind_int(db_->credits.stmt, 1, slot);
        sqlite3_bind_int(db_->credits.stmt, 2, std::max(count, 0));
        return db_->Run(db_->credits, [&](sqlite3_stmt* s) { credits.push_back(sqlite3_column_int(s, 0)); });
    });
    std::reverse(credits.begin(), credits.end());
    return credits;
}

HitCounts HistoryStore::HitsBySpots(int slot) {
    HitCounts counts;
    Attempt([&]() -> std::optional<SqlError> {
        counts = {};
        sqlite3_bind_int(db_->hits.stmt, 1, slot);
        return db_->Run(db_->hits, [&](sqlite3_stmt* s) {
            const int spots = sqlite3_column_int(s, 0), hits = sqlite3_column_int(s, 1);
            if (spots < 0 || spots > 10 || hits < 0 || hits > spots) return;
            counts.games[static_cast<std::size_t>(spots)][static_cast<std::size_t>(hits)] += sqlite3_column_int64(s, 2);
        });
    });
    return counts;
}

NumberCounts HistoryStore::DrawCounts(int slot) {
    NumberCounts counts;
    Attempt([&]() -> std::optional<SqlError> {
        counts = {};
        sqlite3_bind_int(db_->counts.stmt, 1, slot);
        return db_->Run(db_->counts, [&](sqlite3_stmt* s) {
            ++counts.games;
            ForEachNumber(sqlite3_column_text(s, 0), sqlite3_column_bytes(s, 0), [&](int n) { ++counts.main[n]; });
            ForEachNumber(sqlite3_column_text(s, 1), sqlite3_column_bytes(s, 1), [&](int n) { ++counts.extra[n]; });
        });
    });
    return counts;
}

std::int64_t HistoryStore::GameCount(int slot) {
    std::int64_t count = 0;
    Attempt([&]() -> std::optional<SqlError> {
        sqlite3_bind_int(db_->count.stmt, 1, slot);
        return db_->Run(db_->count, [&](sqlite3_stmt* s) { count = sqlite3_column_int64(s, 0); });
    });
    return count;
}

bool HistoryStore::DeleteSlot(int slot) {
    return Attempt([&]() -> std::optional<SqlError> {
        sqlite3_bind_int(db_->erase.stmt, 1, slot);
        return db_->Run(db_->erase);
    });
}
}  // namespace keno
