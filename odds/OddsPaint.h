#pragma once
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QStringList>
#include <vector>

class QPainter;

// The inks and text helpers of the odds screen and the advisor panel: the pay-schedule picture's
// lit colours on dark glass.
namespace keno::oddspaint {

inline const QColor kWhite(246, 246, 250);
inline const QColor kDim(150, 160, 196);
inline const QColor kGold(255, 208, 64);
inline const QColor kCyan(96, 214, 255);
inline const QColor kGreen(70, 255, 110);
inline const QColor kRed(255, 58, 52);
inline const QColor kBlue(70, 110, 235);
inline const QColor kRule(58, 74, 140);
inline const QColor kHeaderFill(20, 30, 74);
inline const QColor kCellFill(9, 13, 36);
inline const QColor kOfferFill(34, 8, 16);
inline const QColor kFrame(214, 170, 60);
inline const QColor kSurround(4, 5, 12);

// Text laid in box by alignment, made smaller only when it would not fit the width; a glow of
// `glow` pixels behind it when asked. Returns the pixel size it was drawn at.
qreal DrawText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text, QFont font,
               const QColor& ink, qreal glow = 0);

// Texts that belong together (a table's cells) drawn at one size: the largest up to maxPixels at
// which every one fits its box. Returns that size.
struct Item {
    QRectF box;
    QString text;
    Qt::Alignment alignment;
    QColor ink;
};
qreal DrawGroup(QPainter& painter, const std::vector<Item>& items, QFont font, qreal maxPixels);

// Words broken into at most maxLines lines at the largest size up to maxPixels whose lines all fit
// box (line height 1.15 of the size).
struct Wrapped {
    QFont font;
    QStringList lines;
};
Wrapped WrapToFit(const QString& text, QFont font, const QSizeF& box, int maxLines, qreal maxPixels);

// Draws wrapped lines centred in box; returns the pixel size.
qreal DrawWrapped(QPainter& painter, const QRectF& box, const Wrapped& wrapped, const QColor& ink, qreal glow = 0);

}  // namespace keno::oddspaint
