#pragma once
#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace keno {

// A glossy keno ball in box: a shaded sphere in colour with a white disc carrying label.
// discFraction is the disc's share of the ball's radius; small icons want a larger disc so the
// digits stay legible.
void PaintGlossyBall(QPainter& painter, const QRectF& box, const QColor& colour, const QString& label,
                     qreal discFraction = 0.58);

}  // namespace keno
