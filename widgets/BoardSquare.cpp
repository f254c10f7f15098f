#include "widgets/BoardSquare.h"

#include "widgets/Accessibility.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/PaintKit.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace keno {

namespace {

// Pure 0000FF on black is barely legible, so the lit squares use a bright tube of the same hue.
struct LitInk {
    QColor core;
    QColor glow;
};

LitInk InkOnDark(SquareText text) {
    switch (text) {
    case SquareText::Blue: return {QColor(92, 132, 255), QColor(20, 50, 255)};
    case SquareText::OrangeRed: return {QColor(255, 96, 48), QColor(255, 30, 0)};
    case SquareText::Red: return {QColor(255, 70, 70), QColor(255, 0, 0)};
    }
    return {Qt::white, Qt::white};
}

QPainterPath Burst(QPointF centre, qreal outer, qreal inner, int points) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal angle = -M_PI / 2 + M_PI * i / points;
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const QPointF corner(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0) {
            path.moveTo(corner);
        } else {
            path.lineTo(corner);
        }
    }
    path.closeSubpath();
    return path;
}

void PaintMarkedRing(QPainter& painter, QPointF centre, qreal unit, bool lightGround) {
    QPainterPath circle;
    circle.addEllipse(centre, unit * 0.39, unit * 0.39);
    QPainterPathStroker stroker;
    stroker.setWidth(unit * 0.085);
    const QPainterPath ring = stroker.createStroke(circle);
    if (lightGround) {
        stroker.setWidth(unit * 0.15);
        painter.fillPath(stroker.createStroke(circle), QColor(110, 60, 0));
    } else {
        paint::DrawGlow(painter, ring, QColor(255, 190, 0, 230), unit * 0.14);
    }
    painter.fillPath(ring, QColor(255, 232, 80));
    stroker.setWidth(unit * 0.025);
    painter.fillPath(stroker.createStroke(circle), QColor(255, 252, 210));
}

void PaintHitBurst(QPainter& painter, QPointF centre, qreal unit) {
    const QPainterPath star = Burst(centre, unit * 0.50, unit * 0.34, 12);
    paint::DrawGlow(painter, star, QColor(255, 210, 0, 240), unit * 0.16);
    QRadialGradient fill(centre, unit * 0.50);
    fill.setColorAt(0.0, QColor(255, 255, 235));
    fill.setColorAt(0.45, QColor(255, 236, 110));
    fill.setColorAt(0.8, QColor(255, 190, 20));
    fill.setColorAt(1.0, QColor(255, 140, 0));
    painter.fillPath(star, fill);
    painter.setPen(QPen(QColor(150, 70, 0), std::max(0.6, unit * 0.02)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(star);
}

}  // namespace

BoardSquare::BoardSquare(int number, QWidget* parent) : QAbstractButton(parent), number_(number) {
    InstallKenoAccessibility();
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void BoardSquare::setNumber(int number) {
    if (number != number_) {
        number_ = number;
        update();
    }
}

void BoardSquare::setView(const SquareView& view) {
    if (view == view_) {
        return;
    }
    const bool wasMarked = isMarked();
    const QString oldStatus = drawStatus();
    view_ = view;
    update();
    if (wasMarked != isMarked()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    if (oldStatus != drawStatus()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

// A drawn number keeps its drawn ink until the board is repainted; a hit blinks between the hit
// picture and its drawn ink on the dark ground, where a drawn miss keeps its light ground.
bool BoardSquare::isDrawn() const {
    return view_.text != SquareText::Blue;
}

bool BoardSquare::isHit() const {
    if (view_.picture == SquarePicture::Hit) {
        return true;
    }
    const bool darkGround = view_.background == SquareBackground::Black ||
                            view_.background == SquareBackground::NearBlack;
    return isDrawn() && darkGround;
}

bool BoardSquare::isMarked() const {
    return view_.picture == SquarePicture::Marked || isHit();
}

QString BoardSquare::drawStatus() const {
    if (isHit()) {
        return QStringLiteral("hit");
    }
    return isDrawn() ? QStringLiteral("drawn") : QString();
}

QColor BoardSquare::backgroundColour(SquareBackground background) {
    switch (background) {
    case SquareBackground::Black: return QColor(0, 0, 0);
    case SquareBackground::NearBlack: return QColor(8, 8, 8);
    case SquareBackground::White: return QColor(255, 255, 255);
    case SquareBackground::LightGrey: return QColor(0xE0, 0xE0, 0xE0);
    }
    return Qt::black;
}

QColor BoardSquare::textColour(SquareText text) {
    switch (text) {
    case SquareText::Blue: return QColor(0, 0, 255);
    case SquareText::OrangeRed: return QColor(255, 15, 0);
    case SquareText::Red: return QColor(255, 0, 0);
    }
    return Qt::black;
}

QSize BoardSquare::sizeHint() const {
    return {49, 42};  // 735 x 630 twips
}

bool BoardSquare::event(QEvent* event) {
    if (HandleHoverAndSpace(*this, event)) return true;
    return QAbstractButton::event(event);
}

void BoardSquare::paintEvent(QPaintEvent*) {
    // Painted each time rather than kept as a picture: a square costs less to paint than a picture
    // of its own costs to make, and eighty of them, in every state, add up to a lot of memory.
    QPainter painter(this);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    paintFace(painter, size());
    painter.restore();

    if (isDown()) {
        painter.fillRect(rect(), QColor(0, 0, 0, 80));
    } else if (isEnabled() && underMouse()) {
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal corner = std::min(width(), height()) * 0.10;
        painter.setPen(QPen(QColor(0, 230, 255, 220), 1.5));
        painter.setBrush(QColor(0, 200, 255, 28));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), corner, corner);
    }
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal corner = std::min(width(), height()) * 0.12;
        const qreal pen = std::max(2.0, std::min(width(), height()) * 0.07);
        const QRectF ring = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0, 200), pen + 2));
        painter.drawRoundedRect(ring, corner, corner);
        painter.setPen(QPen(QColor(0, 235, 255), pen, Qt::DashLine));
        painter.drawRoundedRect(ring, corner, corner);
    }
}

