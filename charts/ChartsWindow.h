#pragma once
#include "widgets/PictureScreen.h"

namespace keno {

class ChartsPicture;
class GameHistory;

// "Charts": the charts of one player's history with a "Return to Game" button. The history is
// read on its own thread (up to a third of a second on a full slot); meanwhile the screen says
// so and the game plays on. Not modal; deleted when closed.
class ChartsWindow : public PictureScreen {
    Q_OBJECT
public:
    ChartsWindow(GameHistory& history, QWidget* parent = nullptr);

    // Asks the history for the slot's charts; the picture shows "Reading the history..." until
    // they come. A later Load wins over an earlier one still on its way.
    void Load(int slot, const QString& player);
    bool Loading() const;
    ChartsPicture* Picture() const { return picture_; }

private:
    GameHistory& history_;
    ChartsPicture* picture_;
    int asked_ = 0;  // the number of the last question asked
};

}  // namespace keno
