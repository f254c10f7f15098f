// The odds engine against figures worked out apart from it: tools/odds_reference.py, run once,
// counts draws with Python's exact fractions over its own copy of the printed pay tables; its
// output is pasted below. Figures quoted for the game elsewhere are checked too.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "odds/KenoOdds.h"
#include "odds/OddsSheet.h"
#include "odds/OddsText.h"

using namespace keno;

namespace {

constexpr long double kClose = 1e-13L;  // the reference prints 15 significant digits

struct TicketFigures {
    OddsGame game;
    int spots;
    long double returnTaking, returnBuying, anyWin, offerChance;
};

// tools/odds_reference.py: return (offers taken), return (extra balls always bought, net of the
// extra bets), chance of any win, chance of the offer.
const TicketFigures kTickets[] = {
    {OddsGame::Keno20, 3, 0.901898734177215L, 0.901898734177215L, 0.152629016553067L, 0},
    {OddsGame::Keno20, 4, 0.901898734177215L, 0.901898734177215L, 0.258946749453079L, 0},
    {OddsGame::Keno20, 5, 0.902562627246172L, 0.902562627246172L, 0.0966723150267454L, 0},
    {OddsGame::Keno20, 6, 0.902560730408832L, 0.902560730408832L, 0.161582088797279L, 0},
    {OddsGame::Keno20, 7, 0.90386959943922L, 0.90386959943922L, 0.236579192275395L, 0},
    {OddsGame::Keno20, 8, 0.903345853926745L, 0.903345853926745L, 0.10233780157484L, 0},
    {OddsGame::Keno20, 9, 0.903538288695216L, 0.903538288695216L, 0.153051215839494L, 0},
    {OddsGame::Keno20, 10, 0.902273814437973L, 0.902273814437973L, 0.211978774668141L, 0},
    {OddsGame::Keno22, 2, 0.901898734177215L, 0.901898734177215L, 0.060126582278481L, 0},
    {OddsGame::Keno22, 3, 0.901898734177215L, 0.901898734177215L, 0.152629016553067L, 0},
    {OddsGame::Keno22, 4, 0.902979931460944L, 0.91018791335247L, 0.258946749453079L, 0.0432478913491572L},
    {OddsGame::Keno22, 5, 0.900122029868865L, 0.916885329860013L, 0.367129705737301L, 0.0960273903311878L},
    {OddsGame::Keno22, 6, 0.900690448791715L, 0.914175824175824L, 0.161582088797279L, 0.0316335563171006L},
    {OddsGame::Keno22, 7, 0.901884379732481L, 0.908651208524626L, 0.236579192275395L, 0.061561548270409L},
    {OddsGame::Keno22, 8, 0.900919471007905L, 0.909888379772201L, 0.10233780157484L, 0.0208297544174083L},
    {OddsGame::Keno22, 9, 0.906432832980431L, 0.914405749748216L, 0.153051215839494L, 0.0389453094672446L},
    {OddsGame::Keno22, 10, 0.906493213181095L, 0.925478834940146L, 0.211978774668141L, 0.0646597653846278L},
};

struct OfferFigures {
    int spots, hits;
    long double none, one, two;  // chance of 0, 1, 2 new hits
    long double buyPerCoin;      // average final win per coin of bet, minus the extra bet
    int takePerCoin;
};

// tools/odds_reference.py, the extra balls counted as pairs of the 60 numbers not shown.
const OfferFigures kOffers[] = {
    {4, 3, 0.966666666666667L, 0.0333333333333333L, 0, 8.16666666666667L, 8},
    {5, 3, 0.933898305084746L, 0.0655367231638418L, 0.000564971751412429L, 4.14689265536723L, 4},
    {5, 4, 0.966666666666667L, 0.0333333333333333L, 0, 21.3666666666667L, 21},
    {6, 4, 0.933898305084746L, 0.0655367231638418L, 0.000564971751412429L, 14.071186440678L, 14},
    {6, 5, 0.966666666666667L, 0.0333333333333333L, 0, 32.7L, 29},
    {7, 4, 0.901694915254237L, 0.0966101694915254L, 0.00169491525423729L, 10.0067796610169L, 10},
    {7, 5, 0.933898305084746L, 0.0655367231638418L, 0.000564971751412429L, 20.0757062146893L, 20},
    {7, 6, 0.966666666666667L, 0.0333333333333333L, 0, 41.8666666666667L, 34},
    {8, 5, 0.901694915254237L, 0.0966101694915254L, 0.00169491525423729L, 22.064406779661L, 22},
    {8, 6, 0.933898305084746L, 0.0655367231638418L, 0.000564971751412429L, 34.4101694915254L, 32},
    {8, 7, 0.966666666666667L, 0.0333333333333333L, 0, 93, 80},
    {9, 5, 0.870056497175141L, 0.126553672316384L, 0.00338983050847458L, 10.0700564971751L, 10},
    {9, 6, 0.901694915254237L, 0.0966101694915254L, 0.00169491525423729L, 18.0084745762712L, 18},
    {9, 7, 0.933898305084746L, 0.0655367231638418L, 0.000564971751412429L, 32.1813559322034L, 27},
    {9, 8, 0.966666666666667L, 0.0333333333333333L, 0, 179, 100},
    {10, 5, 0.838983050847458L, 0.155367231638418L, 0.00564971751412429L, 10.1723163841808L, 10},
    {10, 6, 0.870056497175141L, 0.126553672316384L, 0.00338983050847458L, 17.0564971751412L, 17},
    {10, 7, 0.901694915254237L, 0.0966101694915254L, 0.00169491525423729L, 25.6271186440678L, 25},
    {10, 8, 0.933898305084746L, 0.0655367231638418L, 0.000564971751412429L, 78.5423728813559L, 30},
    {10, 9, 0.966666666666667L, 0.0333333333333333L, 0, 1009, 700},
};

// Within the reference's printed digits of `scale` (the largest figure the expectation came from).
void ExpectRelative(long double actual, long double expected, const char* what, long double scale = 0) {
    const long double tolerance = kClose * std::max({1.0L, std::fabs(expected), std::fabs(scale)});
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected), static_cast<double>(tolerance)) << what;
}

}  // namespace

