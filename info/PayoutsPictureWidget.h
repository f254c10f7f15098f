#pragma once
#include <QColor>
#include <QWidget>

#include "info/PayoutsPicture.h"
#include "widgets/PaintKit.h"

namespace keno {

// The pay-schedule picture (Picture1): painted from its drawing model at the screen's pixel
// ratio, scaled to the widget keeping 408:250, on a dark surround.
class PayoutsPictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PayoutsPictureWidget(QWidget* parent = nullptr);

    const PayoutsPicture& Picture() const { return picture_; }
    static QColor InkColour(Ink ink);
    // Where the ink of a square's amount lies, in picture pixels (empty for a square without one).
    QRectF AmountInk(const PayoutCell& cell) const;
    // Where the 408 x 250 picture lands in the widget at its current size.
    QRectF PictureRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPicture(QPainter& painter) const;

    PayoutsPicture picture_;
    // Its own picture, not the shared cache's: a resize drag would leave one large picture per
    // size there, and the window takes its picture with it when it closes.
    paint::PictureSlot shown_;
};

}  // namespace keno
