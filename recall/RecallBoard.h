#pragma once
#include <QWidget>

#include "recall/RecallReplay.h"

namespace keno {

// The read-only board of the recall screen: the 80 numbers with the ticket, the drawn numbers, the
// hits and the extra balls as the replay has them so far; the balls in the order they fell; the
// hits and, at the end, the result. Painted on a fixed canvas that scales with the widget. It takes
// no clicks: nothing on it can be played.
class RecallBoard : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 760;
    static constexpr int kHeight = 236;

    explicit RecallBoard(QWidget* parent = nullptr);

    // The replay it shows (owned by the screen); null shows an empty board with a hint.
    void SetReplay(const RecallReplay* replay);
    // Repaints after the replay moved on; keeps the accessible description in step.
    void Changed();

    QSize sizeHint() const override { return {kWidth, kHeight}; }
    QSize minimumSizeHint() const override { return {kWidth / 2, kHeight / 2}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintBoard(QPainter& p) const;
    void PaintBalls(QPainter& p) const;
    void PaintResult(QPainter& p) const;

    const RecallReplay* replay_ = nullptr;
};

}  // namespace keno
