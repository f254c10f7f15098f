#pragma once
#include <QColor>
#include <QWidget>

namespace keno {

// The colour of a drawn ball by its decade: 1-10 red, 11-20 mauve, 21-30 green, 31-40 blue,
// 41-50 grey, 51-60 yellow, 61-70 light green, 71-80 green. Numbers outside 1..80 get grey.
QColor BallColourFor(int number);

// A shaded ball of the rack: a sphere in the colour of its decade with a white disc that carries
// the number. Transparent around the sphere, so it can fly over the cabinet.
class BallWidget : public QWidget {
    Q_OBJECT
public:
    explicit BallWidget(int number = 0, QWidget* parent = nullptr);

    int number() const { return number_; }
    void setNumber(int number);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int number_;
};

}  // namespace keno