void BoardSquare::paintFace(QPainter& painter, QSizeF size) const {
    const QRectF area(QPointF(0, 0), size);
    const qreal unit = std::min(size.width(), size.height());
    const QColor ground = backgroundColour(view_.background);
    const bool lightGround = ground.lightness() > 128;
    const qreal corner = unit * 0.10;
    QPainterPath shape;
    shape.addRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), corner, corner);

    painter.fillPath(shape, ground);
    QLinearGradient sheen(area.topLeft(), area.bottomLeft());
    if (lightGround) {
        sheen.setColorAt(0.0, QColor(255, 255, 255, 0));
        sheen.setColorAt(1.0, QColor(0, 0, 0, 40));
    } else {
        sheen.setColorAt(0.0, QColor(80, 110, 255, 46));
        sheen.setColorAt(0.5, QColor(80, 110, 255, 0));
    }
    painter.fillPath(shape, sheen);

    const QPointF centre = area.center();
    if (view_.picture == SquarePicture::Marked) {
        PaintMarkedRing(painter, centre, unit, lightGround);
    } else if (view_.picture == SquarePicture::Hit) {
        PaintHitBurst(painter, centre, unit);
    }

    // The same size for 1 and 80, so the board reads as one grid.
    const QFont font = paint::FitFont(paint::FaceFont(size.height() * 0.48), QStringLiteral("88"),
                                      size.width() * 0.74, size.height() * 0.48);
    const QString digits = QString::number(number_);
    const QPainterPath text = paint::TextPath(area, Qt::AlignCenter, digits, font);
    const bool onPicture = view_.picture == SquarePicture::Hit;
    if (onPicture) {
        QPainterPathStroker outline;
        outline.setWidth(unit * 0.09);
        outline.setJoinStyle(Qt::RoundJoin);
        painter.fillPath(outline.createStroke(text), QColor(40, 0, 0, 230));
    }
    if (lightGround || onPicture) {
        painter.fillPath(text, textColour(view_.text));
    } else {
        const LitInk ink = InkOnDark(view_.text);
        paint::DrawGlow(painter, text, ink.glow, unit * 0.12);
        painter.fillPath(text, ink.core);
    }

    const QColor rim = lightGround ? QColor(0, 0, 0, 110) : QColor(70, 100, 210, 170);
    painter.setPen(QPen(rim, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

}  // namespace keno
