// The replay of a recorded game: the balls fall in their order with the game's own rhythm, the
// board marks the ticket, the draw, the hits and the extra balls as they come, and the hits
// counted on the way end at the hits the game was paid on.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "recall/RecallReplay.h"

namespace keno {
namespace {

using Square = RecallReplay::Square;

std::vector<int> Draw(std::vector<int> first) {
    for (int n = 80; first.size() < 20; --n)
        if (std::find(first.begin(), first.end(), n) == first.end()) first.push_back(n);
    return first;
}

GameRecord Record(int game, std::vector<int> ticket, std::vector<int> drawn, std::vector<int> extra, int hits,
                  int win, OfferChoice offer) {
    GameRecord r;
    r.seq = 7;
    r.game = SettledGame{1, "Ann", game, std::move(ticket), std::move(drawn), std::move(extra), hits, 2,
                         offer == OfferChoice::Bought ? 2 : 0, win, offer, 100};
    return r;
}

TEST(RecallReplay, BallsFallInOrderAndTheBoardFollows) {
    struct Case {
        const char* name;
        GameRecord record;
        std::vector<int> hitsAfterEachBall;  // after balls 1, 3, 20 and the last
    };
    const Case cases[] = {
        {"20 balls", Record(20, {3, 4, 5}, Draw({3, 9, 4}), {}, 2, 2, OfferChoice::None), {1, 2, 2, 2}},
        {"22 balls, no offer", Record(22, {5, 17}, Draw({44, 5, 17}), {}, 2, 30, OfferChoice::None), {0, 2, 2, 2}},
        {"offer, win taken", Record(22, {10, 20, 30, 40}, Draw({10, 20, 30}), {}, 3, 16, OfferChoice::TookWin),
         {1, 3, 3, 3}},
        {"extra balls bought", Record(22, {10, 20, 30, 40}, Draw({10, 20, 30}), {41, 40}, 4, 86, OfferChoice::Bought),
         {1, 3, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecallReplay replay(c.record);
        const SettledGame& g = c.record.game;
        const std::size_t balls = g.drawn.size() + g.extra.size();
        ASSERT_EQ(replay.Balls().size(), balls);
        // Before the first ball only the ticket shows.
        for (int n = 1; n <= 80; ++n) {
            const bool marked = std::count(g.ticket.begin(), g.ticket.end(), n) > 0;
            EXPECT_EQ(replay.SquareAt(n), marked ? Square::Marked : Square::Plain) << n;
        }
        Steps steps = replay.Run();
        std::vector<int> pauses;
        std::map<std::size_t, int> hitsAt;
        while (auto pause = steps.Resume()) {
            pauses.push_back(*pause);
            const std::size_t shown = replay.Shown();
            hitsAt[shown] = replay.HitsSoFar();
            // The newest ball is on the board, the next one not yet.
            if (shown > 0) {
                EXPECT_NE(replay.SquareAt(replay.Balls()[shown - 1]), Square::Plain);
            }
            if (shown < balls) {
                const int next = replay.Balls()[shown];
                const bool marked = std::count(g.ticket.begin(), g.ticket.end(), next) > 0;
                EXPECT_EQ(replay.SquareAt(next), marked ? Square::Marked : Square::Plain);
            }
            EXPECT_FALSE(replay.Finished());
        }
        EXPECT_TRUE(replay.Finished());
        EXPECT_EQ((std::vector<int>{hitsAt[1], hitsAt[3], hitsAt[20], hitsAt[balls]}), c.hitsAfterEachBall);
        EXPECT_EQ(replay.HitsSoFar(), g.hits);
        // A lead-in, then one pause a ball: the extra balls rest longer, as in the game.
        ASSERT_EQ(pauses.size(), balls + 1);
        EXPECT_EQ(pauses.front(), RecallReplay::kLeadInMs);
        for (std::size_t i = 1; i < pauses.size(); ++i)
            EXPECT_EQ(pauses[i], i > g.drawn.size() ? RecallReplay::kExtraBallMs : RecallReplay::kBallMs) << i;
        // At the end every square says what it was in the game.
        for (int n = 1; n <= 80; ++n) {
            const bool marked = std::count(g.ticket.begin(), g.ticket.end(), n) > 0;
            const bool main = std::count(g.drawn.begin(), g.drawn.end(), n) > 0;
            const bool extra = std::count(g.extra.begin(), g.extra.end(), n) > 0;
            const Square expected = extra  ? (marked ? Square::ExtraHit : Square::ExtraDrawn)
                                    : main ? (marked ? Square::Hit : Square::Drawn)
                                    : marked ? Square::Marked
                                             : Square::Plain;
            EXPECT_EQ(replay.SquareAt(n), expected) << n;
        }
        RecallReplay atOnce(c.record);
        atOnce.ShowAll();
        EXPECT_TRUE(atOnce.Finished());
        EXPECT_EQ(atOnce.HitsSoFar(), g.hits);
    }
}

TEST(RecallReplay, TheListsTexts) {
    const GameRecord bought = Record(22, {10, 20, 30, 40}, Draw({}), {41, 40}, 4, 86, OfferChoice::Bought);
    const GameRecord taken = Record(22, {10, 20, 30, 40}, Draw({}), {}, 3, 16, OfferChoice::TookWin);
    const GameRecord twenty = Record(20, {3, 4, 5}, Draw({}), {}, 0, 0, OfferChoice::None);
    EXPECT_EQ(recalltext::GameName(22), "K E N O 22");
    EXPECT_EQ(recalltext::GameName(20), "K E N O");
    EXPECT_EQ(recalltext::Ticket(bought.game.ticket), "10 20 30 40");
    EXPECT_EQ(recalltext::Hits(bought.game), "4 of 4");
    EXPECT_EQ(recalltext::Bet(bought.game), "2 + 2");
    EXPECT_EQ(recalltext::Bet(taken.game), "2");
    EXPECT_EQ(recalltext::Result(bought.game), "4 of 4 hit, extra balls bought for 2: WIN 86");
    EXPECT_EQ(recalltext::Result(taken.game), "3 of 4 hit, the win taken at the offer: WIN 16");
    EXPECT_EQ(recalltext::Result(twenty.game), "0 of 3 hit: NO WIN");
}

}  // namespace
}  // namespace keno
