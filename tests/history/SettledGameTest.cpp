// Every game the engines settle is reported once, with what was charged, drawn and paid:
// the 22-ball game with and without the offer, the 20-ball game, and games settled at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "keno20/Keno20PaySchedule.h"
#include "keno22/Keno22PaySchedule.h"
#include "tests/keno20/GameFixture.h"
#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

struct Recorder final : GameRecorder {
    std::vector<SettledGame> games;
    std::function<void(const SettledGame&)> check;
    void GameSettled(const SettledGame& game) override {
        if (check) check(game);
        games.push_back(game);
    }
};

const std::vector<int> kFour{1, 2, 3, 4};

enum class Reply { None, TakeWin, Buy };

SettledGame Expected(int game, std::vector<int> ticket, const std::vector<int>& draw, int hits, int bet, int extraBet,
                     int win, OfferChoice offer, int credit) {
    SettledGame g;
    g.slot = 3;
    g.player = "Ann";
    g.game = game;
    std::sort(ticket.begin(), ticket.end());
    g.ticket = ticket;
    g.drawn.assign(draw.begin(), draw.begin() + 20);
    if (offer == OfferChoice::Bought) g.extra.assign(draw.begin() + 20, draw.end());
    g.hits = hits;
    g.bet = bet;
    g.extraBet = extraBet;
    g.win = win;
    g.offer = offer;
    g.creditAfter = credit;
    return g;
}

