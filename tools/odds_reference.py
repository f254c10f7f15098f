#!/usr/bin/env python3
"""Reference figures for the odds tests, worked out with exact fractions from the printed pay tables.

Run once by hand; the odds tests carry its output as their expected values. It shares nothing with
the C++ engine: the tables are typed here again and the sums are written the long way round
(counting draws, not using any formula of the engine).
"""
from fractions import Fraction
from math import comb

# Multipliers per (spots, hits); True marks an entry that opens the extra-ball offer.
KENO22 = {
    2: {2: 15},
    3: {2: 2, 3: 45},
    4: {2: 2, 3: (8, True), 4: 43},
    5: {2: 1, 3: (4, True), 4: (21, True), 5: 62},
    6: {3: 3, 4: (14, True), 5: (29, True), 6: 170},
    7: {3: 1, 4: (10, True), 5: (20, True), 6: (34, True), 7: 300},
    8: {4: 5, 5: (22, True), 6: (32, True), 7: (80, True), 8: 500},
    9: {4: 4, 5: (10, True), 6: (18, True), 7: (27, True), 8: (100, True), 9: 2500},
    10: {4: 1, 5: (10, True), 6: (17, True), 7: (25, True), 8: (30, True), 9: (700, True), 10: 10000},
}
KENO20 = {
    3: {2: 2, 3: 45},
    4: {2: 2, 3: 5, 4: 85},
    5: {3: 5, 4: 25, 5: 280},
    6: {3: 3, 4: 8, 5: 42, 6: 1200},
    7: {3: 2, 4: 5, 5: 16, 6: 128, 7: 2500},
    8: {4: 4, 5: 15, 6: 75, 7: 510, 8: 10000},
    9: {4: 2, 5: 10, 6: 30, 7: 200, 8: 1600, 9: 10000},
    10: {4: 2, 5: 5, 6: 15, 7: 70, 8: 340, 9: 3000, 10: 10000},
}


def pay(table, spots, hits):
    e = table.get(spots, {}).get(hits)
    if e is None:
        return 0, False
    return (e[0], e[1]) if isinstance(e, tuple) else (e, False)


def p_hits(spots, hits):
    # Ways to draw 20 of 80 that contain exactly `hits` of the ticket, over all draws.
    return Fraction(comb(spots, hits) * comb(80 - spots, 20 - hits), comb(80, 20))


def p_extra(unhit, new):
    # Two more balls from the 60 not drawn; count the unordered pairs directly.
    pairs = [(a, b) for a in range(60) for b in range(a + 1, 60)]
    good = sum(1 for a, b in pairs if (a < unhit) + (b < unhit) == new)
    return Fraction(good, len(pairs))


def rtp(table, spots):
    return sum(p_hits(spots, h) * pay(table, spots, h)[0] for h in range(spots + 1))


def buy_value(spots, hits):
    """Expected final multiplier after buying, minus the extra bet (per coin of bet)."""
    unhit = spots - hits
    return sum(p_extra(unhit, j) * pay(KENO22, spots, hits + j)[0] for j in range(3)) - 1


def rtp_buying(spots):
    total = Fraction(0)
    for h in range(spots + 1):
        m, offer = pay(KENO22, spots, h)
        total += p_hits(spots, h) * (buy_value(spots, h) if offer else m)
    return total


def any_win(table, spots):
    return sum(p_hits(spots, h) for h in range(spots + 1) if pay(table, spots, h)[0] > 0)


def f(x, digits=15):
    return f"{float(x):.{digits}g}"


print("20-ball: spots, return, any win")
for s in KENO20:
    print(s, f(rtp(KENO20, s)), f(any_win(KENO20, s)))
print("22-ball: spots, return taking, return buying (net of extra bets), any win, offer chance")
for s in KENO22:
    offer = sum(p_hits(s, h) for h in range(s + 1) if pay(KENO22, s, h)[1])
    print(s, f(rtp(KENO22, s)), f(rtp_buying(s)), f(any_win(KENO22, s)), f(offer))
print("offers: spots hits -> p(0,1,2 new), buy value per coin net of extra bet, take per coin")
for s in KENO22:
    for h in range(s + 1):
        m, offer = pay(KENO22, s, h)
        if offer:
            ps = [p_extra(s - h, j) for j in range(3)]
            print(s, h, [f(p) for p in ps], f(buy_value(s, h)), m)
print("1 in N, 20 balls 10/10:", f(1 / p_hits(10, 10)))
print("p(5|10)", f(p_hits(10, 5)), "p(0|10)", f(p_hits(10, 0)), "p(4|4)", f(p_hits(4, 4)))
