#pragma once
#include <QColor>
#include <QLabel>

#include "widgets/PaintKit.h"

namespace keno {

// A lit numeric meter (CREDIT, BET, SPOTS, HITS, WIN): glowing monospace digits behind dark glass,
// over the faint unlit "8"s of an LED panel, with a caption above or below. It is a QLabel, so
// the window sets its text like any label's (an empty text leaves the glass dark).
class MeterLabel : public QLabel {
    Q_OBJECT
public:
    enum class CaptionPlacement { Above, Below, None };

    explicit MeterLabel(const QString& caption = QString(), QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    CaptionPlacement captionPlacement() const { return placement_; }
    void setCaptionPlacement(CaptionPlacement placement);
    QColor digitColour() const { return digitColour_; }
    void setDigitColour(const QColor& colour);
    QColor captionColour() const { return captionColour_; }
    void setCaptionColour(const QColor& colour);
    // How many unlit cells the glass shows behind the digits (0 for none).
    int cells() const { return cells_; }
    void setCells(int cells);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintMeter(QPainter& painter, QSizeF size) const;

    QString caption_;
    CaptionPlacement placement_ = CaptionPlacement::Above;
    QColor digitColour_{255, 40, 30};
    QColor captionColour_{255, 206, 60};
    int cells_ = 5;
    paint::PictureSlot picture_;  // its text follows the game: one picture, not one per reading
};

}  // namespace keno
