#include "odds/OddsSheet.h"

#include "odds/OddsText.h"

namespace keno {

namespace {

const char* const kDot = "  \u00b7  ";

std::string GameTitle(OddsGame game) { return game == OddsGame::Keno22 ? "K E N O 22" : "K E N O"; }

std::string ChanceAndOdds(long double p) {
    return p > 0 ? PercentText(p) + "  (" + OneInText(p) + ")" : "never";
}

OddsSheet::Ink InkOf(const HitOdds& row) {
    if (row.offer) return OddsSheet::Ink::Offer;
    return row.multiplier > 0 ? OddsSheet::Ink::Pays : OddsSheet::Ink::Plain;
}

// Offer entries stand in parentheses, as on the pay schedule.
std::string PayCell(const HitOdds& row) {
    if (row.multiplier == 0) return "";
    return row.offer ? "(" + std::to_string(row.pay) + ")" : std::to_string(row.pay);
}

void FillTicket(OddsSheet& sheet, const TicketOdds& odds) {
    const bool keno22 = odds.game == OddsGame::Keno22;
    sheet.subheading = std::to_string(odds.spots) + " SPOTS" + kDot + "BET " + std::to_string(odds.bet);
    sheet.columns = {"HITS", "PAYS", "CHANCE", "ODDS", "SHARE OF RETURN"};
    sheet.barsTitle = "CHANCE OF EACH HIT COUNT";
    for (const HitOdds& row : odds.rows) {
        sheet.rows.push_back({{std::to_string(row.hits), PayCell(row), PercentText(row.probability),
                               OneInText(row.probability), row.multiplier > 0 ? PercentText(row.share) : ""},
                              InkOf(row)});
        sheet.bars.push_back({std::to_string(row.hits), row.probability, InkOf(row)});
    }
    if (!keno22) {
        sheet.figures.push_back({"Return to player", PercentText(odds.returnTaking)});
        sheet.figures.push_back({"Chance of any win", ChanceAndOdds(odds.anyWin)});
        sheet.note = "Pays are for a bet of " + std::to_string(odds.bet) + "; the return is the same at every bet.";
        return;
    }
    sheet.figures.push_back({"Return, always taking the win", PercentText(odds.returnTaking)});
    sheet.figures.push_back({"Return, always buying extra balls", PercentText(odds.returnBuying)});
    sheet.figures.push_back({"Chance of any win", ChanceAndOdds(odds.anyWin)});
    sheet.figures.push_back({"Extra-ball offer opens", ChanceAndOdds(odds.offerChance)});
    sheet.note = odds.offerChance > 0
                     ? "Pays in ( ) open the extra-ball offer. Buying costs one more bet, taken off the return."
                     : "No hit count of this ticket opens the extra-ball offer.";
}

void FillEveryTicket(OddsSheet& sheet, OddsGame game, int bet) {
    const bool keno22 = game == OddsGame::Keno22;
    const int first = KenoOdds::MinSpots(game), last = KenoOdds::MaxSpots(game);
    sheet.everyTicket = true;
    sheet.subheading = "EVERY TICKET" + std::string(kDot) + "BET " + std::to_string(bet);
    sheet.columns = {"SPOTS", "TOP PRIZE", "TOP PRIZE ODDS", "ANY WIN"};
    if (keno22) {
        sheet.columns.push_back("RETURN TAKING");
        sheet.columns.push_back("RETURN BUYING");
    } else {
        sheet.columns.push_back("RETURN");
    }
    sheet.barsTitle = "CHANCE OF ANY WIN";
    for (int spots = first; spots <= last; ++spots) {
        const auto odds = KenoOdds::Ticket(game, spots, bet);
        if (!odds) continue;
        const HitOdds& top = odds->rows.back();
        OddsSheet::Row row{{std::to_string(spots), std::to_string(top.pay), OneInText(top.probability),
                            PercentText(odds->anyWin), PercentText(odds->returnTaking)},
                           OddsSheet::Ink::Pays};
        if (keno22) row.cells.push_back(PercentText(odds->returnBuying));
        sheet.rows.push_back(row);
        sheet.bars.push_back({std::to_string(spots), odds->anyWin, OddsSheet::Ink::Pays});
    }
    sheet.note = "Mark " + std::to_string(first) + " to " + std::to_string(last) +
                 " numbers to see every hit count of your ticket.";
}

}  // namespace

std::string OddsSheet::Spoken() const {
    std::string text = heading + ". " + subheading + ".\n";
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.cells.size() && i < columns.size(); ++i) {
            if (row.cells[i].empty()) continue;
            line += (line.empty() ? "" : ", ") + columns[i] + " " + row.cells[i];
        }
        text += line + ".\n";
    }
    for (const Figure& figure : figures) text += figure.label + ": " + figure.value + ".\n";
    return text + note;
}

OddsSheet BuildOddsSheet(OddsGame game, int spots, int bet) {
    if (bet < 1 || bet > KenoOdds::kMaxBet) bet = 1;
    OddsSheet sheet;
    sheet.game = game;
    sheet.spots = spots;
    sheet.bet = bet;
    sheet.heading = GameTitle(game) + "  ODDS";
    if (const auto odds = KenoOdds::Ticket(game, spots, bet)) FillTicket(sheet, *odds);
    else FillEveryTicket(sheet, game, bet);
    return sheet;
}

}  // namespace keno
