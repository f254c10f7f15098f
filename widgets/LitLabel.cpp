#include "widgets/LitLabel.h"

#include "widgets/PaintKit.h"

#include <QPainter>
#include <algorithm>

namespace keno {

LitLabel::LitLabel(const QString& text, const QColor& colour, QWidget* parent) : QLabel(text, parent), colour_(colour) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
}

void LitLabel::setColour(const QColor& colour) {
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

void LitLabel::setTextScale(qreal fraction) {
    fraction = std::clamp(fraction, 0.1, 1.0);
    if (fraction != textScale_) {
        textScale_ = fraction;
        update();
    }
}

void LitLabel::setMonospace(bool monospace) {
    if (monospace != monospace_) {
        monospace_ = monospace;
        update();
    }
}

QSize LitLabel::sizeHint() const {
    return {80, 24};
}

QSize LitLabel::minimumSizeHint() const {
    return {10, 8};
}

void LitLabel::paintEvent(QPaintEvent*) {
    const QString value = text();
    if (value.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const qreal ratio = paint::TargetPixelRatio(painter);
    const QString key = QStringLiteral("lit/%1/%2/%3/%4/%5")
                            .arg(value)
                            .arg(colour_.rgba(), 8, 16)
                            .arg(textScale_)
                            .arg(monospace_ ? 1 : 0)
                            .arg(static_cast<int>(alignment()));
    const QRectF box = contentsRect();
    const Qt::Alignment align = alignment();
    painter.drawPixmap(0, 0, picture_.Get(key, size(), ratio, [&](QPainter& p) {
        const qreal pixels = box.height() * textScale_;
        const QFont base = monospace_ ? paint::MeterFont(pixels) : paint::FaceFont(pixels);
        const QFont font = paint::FitFont(base, value, box.width() * 0.96, pixels);
        paint::DrawNeonText(p, box.adjusted(box.width() * 0.02, 0, -box.width() * 0.02, 0), align, value, font,
                            paint::Mix(colour_, Qt::white, 0.4), paint::WithAlpha(colour_, 215),
                            font.pixelSize() * 0.28);
    }));
}

}  // namespace keno
