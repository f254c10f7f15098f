#pragma once
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <functional>

class QImage;
class QPainter;
class QPainterPath;

// Shared drawing helpers of the lit machine face: fonts, glows, and a picture cache keyed by
// state, logical size and device-pixel ratio, so a repaint is one pixmap copy.
namespace keno::paint {

// Bold "DejaVu Sans" (shipped with fonts-dejavu-core) with ordinary sans fallbacks.
QFont FaceFont(qreal pixelSize, bool bold = true);
// Bold "DejaVu Sans Condensed" (fonts-dejavu-extra): button captions, which must fit long words in
// a small lamp.
QFont CaptionFont(qreal pixelSize);
// Bold "DejaVu Sans Mono": every digit has the same width, so meters do not wobble.
QFont MeterFont(qreal pixelSize);
// Largest font no taller than maxPixelSize whose text fits maxWidth.
QFont FitFont(QFont font, const QString& text, qreal maxWidth, qreal maxPixelSize);

QColor Mix(const QColor& a, const QColor& b, qreal towardsB);
QColor WithAlpha(QColor colour, int alpha);

// The pixel ratio of what the painter really paints on: a grab or render into a QImage can use
// another ratio than the widget's screen.
qreal TargetPixelRatio(const QPainter& painter);

// Three box passes: close enough to a gaussian for glows.
void BoxBlur(QImage& image, int radius);

// Fills path in colour, blurred by radius (logical pixels), under whatever the painter holds.
// The lit look of a game window's menu bar.
QString GameMenuBarStyle();

void DrawGlow(QPainter& painter, const QPainterPath& path, const QColor& colour, qreal radius);
// The glow of a long thin stroke (a neon tube, a lit panel edge): wider, fainter strokes of the
// outline instead of a blurred image, so a whole-face outline costs no more than its length.
void DrawStrokeGlow(QPainter& painter, const QPainterPath& outline, qreal width, const QColor& colour, qreal radius);
// The same glow round the outline of a rounded rectangle (QPainterPath::addRoundedRect's shape),
// painted as gradients: the layers' fall-off, smoothed, for a few fills instead of six strokes.
void DrawRoundedRectGlow(QPainter& painter, const QRectF& rect, qreal corner, qreal width, const QColor& colour,
                         qreal radius);

// The outline of text placed in box by alignment (visual bounds, so digits centre exactly).
QPainterPath TextPath(const QRectF& box, Qt::Alignment alignment, const QString& text, const QFont& font);

// Text with a blurred halo in glow and a core in core; glowRadius 0 draws the core only.
void DrawNeonText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text,
                  const QFont& font, const QColor& core, const QColor& glow, qreal glowRadius);

// The picture for key at this logical size and ratio, painted by paint on a transparent pixmap
// only when the shared cache does not hold it. For pictures drawn from a small, fixed set of
// states (a square, a ball, a button caption): the cache keeps them across games, least recently
// used first out once it holds kSharedCacheBytes.
QPixmap Cached(const QString& key, QSize logicalSize, qreal ratio, const std::function<void(QPainter&)>& paint);

// The shared cache's budget. Both game windows at full-screen size on a 1920 x 1200 display,
// with the square, ball and button states of a few hundred games, hold about 36 MiB (about 7 MiB
// at their opening size); larger faces evict their least used pictures.
inline constexpr qint64 kSharedCacheBytes = 48 * 1024 * 1024;

struct CacheUse {
    int pictures = 0;
    qint64 bytes = 0;
};
CacheUse SharedCacheUse();
void ClearSharedCache();

// One picture kept by the widget that shows it, for a face whose content follows the game (a
// meter's reading, a label's text): in the shared cache every reading ever shown would stay until
// evicted, pushing out the pictures that are reused. Holds the last picture only.
class PictureSlot {
public:
    QPixmap Get(const QString& key, QSize logicalSize, qreal ratio, const std::function<void(QPainter&)>& paint);

private:
    QString key_;
    QPixmap picture_;
};

}  // namespace keno::paint
