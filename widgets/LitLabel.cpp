#include "widgets/LitLabel.h"

#include "widgets/PaintKit.h"

#include <QFontMetricsF>
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

void LitLabel::setElidedText(const QString& text) {
    elide_ = true;
    if (text == this->text()) return;
    setText(text);
    setToolTip(text);
    setAccessibleName(text);
}

namespace {

QFont BaseFont(bool monospace, qreal pixels) {
    return monospace ? paint::MeterFont(pixels) : paint::FaceFont(pixels);
}

// The longest start of text that fits width with "..." after it.
QString Elided(const QString& text, const QFont& font, qreal width) {
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    QString start = text;
    while (!start.isEmpty() && metrics.horizontalAdvance(start + dots) > width) start.chop(1);
    return start.trimmed() + dots;
}

}  // namespace

// An eliding line may come down this far from its full height before it is cut short.
constexpr qreal kLeastElidedScale = 0.8;

QFont LitLabel::PaintFont(const QString& value) const {
    const qreal pixels = contentsRect().height() * textScale_;
    QFont font = paint::FitFont(BaseFont(monospace_, pixels), value, contentsRect().width() * 0.96, pixels);
    if (elide_) font.setPixelSize(std::max(font.pixelSize(), static_cast<int>(pixels * kLeastElidedScale)));
    return font;
}

QString LitLabel::shownText() const {
    if (!elide_) return text();
    return Elided(text(), PaintFont(text()), contentsRect().width() * 0.96);
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
                            .arg((monospace_ ? 1 : 0) + (elide_ ? 2 : 0))
                            .arg(static_cast<int>(alignment()));
    const QRectF box = contentsRect();
    const Qt::Alignment align = alignment();
    painter.drawPixmap(0, 0, picture_.Get(key, size(), ratio, [&](QPainter& p) {
        const QFont font = PaintFont(value);
        const QString shown = elide_ ? Elided(value, font, box.width() * 0.96) : value;
        paint::DrawNeonText(p, box.adjusted(box.width() * 0.02, 0, -box.width() * 0.02, 0), align, shown, font,
                            paint::Mix(colour_, Qt::white, 0.4), paint::WithAlpha(colour_, 215),
                            font.pixelSize() * 0.28);
    }));
}

}  // namespace keno
