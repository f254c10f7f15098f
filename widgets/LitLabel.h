#pragma once
#include <QColor>
#include <QLabel>

#include "widgets/PaintKit.h"

namespace keno {

// A line of lit text (pay-table rows, small legends): the label's text in a glowing colour, sized
// to the label's height. A QLabel, so text, alignment, hide and show work as usual; hiding it is
// how a row flashes.
class LitLabel : public QLabel {
    Q_OBJECT
public:
    explicit LitLabel(const QString& text = QString(), const QColor& colour = QColor(255, 214, 70),
                      QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);
    // Text height as a fraction of the label height.
    qreal textScale() const { return textScale_; }
    void setTextScale(qreal fraction);
    bool monospace() const { return monospace_; }
    void setMonospace(bool monospace);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    qreal textScale_ = 0.62;
    bool monospace_ = false;
    paint::PictureSlot picture_;  // its text follows the game: one picture, not one per reading
};

}  // namespace keno
