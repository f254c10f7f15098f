#pragma once
#include <string>
#include <vector>

#include "odds/KenoOdds.h"

namespace keno {

// What the odds screen shows, as text and numbers, so the screen only paints it and tests read it
// back instead of pixels. For a playable ticket: one row per hit count and the ticket's figures;
// for fewer spots than the game plays: one row per spot count.
struct OddsSheet {
    enum class Ink { Plain, Pays, Offer };  // rows and bars: pays nothing, pays, opens the offer

    struct Row {
        std::vector<std::string> cells;  // one per column
        Ink ink = Ink::Plain;
    };
    struct Figure {
        std::string label;
        std::string value;
    };
    struct Bar {
        std::string label;
        long double value = 0;  // a chance, 0..1
        Ink ink = Ink::Plain;
    };

    OddsGame game = OddsGame::Keno22;
    int spots = 0;
    int bet = 1;
    bool everyTicket = false;          // the rows are spot counts, not hit counts
    std::string heading;               // "K E N O 22  ODDS"
    std::string subheading;            // "6 SPOTS  ·  BET 2"
    std::vector<std::string> columns;
    std::vector<Row> rows;
    std::vector<Figure> figures;
    std::string note;
    std::string barsTitle;
    std::vector<Bar> bars;

    // All of it, one line per heading, row and figure, for a screen reader.
    std::string Spoken() const;
};

// The sheet for a game, the count of marked numbers and the bet (taken as 1 outside 1..5).
OddsSheet BuildOddsSheet(OddsGame game, int spots, int bet);

}  // namespace keno
