#pragma once
#include <QAbstractButton>
#include <QColor>

namespace keno {

// A lit arcade button with a caption ("COINS", "PLAY", ...): glowing in its colour when enabled,
// dim grey without glow when disabled, brighter under the mouse, sunk while pressed.
// Signals (from QAbstractButton): pressed() on mouse press, released() on release, clicked() on a
// press and release over it. Tab gives it focus (a ring is drawn); Space, Enter or Return press
// and click it like the mouse.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(const QString& caption = QString(), const QColor& colour = QColor(230, 40, 40),
                         QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

    // The second picture of a flashing button: the same button lit white-hot.
    bool flashAlternate() const { return flashAlternate_; }
    void setFlashAlternate(bool alternate);

    // The press effect: the button's picture leaves its socket while the widget stays in place,
    // so it still receives the release of a press that began on it (a hidden widget would not).
    bool imageHidden() const { return imageHidden_; }
    void setImageHidden(bool hidden);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    enum class Look { Disabled, Lit, Hover, Down };

    Look currentLook() const;
    void paintButton(QPainter& painter, QSizeF size, Look look) const;
    void paintCaption(QPainter& painter, const QRectF& body, Look look) const;

    QColor colour_;
    bool flashAlternate_ = false;
    bool imageHidden_ = false;
};

}  // namespace keno
