#pragma once
#include "odds/KenoOdds.h"
#include "widgets/PictureScreen.h"

namespace keno {

class OddsSheetWidget;
struct OddsSheet;

// What the odds screen shows: the game it was opened from, the count of marked numbers and the bet.
struct OddsInput {
    OddsGame game = OddsGame::Keno22;
    int spots = 0;
    int bet = 1;
    bool operator==(const OddsInput&) const = default;
};

// The odds screen "odds": the exact chances of the ticket on the board (every ticket when too few
// numbers are marked) and a "Return to Game" button that closes it. Not modal; deleted when closed.
// The game window that opens it feeds it with SetInput whenever a square is marked or the bet
// changes, so it follows the board while it is open.
class OddsWindow : public PictureScreen {
    Q_OBJECT
public:
    explicit OddsWindow(const OddsInput& input = {}, QWidget* parent = nullptr);

    // Rebuilds and repaints the sheet when the input differs from what is shown.
    void SetInput(const OddsInput& input);
    const OddsInput& Input() const { return input_; }
    const OddsSheet& Sheet() const;
    OddsSheetWidget* SheetWidget() const { return sheet_; }

private:
    void Rebuild();

    OddsInput input_;
    OddsSheetWidget* sheet_;
};

}  // namespace keno