TEST(OddsEngine, TicketFiguresMatchTheReferenceAtEveryBet) {
    for (const TicketFigures& t : kTickets) {
        for (int bet = 1; bet <= 5; ++bet) {
            SCOPED_TRACE(testing::Message() << (t.game == OddsGame::Keno22 ? "22" : "20") << "-ball, "
                                            << t.spots << " spots, bet " << bet);
            const auto odds = KenoOdds::Ticket(t.game, t.spots, bet);
            ASSERT_TRUE(odds);
            ExpectRelative(odds->returnTaking, t.returnTaking, "return");
            ExpectRelative(odds->returnBuying, t.returnBuying, "return buying");
            ExpectRelative(odds->anyWin, t.anyWin, "any win");
            ExpectRelative(odds->offerChance, t.offerChance, "offer");

            // Every draw is counted once, and the shares make up the whole return.
            ASSERT_EQ(odds->rows.size(), static_cast<std::size_t>(t.spots + 1));
            std::uint64_t draws = 0;
            long double shares = 0, parts = 0;
            for (const HitOdds& row : odds->rows) {
                draws += row.ways;
                shares += row.share;
                parts += row.returnPart;
                EXPECT_EQ(row.pay, row.multiplier * bet);
            }
            EXPECT_EQ(draws, KenoOdds::kAllDraws);
            ExpectRelative(shares, 1, "shares");
            ExpectRelative(parts, t.returnTaking, "parts");
        }
    }
}

