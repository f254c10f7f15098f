#include "odds/OddsPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "widgets/PaintKit.h"

namespace keno::oddspaint {

namespace {

constexpr qreal kLineHeight = 1.15;

QStringList Break(const QString& text, const QFont& font, qreal width) {
    const QFontMetricsF metrics(font);
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines.append(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines.append(line);
    return lines;
}

bool Fits(const QStringList& lines, const QFont& font, const QSizeF& box) {
    const QFontMetricsF metrics(font);
    for (const QString& line : lines)
        if (metrics.horizontalAdvance(line) > box.width()) return false;
    return static_cast<qreal>(lines.size()) * font.pixelSize() * kLineHeight <= box.height() + 0.5;
}

}  // namespace

qreal DrawText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text, QFont font,
               const QColor& ink, qreal glow) {
    if (text.isEmpty() || box.width() <= 0) return font.pixelSize();
    font = paint::FitFont(font, text, box.width(), font.pixelSize());
    const QPainterPath path = paint::TextPath(box, alignment, text, font);
    if (glow > 0) paint::DrawGlow(painter, path, paint::WithAlpha(ink, 150), glow);
    painter.fillPath(path, ink);
    return font.pixelSize();
}

qreal DrawGroup(QPainter& painter, const std::vector<Item>& items, QFont font, qreal maxPixels) {
    qreal size = std::max(4.0, std::floor(maxPixels));
    for (const Item& item : items) {
        if (item.text.isEmpty()) continue;
        size = std::min<qreal>(size, paint::FitFont(font, item.text, item.box.width(), size).pixelSize());
    }
    font.setPixelSize(static_cast<int>(size));
    for (const Item& item : items) DrawText(painter, item.box, item.alignment, item.text, font, item.ink);
    return size;
}

Wrapped WrapToFit(const QString& text, QFont font, const QSizeF& box, int maxLines, qreal maxPixels) {
    for (int size = std::max(4, static_cast<int>(std::floor(maxPixels))); size > 4; --size) {
        font.setPixelSize(size);
        const QStringList lines = Break(text, font, box.width());
        if (lines.size() <= maxLines && Fits(lines, font, box)) return {font, lines};
    }
    font.setPixelSize(4);
    return {font, Break(text, font, box.width())};
}

qreal DrawWrapped(QPainter& painter, const QRectF& box, const Wrapped& wrapped, const QColor& ink, qreal glow) {
    const qreal step = wrapped.font.pixelSize() * kLineHeight;
    qreal top = box.center().y() - step * static_cast<qreal>(wrapped.lines.size()) / 2;
    for (const QString& line : wrapped.lines) {
        DrawText(painter, QRectF(box.left(), top, box.width(), step), Qt::AlignCenter, line, wrapped.font, ink, glow);
        top += step;
    }
    return wrapped.font.pixelSize();
}

}  // namespace keno::oddspaint
