#pragma once
#include <QWidget>

namespace keno {

class PayoutsPictureWidget;
class ImageButton;

// The pay-schedule window "payouts": the 22-ball schedule as a picture (Picture1) and a
// "Return to Game" button (SSCommand1) that closes it. Not modal; deleted when closed.
class PayoutsWindow : public QWidget {
    Q_OBJECT
public:
    explicit PayoutsWindow(QWidget* parent = nullptr);

    PayoutsPictureWidget* Picture() const { return picture_; }

private:
    // Load: to the screen's top-left corner unless minimised or maximised.
    void PlaceAtScreenCorner();

    PayoutsPictureWidget* picture_;
    ImageButton* returnToGame_;
};

}  // namespace keno
