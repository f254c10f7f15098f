#include "widgets/MeterLabel.h"

#include "widgets/Accessibility.h"
#include "widgets/PaintKit.h"

#include <QAccessible>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace keno {

MeterLabel::MeterLabel(const QString& caption, QWidget* parent) : QLabel(parent), caption_(caption) {
    InstallKenoAccessibility();
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void MeterLabel::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        update();
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void MeterLabel::setCaptionPlacement(CaptionPlacement placement) {
    if (placement != placement_) {
        placement_ = placement;
        update();
    }
}

void MeterLabel::setDigitColour(const QColor& colour) {
    if (colour != digitColour_) {
        digitColour_ = colour;
        update();
    }
}

void MeterLabel::setCaptionColour(const QColor& colour) {
    if (colour != captionColour_) {
        captionColour_ = colour;
        update();
    }
}

void MeterLabel::setCells(int cells) {
    cells = std::clamp(cells, 0, 12);
    if (cells != cells_) {
        cells_ = cells;
        update();
    }
}

QSize MeterLabel::sizeHint() const {
    return {110, 56};
}

QSize MeterLabel::minimumSizeHint() const {
    return {20, 12};
}

void MeterLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = paint::TargetPixelRatio(painter);
    const QString key = QStringLiteral("meter/%1/%2/%3/%4/%5/%6/%7")
                            .arg(caption_, text())
                            .arg(static_cast<int>(placement_))
                            .arg(digitColour_.rgba(), 8, 16)
                            .arg(captionColour_.rgba(), 8, 16)
                            .arg(cells_)
                            .arg(static_cast<int>(alignment()));
    const QSizeF logical = size();
    painter.drawPixmap(0, 0, picture_.Get(key, size(), ratio, [this, logical](QPainter& p) { paintMeter(p, logical); }));
}

void MeterLabel::paintMeter(QPainter& painter, QSizeF size) const {
    const QRectF area(QPointF(0, 0), size);
    const bool captioned = placement_ != CaptionPlacement::None && !caption_.isEmpty();
    const qreal band = captioned ? area.height() * 0.3 : 0.0;
    QRectF glass = area;
    QRectF captionBox;
    if (captioned && placement_ == CaptionPlacement::Above) {
        captionBox = QRectF(area.left(), area.top(), area.width(), band);
        glass.setTop(band + area.height() * 0.03);
    } else if (captioned) {
        captionBox = QRectF(area.left(), area.bottom() - band, area.width(), band);
        glass.setBottom(area.bottom() - band - area.height() * 0.03);
    }

    if (captioned) {
        const QFont font = paint::FitFont(paint::FaceFont(band * 0.78), caption_, captionBox.width() * 0.96, band * 0.78);
        paint::DrawNeonText(painter, captionBox, Qt::AlignCenter, caption_, font,
                            paint::Mix(captionColour_, Qt::white, 0.35), paint::WithAlpha(captionColour_, 200),
                            font.pixelSize() * 0.18);
    }

    const qreal bezel = std::max(1.0, glass.height() * 0.05);
    glass.adjust(bezel / 2, bezel / 2, -bezel / 2, -bezel / 2);
    const qreal corner = glass.height() * 0.16;
    QPainterPath shape;
    shape.addRoundedRect(glass, corner, corner);
    QLinearGradient tint(glass.topLeft(), glass.bottomLeft());
    tint.setColorAt(0.0, paint::Mix(QColor(0, 0, 0), digitColour_, 0.10));
    tint.setColorAt(1.0, QColor(0, 0, 0));
    painter.fillPath(shape, tint);
    QLinearGradient chrome(glass.topLeft(), glass.bottomLeft());
    chrome.setColorAt(0.0, QColor(40, 44, 66));
    chrome.setColorAt(1.0, QColor(170, 178, 210));
    painter.setPen(QPen(QBrush(chrome), bezel));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);

    const QRectF digitsBox = glass.adjusted(glass.width() * 0.06, 0, -glass.width() * 0.06, 0);
    const QString value = text();
    const int width = std::max(cells_, static_cast<int>(value.size()));
    const Qt::Alignment horizontal = (alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    if (width > 0) {
        const QFont font = paint::FitFont(paint::MeterFont(glass.height() * 0.64), QString(width, QLatin1Char('8')),
                                          digitsBox.width(), glass.height() * 0.64);
        if (cells_ > 0) {
            painter.fillPath(paint::TextPath(digitsBox, horizontal, QString(cells_, QLatin1Char('8')), font),
                             paint::WithAlpha(digitColour_, 28));
        }
        paint::DrawNeonText(painter, digitsBox, horizontal, value, font, paint::Mix(digitColour_, Qt::white, 0.3),
                            paint::WithAlpha(digitColour_, 235), font.pixelSize() * 0.3);
    }

    const QRectF upper = glass.adjusted(corner * 0.5, glass.height() * 0.05, -corner * 0.5, -glass.height() * 0.55);
    QLinearGradient reflection(upper.topLeft(), upper.bottomLeft());
    reflection.setColorAt(0.0, QColor(255, 255, 255, 34));
    reflection.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(reflection);
    painter.drawRoundedRect(upper, corner * 0.6, corner * 0.6);
}

}  // namespace keno
