#pragma once
#include "core/ViewModel.h"

#include <QAbstractButton>
#include <QColor>

namespace keno {

// One of the 80 number squares: its background, its number in the text colour and, over the
// background, the marked ring or the hit burst, all as the window's SquareView says. A click
// (press and release over the square) emits clicked(); the window names it ("a_17") and sets
// its tooltip. With keyboard focus it draws a ring and Space clicks it.
class BoardSquare : public QAbstractButton {
    Q_OBJECT
public:
    explicit BoardSquare(int number, QWidget* parent = nullptr);

    int number() const { return number_; }
    void setNumber(int number);
    const SquareView& view() const { return view_; }
    void setView(const SquareView& view);

    // What the painting tells a player: one of their numbers (also while a hit blinks), a number
    // drawn in this game, a drawn one of theirs. drawStatus() says "hit", "drawn" or nothing.
    bool isMarked() const;
    bool isDrawn() const;
    bool isHit() const;
    QString drawStatus() const;

    // The exact colours of the design's square paintings.
    static QColor backgroundColour(SquareBackground background);
    static QColor textColour(SquareText text);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void paintFace(QPainter& painter, QSizeF size) const;

    int number_;
    SquareView view_{};
};

}  // namespace keno