// Figures quoted for the game (1 in 8,911,711.18, 90.227 %, 90.19 %, the hit and extra-ball laws),
// in the words the screen uses.
TEST(OddsEngine, QuotedFigures) {
    const auto ten = KenoOdds::Ticket(OddsGame::Keno20, 10, 1);
    EXPECT_NEAR(static_cast<double>(1 / ten->rows[10].probability), 8911711.18, 0.005);
    EXPECT_EQ(OneInText(ten->rows[10].probability), "1 in 8,911,711");
    EXPECT_EQ(PercentText(ten->rows[10].probability), "0.0000112 %");
    EXPECT_NEAR(static_cast<double>(ten->returnTaking), 0.90227, 0.000005);
    EXPECT_NEAR(static_cast<double>(KenoOdds::Ticket(OddsGame::Keno20, 3, 1)->returnTaking), 0.90190, 0.000005);
    EXPECT_EQ(PercentText(KenoOdds::Ticket(OddsGame::Keno22, 2, 4)->returnTaking), "90.19 %");

    EXPECT_NEAR(static_cast<double>(ten->rows[5].probability), 0.051428, 5e-7);
    EXPECT_NEAR(static_cast<double>(ten->rows[0].probability), 0.045791, 5e-7);
    EXPECT_NEAR(static_cast<double>(KenoOdds::Ticket(OddsGame::Keno22, 4, 1)->rows[4].probability), 0.0030634, 5e-8);

    const auto eight = KenoOdds::ExtraBalls(8, 5, 1);
    EXPECT_NEAR(static_cast<double>(eight->outcomes[0].probability), 0.9017, 5e-5);
    EXPECT_NEAR(static_cast<double>(eight->outcomes[1].probability), 0.0966, 5e-5);
    EXPECT_NEAR(static_cast<double>(eight->outcomes[2].probability), 0.0017, 5e-5);
}

TEST(OddsEngine, EveryOfferValuedAsTheReferenceAtEveryBet) {
    int offers = 0;
    for (const OfferFigures& o : kOffers) {
        for (int bet = 1; bet <= 5; ++bet) {
            SCOPED_TRACE(testing::Message() << o.spots << " spots " << o.hits << " hits, bet " << bet);
            const auto odds = KenoOdds::ExtraBalls(o.spots, o.hits, bet);
            ASSERT_TRUE(odds);
            EXPECT_EQ(odds->takeNow, o.takePerCoin * bet);
            ASSERT_EQ(odds->outcomes.size(), 3u);
            const long double chances[] = {o.none, o.one, o.two};
            int pairs = 0;
            for (int j = 0; j < 3; ++j) {
                const ExtraBallOutcome& outcome = odds->outcomes[static_cast<std::size_t>(j)];
                EXPECT_EQ(outcome.newHits, j);
                ExpectRelative(outcome.probability, chances[j], "chance");
                EXPECT_EQ(outcome.possible(), chances[j] > 0);
                pairs += outcome.pairs;
            }
            EXPECT_EQ(pairs, KenoOdds::kExtraPairs);
            // No new hit leaves the offered win; a new hit never pays less.
            EXPECT_EQ(odds->outcomes[0].win, odds->takeNow);
            EXPECT_GT(odds->outcomes[1].win, odds->takeNow);
            ExpectRelative(odds->buyAverage, o.buyPerCoin * bet, "buying");
            ExpectRelative(odds->advantage, (o.buyPerCoin - o.takePerCoin) * bet, "advantage", o.buyPerCoin * bet);
        }
        ++offers;
    }
    // Every offer entry of the schedule is in the table above.
    int entries = 0;
    for (int spots = 2; spots <= 10; ++spots)
        for (int hits = 0; hits <= spots; ++hits) entries += KenoOdds::ExtraBalls(spots, hits, 1).has_value();
    EXPECT_EQ(entries, offers);
}

TEST(OddsEngine, RefusesWhatNoGameCanAsk) {
    struct Ask {
        OddsGame game;
        int spots, bet;
    };
    for (const Ask& a : {Ask{OddsGame::Keno22, 1, 1}, Ask{OddsGame::Keno20, 2, 1}, Ask{OddsGame::Keno22, 11, 1},
                         Ask{OddsGame::Keno20, 0, 1}, Ask{OddsGame::Keno22, 5, 0}, Ask{OddsGame::Keno20, 5, 6},
                         Ask{OddsGame::Keno22, -3, 2}})
        EXPECT_FALSE(KenoOdds::Ticket(a.game, a.spots, a.bet)) << a.spots << " spots, bet " << a.bet;
    // A full catch, a plain win, no win, and an offer at a bet the machine never takes.
    for (const auto& [spots, hits, bet] : {std::tuple{4, 4, 1}, {10, 10, 1}, {10, 4, 1}, {6, 3, 1}, {8, 3, 1},
                                           {2, 2, 1}, {4, 3, 0}, {4, 3, 6}, {11, 9, 1}, {4, -1, 1}})
        EXPECT_FALSE(KenoOdds::ExtraBalls(spots, hits, bet)) << spots << '/' << hits << " bet " << bet;
}

