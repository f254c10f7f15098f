#pragma once
#include <QObject>
#include <QPointer>

#include <functional>

class QTimer;
class QWidget;

namespace keno {

class ImageButton;

// A press whose work waits for its press effect: the picture leaves its socket for 100 ms and the
// work runs when it is back. Whatever would otherwise overtake it (PLAY, a game switch, the
// options, a second press) finishes it first, so a press the player saw always takes effect, in
// the order it was made. Shared by both game windows; the timer is the window's "pressdelay".
class PendingPress : public QObject {
    Q_OBJECT
public:
    static constexpr int kPressMs = 100;

    explicit PendingPress(QWidget& window);

    // Finishes an earlier press, then hides button's picture and arms work for kPressMs.
    void Start(ImageButton* button, std::function<void()> work);
    // Runs the waiting work now, with the picture back; false when nothing was waiting.
    bool Finish();
    bool Waiting() const;

private:
    QTimer* timer_;
    QPointer<ImageButton> button_;
    std::function<void()> work_;
};

}  // namespace keno
