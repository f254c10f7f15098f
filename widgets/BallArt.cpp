#include "widgets/BallArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "widgets/PaintKit.h"

namespace keno {

void PaintGlossyBall(QPainter& painter, const QRectF& box, const QColor& colour, const QString& label,
                     qreal discFraction) {
    const qreal radius = std::min(box.width(), box.height()) / 2 - 0.5;
    if (radius <= 1) return;
    const QPointF centre = box.center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient body(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.5);
    body.setColorAt(0.0, paint::Mix(colour, Qt::white, 0.6));
    body.setColorAt(0.32, colour);
    body.setColorAt(0.78, paint::Mix(colour, Qt::black, 0.5));
    body.setColorAt(1.0, paint::Mix(colour, Qt::black, 0.8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);

    // Reflected light along the lower rim gives the sphere its volume.
    QRadialGradient rim(centre + QPointF(radius * 0.1, radius * 0.95), radius * 0.8);
    rim.setColorAt(0.0, paint::WithAlpha(paint::Mix(colour, Qt::white, 0.45), 150));
    rim.setColorAt(1.0, paint::WithAlpha(colour, 0));
    painter.setBrush(rim);
    painter.drawEllipse(centre, radius, radius);

    const qreal disc = radius * discFraction;
    QRadialGradient paper(centre + QPointF(-disc * 0.3, -disc * 0.35), disc * 1.5);
    paper.setColorAt(0.0, Qt::white);
    paper.setColorAt(1.0, QColor(208, 210, 218));
    painter.setBrush(paper);
    painter.setPen(QPen(QColor(0, 0, 0, 110), std::max(0.5, radius * 0.035)));
    painter.drawEllipse(centre, disc, disc);

    if (!label.isEmpty()) {
        const QRectF discBox(centre.x() - disc, centre.y() - disc, 2 * disc, 2 * disc);
        const QFont font = paint::FitFont(paint::FaceFont(disc * 1.1), label, disc * 1.66, disc * 1.1);
        painter.fillPath(paint::TextPath(discBox, Qt::AlignCenter, label, font), QColor(10, 10, 16));
    }

    const QPointF shineCentre = centre + QPointF(-radius * 0.36, -radius * 0.52);
    QRadialGradient shine(shineCentre, radius * 0.42);
    shine.setColorAt(0.0, QColor(255, 255, 255, 230));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(shineCentre, radius * 0.44, radius * 0.3);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 150), std::max(0.5, radius * 0.03)));
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

}  // namespace keno