TEST(SettledGame, The22BallGameIsReportedOnceAsItSettles) {
    struct Case {
        const char* name;
        std::vector<int> ticket, mainHits, extras;
        int bank, bet;
        Reply reply;
        int hits, charged, extraBet, win, credit;
    };
    const Case cases[] = {
        {"2 of 2 pays at once", {8, 7}, {8, 7}, {}, 100, 3, Reply::None, 2, 3, 0, 45, 142},
        {"2 on 6 has no entry", {6, 5, 4, 3, 2, 1}, {2, 5}, {}, 50, 1, Reply::None, 2, 1, 0, 0, 49},
        {"bet reduced to the credit", kFour, {}, {}, 3, 5, Reply::None, 0, 3, 0, 0, 0},
        {"offer, win taken", kFour, {1, 2, 3}, {}, 100, 2, Reply::TakeWin, 3, 2, 0, 16, 114},
        {"offer, extra balls, no new hit", kFour, {1, 2, 3}, {60, 61}, 100, 2, Reply::Buy, 3, 2, 2, 16, 112},
        {"offer, extra balls, one new hit", kFour, {1, 2, 3}, {50, 4}, 100, 2, Reply::Buy, 4, 2, 2, 86, 182},
        {"offer taken on the last coins", kFour, {1, 2, 3}, {}, 2, 2, Reply::TakeWin, 3, 2, 0, 16, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        Recorder recorder;
        rig.game.SetRecorder(&recorder);
        rig.state.playerslot = "3";
        rig.state.currentplayer = "Ann";
        rig.Deal(c.ticket, c.mainHits, c.bank, c.bet, c.extras);
        const std::vector<int> draw = DrawOf(c.mainHits, c.ticket, c.extras);
        rig.Play();
        EXPECT_EQ(recorder.games.size(), c.reply == Reply::None ? 1u : 0u) << "an open offer is not settled";
        if (c.reply == Reply::TakeWin) rig.TakeWin();
        if (c.reply == Reply::Buy) rig.BuyExtraBalls();
        // Nothing after the settling reports the game again.
        rig.game.TakeWin();
        rig.game.BuyExtraBalls();
        rig.Run();
        for (int i = 0; i < 6; ++i) rig.game.FlashTick(), rig.game.OfferTick();
        const OfferChoice offer = c.reply == Reply::TakeWin ? OfferChoice::TookWin
                                  : c.reply == Reply::Buy   ? OfferChoice::Bought
                                                            : OfferChoice::None;
        ASSERT_EQ(recorder.games.size(), 1u);
        EXPECT_EQ(recorder.games[0],
                  Expected(22, c.ticket, draw, c.hits, c.charged, c.extraBet, c.win, offer, c.credit));
        EXPECT_EQ(recorder.games[0].creditAfter, rig.state.bank);
    }
}

TEST(SettledGame, ARefusedPurchaseIsNotAGameAndTheBoughtOneIsReportedOnce) {
    Rig rig;
    Recorder recorder;
    rig.game.SetRecorder(&recorder);
    rig.Deal(kFour, {1, 2, 3}, 2, 2, {4, 70});
    rig.Play();  // the bet takes the last two coins; the offer opens
    rig.BuyExtraBalls();
    ASSERT_EQ(rig.messenger.shown.size(), 1u);
    EXPECT_TRUE(recorder.games.empty());
    rig.board.InsertCoins();
    rig.BuyExtraBalls();
    ASSERT_EQ(recorder.games.size(), 1u);
    const SettledGame& g = recorder.games[0];
    EXPECT_EQ(g.offer, OfferChoice::Bought);
    EXPECT_EQ(g.extra, (std::vector<int>{4, 70}));
    EXPECT_EQ(g.bet + g.extraBet, 4);
    EXPECT_EQ(g.win, 86);
    EXPECT_EQ(g.creditAfter, 20 - 2 + 86);
}

TEST(SettledGame, RefusedPressesAreNotGames) {
    Rig rig;
    Recorder recorder;
    rig.game.SetRecorder(&recorder);
    rig.Deal(kFour, {}, 0, 2);
    rig.Play();  // no credit
    Machine20 m;
    m.game.SetRecorder(&recorder);
    m.Mark({5, 6});
    m.RunPaced();  // too few numbers
    m.state.bank = 0;
    m.Mark({5, 6, 7});
    m.RunPaced();  // no credit
    EXPECT_TRUE(recorder.games.empty());
}

// The shut-down path: a running draw finished at once, an open offer taken as TAKE WIN would.
TEST(SettledGame, AGameSettledAtOnceIsReportedLikeOnePlayedOut) {
    struct Case {
        const char* name;
        std::vector<int> mainHits, extras;
        Reply reply;
        int stepsBeforeQuit;
        OfferChoice offer;
    };
    const Case cases[] = {
        {"mid-draw, no offer", {1, 2}, {}, Reply::None, 40, OfferChoice::None},
        {"mid-draw, the offer opens and is taken", {1, 2, 3}, {}, Reply::None, 40, OfferChoice::TookWin},
        {"offer open", {1, 2, 3}, {}, Reply::None, 100000, OfferChoice::TookWin},
        {"mid-way through the extra balls", {1, 2, 3}, {4, 77}, Reply::Buy, 5, OfferChoice::Bought},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig played, quit;
        Recorder fullRecord, quitRecord;
        played.game.SetRecorder(&fullRecord);
        quit.game.SetRecorder(&quitRecord);
        for (Rig* rig : {&played, &quit}) rig->Deal(kFour, c.mainHits, 100, 1, c.extras);

        played.Play();
        if (c.offer == OfferChoice::TookWin) played.TakeWin();
        if (c.offer == OfferChoice::Bought) played.BuyExtraBalls();

        quit.game.Play();
        if (c.reply == Reply::Buy) {
            quit.Run();
            quit.game.BuyExtraBalls();
        }
        for (int i = 0; i < c.stepsBeforeQuit && quit.game.Advance(); ++i) {
        }
        // What the window does for the shut-down.
        if (quit.game.Running()) quit.game.SettleNow();
        if (quit.game.OfferOpen()) {
            quit.game.TakeWin();
            quit.game.SettleNow();
        }
        ASSERT_EQ(quitRecord.games.size(), 1u);
        ASSERT_EQ(fullRecord.games.size(), 1u);
        EXPECT_EQ(quitRecord.games[0], fullRecord.games[0]);
        EXPECT_EQ(quitRecord.games[0].offer, c.offer);
    }
}

TEST(SettledGame, The20BallGameIsReportedOnce) {
    struct Case {
        const char* name;
        std::vector<int> ticket, first;
        int bank, bet, hits, charged, win, credit;
        int stepsBeforeQuit;  // < 0: played out
    };
    const Case cases[] = {
        {"3 spots, 2 hits", {9, 3, 40}, {3, 40}, 100, 1, 2, 1, 2, 101, -1},
        {"no win", {3, 4, 5, 6}, {}, 100, 5, 0, 5, 0, 95, -1},
        {"bet reduced to the credit", {3, 4, 5}, {3, 4}, 3, 5, 2, 3, 6, 6, -1},
        {"settled at once mid-draw", {3, 4, 5}, {3, 4}, 100, 2, 2, 2, 4, 102, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Machine20 m;
        Recorder recorder;
        m.game.SetRecorder(&recorder);
        m.state.playerslot = "3";
        m.state.currentplayer = "Ann";
        m.Mark(c.ticket);
        m.state.bank = c.bank;
        m.state.coinsbet = static_cast<std::int16_t>(c.bet);
        const std::vector<int> draw = DrawOf(c.first, c.ticket, {}, 20);
        m.random.Force(draw);
        if (c.stepsBeforeQuit < 0) {
            m.RunPaced();
        } else {
            m.game.Play();
            for (int i = 0; i < c.stepsBeforeQuit; ++i) m.game.Advance();
            EXPECT_TRUE(recorder.games.empty());
            m.game.SettleNow();
        }
        m.game.SettleNow();
        m.game.FlashTick();
        ASSERT_EQ(recorder.games.size(), 1u);
        EXPECT_EQ(recorder.games[0], Expected(20, c.ticket, draw, c.hits, c.charged, 0, c.win, OfferChoice::None, c.credit));
    }
}

// A seeded player over both games: every report agrees with the draw, the pay schedule and the
// credit meter, and the reports account for every coin that moved.
TEST(SettledGame, ReportsAccountForEveryCoinOfAMixedSession) {
    std::mt19937 player(1818);
    Rig rig(4242);
    Machine20 m(2424);
    Recorder recorder;
    rig.game.SetRecorder(&recorder);
    m.game.SetRecorder(&recorder);
    MachineState* state = &rig.state;
    recorder.check = [&](const SettledGame& g) {
        EXPECT_EQ(g.creditAfter, state->bank);
        std::vector<int> seen = g.drawn;
        seen.insert(seen.end(), g.extra.begin(), g.extra.end());
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(g.drawn.size(), 20u);
        EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "a number drawn twice";
        int hits = 0;
        for (int n : g.ticket) hits += std::binary_search(seen.begin(), seen.end(), n);
        EXPECT_EQ(g.hits, hits);
        const int spots = static_cast<int>(g.ticket.size());
        const std::int32_t pays = g.game == 22 ? Keno22PaySchedule::Win(spots, hits, static_cast<std::int16_t>(g.bet))
                                               : Keno20PaySchedule::Lookup(spots, hits).value_or(Keno20Pay{}).multiplier * g.bet;
        EXPECT_EQ(g.win, pays);
    };
    std::int64_t inserted = 0, charged = 0, paid = 0;
    const std::int32_t start22 = rig.state.bank = 30, start20 = m.state.bank = 30;
    for (int game = 0; game < 400; ++game) {
        const bool twenty = player() % 3 == 0;
        MachineState& s = twenty ? m.state : rig.state;
        state = &s;
        if (s.bank < 10) {
            (twenty ? m.board : rig.board).InsertCoins();
            inserted += 20;
        }
        clsKenoBoard& board = twenty ? m.board : rig.board;
        board.EraseBoard();
        const int spots = static_cast<int>(player() % 8) + 3;
        std::vector<int> ticket;
        while (static_cast<int>(ticket.size()) < spots) {
            const int n = static_cast<int>(player() % 80) + 1;
            if (!Contains(ticket, n)) ticket.push_back(n);
        }
        s.coinsbet = static_cast<std::int16_t>(player() % 5 + 1);
        for (int n : ticket) board.MarkSquare(n);
        const std::size_t before = recorder.games.size();
        if (twenty) {
            m.RunPaced();
        } else {
            rig.Play();
            if (rig.game.OfferOpen()) (player() % 2 ? rig.TakeWin() : rig.BuyExtraBalls());
            if (rig.game.OfferOpen()) {  // a refused purchase: coins, and buy again
                rig.board.InsertCoins();
                inserted += 20;
                rig.BuyExtraBalls();
            }
        }
        ASSERT_EQ(recorder.games.size(), before + 1) << "game " << game;
    }
    for (const SettledGame& g : recorder.games) {
        charged += g.bet + g.extraBet;
        paid += g.win;
    }
    EXPECT_EQ(rig.state.bank + m.state.bank, start22 + start20 + inserted - charged + paid);
}

}  // namespace