TEST(OddsText, Formats) {
    struct Case {
        std::string actual, expected;
    };
    const Case cases[] = {
        {GroupedDigits(0), "0"},
        {GroupedDigits(999), "999"},
        {GroupedDigits(1000), "1,000"},
        {GroupedDigits(3535316142212174320ull), "3,535,316,142,212,174,320"},
        {OneInText(1 / 8911711.18L), "1 in 8,911,711"},
        {OneInText(0.060126582278481L), "1 in 16.6"},
        {OneInText(0.5617L), "1 in 1.78"},
        {OneInText(1), "1 in 1.00"},
        {OneInText(1 / 99.96L), "1 in 100"},   // not "100.0"
        {OneInText(1 / 9.999L), "1 in 10.0"},  // not "10.00"
        {OneInText(0), "never"},
        {PercentText(0.90189873L), "90.19 %"},
        {PercentText(1), "100.00 %"},
        {PercentText(0.1122L), "11.22 %"},
        {PercentText(0.0099999L), "1.00 %"},
        {PercentText(0.00999L), "0.999 %"},
        {PercentText(0.000999996L), "0.100 %"},
        {PercentText(1.12212E-7L), "0.0000112 %"},
        {PercentText(0), "0 %"},
        {CoinsText(1.44L, true), "+1.4"},
        {CoinsText(1.44L), "1.4"},
        {CoinsText(0.0068L, true), "+0.01"},
        {CoinsText(-0.6L), "-0.6"},
        {CoinsText(-0.001L, true), "0"},
        {CoinsText(537.0L), "537"},
        {CoinsText(0.999L), "1"},
        {CoinsText(12345.67L), "12345.7"},
        {AdviceText(1.4L), "Buying is worth +1.4 coins on average"},
        {AdviceText(0.0068L), "Buying is worth +0.01 coins on average"},
        {AdviceText(-0.6L), "Taking the win is better by 0.6 coins on average"},
        {AdviceText(-12.04L), "Taking the win is better by 12 coins on average"},
        {AdviceText(0.004L), "Buying and taking are worth the same on average"},
        {AdviceText(-0.004L), "Buying and taking are worth the same on average"},
        {AdviceText(0), "Buying and taking are worth the same on average"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(OddsText, SpokenAdviceNamesEveryOutcome) {
    EXPECT_EQ(SpokenAdvice(*KenoOdds::ExtraBalls(4, 3, 2)),
              "Extra balls cost 2 coins. No new hit: 96.67 %, pays 16. 1 new hit: 3.33 %, pays 86. "
              "2 new hits: cannot happen. Buying: 16.3 coins on average after the extra bet. Taking now: 16 coins. "
              "Buying is worth +0.33 coins on average.");
    EXPECT_EQ(SpokenAdvice(*KenoOdds::ExtraBalls(8, 6, 1)),
              "Extra balls cost 1 coin. No new hit: 93.39 %, pays 32. 1 new hit: 6.55 %, pays 80. "
              "2 new hits: 0.0565 %, pays 500. Buying: 34.4 coins on average after the extra bet. "
              "Taking now: 32 coins. Buying is worth +2.4 coins on average.");
}

// The line as the offer stands: it sends the player to nothing they cannot do now. A short credit
// cannot buy (the press is refused and takes TAKE WIN away); once TAKE WIN is gone only buying is.
TEST(OddsText, AdviceNeverPointsToWhatCannotBeDone) {
    const ExtraBallOdds buy = *KenoOdds::ExtraBalls(4, 3, 2);  // buying +0.33
    ExtraBallOdds take = buy, tie = buy;
    take.advantage = -0.6L;
    tie.advantage = 0.004L;
    struct Case {
        const ExtraBallOdds* odds;
        OfferStanding standing;
        const char* line;
    };
    const Case cases[] = {
        {&buy, {true, true}, "Buying is worth +0.33 coins on average"},
        {&buy, {true, false}, "Buying is better, but it needs 2 coins of credit"},
        {&take, {true, false}, "Taking the win is better by 0.6 coins on average"},
        {&tie, {true, false}, "Buying and taking are worth the same on average"},
        {&buy, {false, false}, "Only buying is left: insert coins, then buy"},
        {&take, {false, true}, "Only buying is left now"},
    };
    for (const Case& c : cases) EXPECT_EQ(OfferAdviceText(*c.odds, c.standing), c.line);
    const ExtraBallOdds one = *KenoOdds::ExtraBalls(8, 6, 1);
    EXPECT_EQ(OfferAdviceText(one, {true, false}), "Buying is better, but it needs 1 coin of credit");
    EXPECT_EQ(SpokenAdvice(buy, {false, false}),
              "Extra balls cost 2 coins. No new hit: 96.67 %, pays 16. 1 new hit: 3.33 %, pays 86. "
              "2 new hits: cannot happen. Buying: 16.3 coins on average after the extra bet. "
              "Take win is no longer open. Only buying is left: insert coins, then buy.");
}

TEST(OddsSheet, TicketRowsAndEveryTicket) {
    const OddsSheet four = BuildOddsSheet(OddsGame::Keno22, 4, 2);
    EXPECT_FALSE(four.everyTicket);
    EXPECT_EQ(four.subheading, "4 SPOTS  \u00b7  BET 2");
    ASSERT_EQ(four.rows.size(), 5u);
    EXPECT_EQ(four.rows[3].cells, (std::vector<std::string>{"3", "(16)", "4.32 %", "1 in 23.1", "38.32 %"}));
    EXPECT_EQ(four.rows[3].ink, OddsSheet::Ink::Offer);
    EXPECT_EQ(four.rows[1].cells[1], "");
    EXPECT_EQ(four.rows[1].ink, OddsSheet::Ink::Plain);
    EXPECT_EQ(four.rows[4].cells[1], "86");
    EXPECT_EQ(four.bars.size(), 5u);
    ASSERT_EQ(four.figures.size(), 4u);
    EXPECT_EQ(four.figures[0].value, "90.30 %");
    EXPECT_EQ(four.figures[1].value, "91.02 %");
    EXPECT_EQ(four.figures[3].value, "4.32 %  (1 in 23.1)");

    const OddsSheet ten20 = BuildOddsSheet(OddsGame::Keno20, 10, 5);
    EXPECT_EQ(ten20.rows[10].cells, (std::vector<std::string>{"10", "50000", "0.0000112 %", "1 in 8,911,711",
                                                               "0.124 %"}));
    EXPECT_EQ(ten20.figures.front().value, "90.23 %");

    // Too few spots for a ticket: every spot count the game plays, at the bet.
    for (const auto& [game, spots, rows] : {std::tuple{OddsGame::Keno22, 0, 9}, {OddsGame::Keno22, 1, 9},
                                            {OddsGame::Keno20, 2, 8}, {OddsGame::Keno20, 0, 8}}) {
        const OddsSheet every = BuildOddsSheet(game, spots, 3);
        EXPECT_TRUE(every.everyTicket);
        ASSERT_EQ(every.rows.size(), static_cast<std::size_t>(rows));
        EXPECT_EQ(every.rows.back().cells[1], "30000");
        EXPECT_EQ(every.rows.front().cells[0], game == OddsGame::Keno22 ? "2" : "3");
        EXPECT_EQ(every.rows.front().cells.size(), every.columns.size());
    }
    EXPECT_EQ(BuildOddsSheet(OddsGame::Keno22, 0, 0).bet, 1);
}
