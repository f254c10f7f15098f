#pragma once
#include <QColor>
#include <QFont>
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
    // A line that may be too long for its place (a window caption with the player's name): it keeps
    // its height and ends in "..." where it would not fit, and the whole text is the tooltip and the
    // accessible name. Without it a long text is made smaller until it fits.
    void setElidedText(const QString& text);
    bool elides() const { return elide_; }
    // The text as painted at the label's current size.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont PaintFont(const QString& value) const;

    QColor colour_;
    qreal textScale_ = 0.62;
    bool monospace_ = false;
    bool elide_ = false;
    paint::PictureSlot picture_;  // its text follows the game: one picture, not one per reading
};

}  // namespace keno
