#include "widgets/PaintKit.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QSysInfo>
#include <QPainter>
#include <QPainterPath>
#include <QCache>
#include <QCoreApplication>
#include <QStringBuilder>
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <utility>
#include <vector>

namespace keno::paint {

namespace {

QFont MakeFont(const QStringList& families, qreal pixelSize, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);  // keeps glyph shapes stable across scales
    return font;
}

// Text is drawn as outlines with hinting off, and such outlines scale exactly with the size. So
// every size of a face is measured and outlined at one reference size and scaled: a face loads
// one font engine instead of one per pixel size (each a font-configuration match), and a text's
// outline is built once and kept.
constexpr int kReferencePixels = 200;

struct ReferenceFace {
    qreal capHeight = 0;
    qreal descent = 0;
};
struct ReferenceText {
    QPainterPath path;  // left end of the baseline at the origin; built when first asked for
    qreal advance = 0;
    bool outlined = false;
};
enum class Need { Advance, Outline };

QFont AtReference(const QFont& font) {
    QFont reference(font);
    reference.setPixelSize(kReferencePixels);
    return reference;
}

const ReferenceFace& FaceAtReference(const QFont& reference) {
    static QHash<QString, ReferenceFace> faces;
    const QString key = reference.key();
    auto it = faces.find(key);
    if (it == faces.end()) {
        const QFontMetricsF metrics(reference);
        it = faces.insert(key, ReferenceFace{metrics.capHeight(), metrics.descent()});
    }
    return *it;
}

// Shaped texts by font and text. Captions, squares and pay tables come back again and again and
// stay; texts with digits (meter readings, ever new numbers) live in a small cache of two
// generations, the older dropped as a whole, so a long evening's readings cannot pile up.
class ShapedTexts {
public:
    const ReferenceText& Get(const QFont& reference, const QString& text, Need need) {
        const QString fontKey = reference.key();
        const QString key = fontKey % QChar(0x1f) % text;
        ReferenceText& entry = Entry(key, reference, text);
        if (need == Need::Outline && !entry.outlined) {
            entry.path = Outline(fontKey, reference, text, entry.advance);
            entry.outlined = true;
        }
        return entry;
    }

private:
    static constexpr qsizetype kGeneration = 32;
    static constexpr qsizetype kLasting = 4096;

    ReferenceText& Entry(const QString& key, const QFont& reference, const QString& text) {
        if (auto it = lasting_.find(key); it != lasting_.end()) return *it;
        if (auto it = young_.find(key); it != young_.end()) return *it;
        const bool passing = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
        if (passing) {
            if (auto it = old_.find(key); it != old_.end()) return *young_.insert(key, *it);
            if (young_.size() >= kGeneration) old_ = std::exchange(young_, {});
            return *young_.insert(key, Measure(reference, text));
        }
        if (lasting_.size() > kLasting) lasting_.clear();  // a guard only: far more than the game shows
        return *lasting_.insert(key, Measure(reference, text));
    }

    static ReferenceText Measure(const QFont& reference, const QString& text) {
        ReferenceText shaped;
        shaped.advance = QFontMetricsF(reference).horizontalAdvance(text);
        return shaped;
    }

    // A number is put together from its digits' outlines, kept once per face: building a glyph's
    // outline is the costly part of shaping, and the board and the meters show the same ten again
    // and again. Only where the digits' own advances add up to the text's, so no kerning is lost.
    QPainterPath Outline(const QString& fontKey, const QFont& reference, const QString& text, qreal advance) {
        const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
        if (!text.isEmpty() && text.size() <= 40 && std::all_of(text.cbegin(), text.cend(), digit)) {
            QPainterPath path;
            qreal x = 0;
            for (QChar c : text) {
                const ReferenceText& glyph = Glyph(fontKey, reference, c);
                if (!glyph.path.isEmpty()) path.addPath(glyph.path.translated(x, 0));
                x += glyph.advance;
            }
            if (std::abs(x - advance) < 0.01) return path;
        }
        QPainterPath path;
        path.addText(QPointF(0, 0), reference, text);
        return path;
    }

    const ReferenceText& Glyph(const QString& fontKey, const QFont& reference, QChar c) {
        const QString key = fontKey % QChar(0x1f) % c;
        if (auto it = glyphs_.constFind(key); it != glyphs_.cend()) return *it;
        if (glyphs_.size() > kLasting) glyphs_.clear();  // a guard only, as above
        ReferenceText glyph = Measure(reference, QString(c));
        glyph.path.addText(QPointF(0, 0), reference, QString(c));
        glyph.outlined = true;
        return *glyphs_.insert(key, glyph);
    }

    QHash<QString, ReferenceText> lasting_, young_, old_, glyphs_;
};

// The reference stays valid until the next call.
const ReferenceText& TextAtReference(const QFont& reference, const QString& text, Need need = Need::Outline) {
    static ShapedTexts texts;
    return texts.Get(reference, text, need);
}

// Fonts made here carry a pixel size; one given in points is measured as it is.
bool Scalable(const QFont& font) { return font.pixelSize() > 0; }

qreal AdvanceAt(const QFont& font, const QString& text, int pixelSize) {
    return TextAtReference(AtReference(font), text, Need::Advance).advance * pixelSize / kReferencePixels;
}

// One box pass along the rows of a premultiplied ARGB image, sums kept per channel.
void BoxRows(quint32* pixels, int w, int h, int stride, int radius, std::vector<quint32>& line) {
    const int window = 2 * radius + 1;
    const std::uint32_t reciprocal = (1u << 16) / static_cast<std::uint32_t>(window) + 1;
    for (int y = 0; y < h; ++y) {
        quint32* row = pixels + y * stride;
        std::uint32_t sum[4] = {0, 0, 0, 0};
        for (int i = 0; i < std::min(radius, w); ++i)
            for (int c = 0; c < 4; ++c) sum[c] += (row[i] >> (8 * c)) & 0xFFu;
        for (int x = 0; x < w; ++x) {
            if (x + radius < w)
                for (int c = 0; c < 4; ++c) sum[c] += (row[x + radius] >> (8 * c)) & 0xFFu;
            quint32 out = 0;
            for (int c = 0; c < 4; ++c) out |= std::min<quint32>(255u, (sum[c] * reciprocal) >> 16) << (8 * c);
            line[static_cast<size_t>(x)] = out;
            if (x - radius >= 0)
                for (int c = 0; c < 4; ++c) sum[c] -= (row[x - radius] >> (8 * c)) & 0xFFu;
        }
        std::copy_n(line.data(), w, row);
    }
}

// The same down the columns, sweeping whole rows so memory is read in order.
void BoxColumns(quint32* pixels, int w, int h, int stride, int radius, std::vector<std::uint32_t>& sums,
                std::vector<quint32>& copy) {
    const int window = 2 * radius + 1;
    const std::uint32_t reciprocal = (1u << 16) / static_cast<std::uint32_t>(window) + 1;
    copy.assign(pixels, pixels + static_cast<size_t>(h) * static_cast<size_t>(stride));
    sums.assign(static_cast<size_t>(w) * 4, 0);
    auto addRow = [&](int y, bool subtract) {
        const quint32* row = copy.data() + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c) {
                const std::uint32_t v = (row[x] >> (8 * c)) & 0xFFu;
                std::uint32_t& s = sums[static_cast<size_t>(x) * 4 + static_cast<size_t>(c)];
                s = subtract ? s - v : s + v;
            }
    };
    for (int i = 0; i < std::min(radius, h); ++i) addRow(i, false);
    for (int y = 0; y < h; ++y) {
        if (y + radius < h) addRow(y + radius, false);
        quint32* row = pixels + y * stride;
        for (int x = 0; x < w; ++x) {
            quint32 out = 0;
            for (int c = 0; c < 4; ++c)
                out |= std::min<quint32>(255u, (sums[static_cast<size_t>(x) * 4 + static_cast<size_t>(c)] * reciprocal) >> 16)
                       << (8 * c);
            row[x] = out;
        }
        if (y - radius >= 0) addRow(y - radius, true);
    }
}

}  // namespace

QFont FaceFont(qreal pixelSize, bool bold) {
    return MakeFont({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                     QStringLiteral("sans-serif")},
                    pixelSize, bold);
}

QFont CaptionFont(qreal pixelSize) {
    return MakeFont({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                     QStringLiteral("Liberation Sans Narrow"), QStringLiteral("sans-serif")},
                    pixelSize, true);
}

QFont MeterFont(qreal pixelSize) {
    return MakeFont({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                     QStringLiteral("Courier New"), QStringLiteral("monospace")},
                    pixelSize, true);
}

QFont FitFont(QFont font, const QString& text, qreal maxWidth, qreal maxPixelSize) {
    int size = std::max(1, static_cast<int>(std::floor(maxPixelSize)));
    font.setPixelSize(size);
    const bool scalable = Scalable(font);
    const auto advanceAt = [&](int pixels) {
        if (scalable) return AdvanceAt(font, text, pixels);
        font.setPixelSize(pixels);
        return QFontMetricsF(font).horizontalAdvance(text);
    };
    const qreal advance = advanceAt(size);
    if (advance > maxWidth && advance > 0.0) {
        size = std::max(4, static_cast<int>(std::floor(size * maxWidth / advance)));
    }
    // The size is whole pixels; settle the last one by hand.
    while (size > 4 && advanceAt(size) > maxWidth) {
        --size;
    }
    font.setPixelSize(size);
    return font;
}

QColor Mix(const QColor& a, const QColor& b, qreal towardsB) {
    const qreal t = std::clamp(towardsB, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(std::clamp(alpha, 0, 255));
    return colour;
}

qreal TargetPixelRatio(const QPainter& painter) {
    if (QPaintEngine* engine = painter.paintEngine()) {
        if (QPaintDevice* device = engine->paintDevice()) {
            return device->devicePixelRatio();
        }
    }
    return painter.device() ? painter.device()->devicePixelRatio() : 1.0;
}

namespace {

// The same three passes over the alpha bytes of a premultiplied ARGB area: a glow is one colour,
// so its coverage is all there is to blur, a quarter of the work of four channels.
void BlurAlpha(QImage& image, QSize area, int radius) {
    const int w = area.width();
    const int h = area.height();
    const int window = 2 * radius + 1;
    const std::uint32_t reciprocal = (1u << 16) / static_cast<std::uint32_t>(window) + 1;
    std::vector<std::uint8_t> line(static_cast<size_t>(std::max(w, h)));
    const auto pass = [&](std::uint8_t* first, int count, qsizetype stride) {
        std::uint32_t sum = 0;
        for (int i = 0; i < std::min(radius, count); ++i) sum += first[i * stride];
        for (int i = 0; i < count; ++i) {
            if (i + radius < count) sum += first[(i + radius) * stride];
            line[static_cast<size_t>(i)] = static_cast<std::uint8_t>(std::min<std::uint32_t>(255u, (sum * reciprocal) >> 16));
            if (i - radius >= 0) sum -= first[(i - radius) * stride];
        }
        for (int i = 0; i < count; ++i) first[i * stride] = line[static_cast<size_t>(i)];
    };
    const qsizetype row = image.bytesPerLine();
    // The alpha byte of a pixel in memory order.
    std::uint8_t* alpha = image.bits() + (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? 3 : 0);
    for (int round = 0; round < 3; ++round) {
        for (int y = 0; y < h; ++y) pass(alpha + y * row, w, 4);
        for (int x = 0; x < w; ++x) pass(alpha + x * 4, h, row);
    }
}

// Where glows are blurred. A painter on a new image first builds the image's paint engine, which
// costs more than a small glow itself; one image kept for all glows builds it once.
QImage& GlowCanvas(QSize need, QImage& oneOff) {
    // A rare large glow gets an image of its own rather than keeping the shared one large.
    constexpr int kLargest = 256;
    if (need.width() > kLargest || need.height() > kLargest) {
        oneOff = QImage(need, QImage::Format_ARGB32_Premultiplied);
        return oneOff;
    }
    // Emptied when the application object goes, as the picture cache is.
    static QImage canvas;
    static const bool emptiedAtExit = [] {
        qAddPostRoutine([] { canvas = QImage(); });
        return true;
    }();
    (void)emptiedAtExit;
    if (canvas.width() < need.width() || canvas.height() < need.height()) {
        canvas = QImage(need.expandedTo(canvas.size()).expandedTo(QSize(64, 64)), QImage::Format_ARGB32_Premultiplied);
    }
    return canvas;
}

}  // namespace

void BoxBlur(QImage& image, int radius) {
    if (radius < 1 || image.isNull()) {
        return;
    }
    if (image.format() != QImage::Format_ARGB32_Premultiplied) {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    const int w = image.width();
    const int h = image.height();
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* pixels = reinterpret_cast<quint32*>(image.bits());
    std::vector<quint32> line(static_cast<size_t>(w));
    std::vector<quint32> copy;
    std::vector<std::uint32_t> sums;
    // Three box passes approach a Gaussian closely enough for a glow.
    for (int pass = 0; pass < 3; ++pass) {
        BoxRows(pixels, w, h, stride, radius, line);
        BoxColumns(pixels, w, h, stride, radius, sums, copy);
    }
}

void DrawGlow(QPainter& painter, const QPainterPath& path, const QColor& colour, qreal radius) {
    if (radius <= 0.0) {
        painter.fillPath(path, colour);
        return;
    }
    const qreal scale = TargetPixelRatio(painter) * std::sqrt(std::abs(painter.worldTransform().determinant()));
    const QRectF bounds = path.boundingRect().adjusted(-2 * radius, -2 * radius, 2 * radius, 2 * radius);
    // Snap to whole device pixels so the blurred image lands 1:1.
    const QRectF area(std::floor(bounds.left() * scale) / scale, std::floor(bounds.top() * scale) / scale,
                      std::ceil(bounds.width() * scale + 1) / scale, std::ceil(bounds.height() * scale + 1) / scale);
    // A glow is soft: blur it at a reduced resolution and let the painter scale it up. That keeps
    // the first paint of a face full of lit captions cheap.
    const int blurPixels = std::max(1, static_cast<int>(std::lround(radius * scale * 0.55)));
    const qreal down = std::max(1.0, blurPixels / 3.0);
    const qreal imageScale = scale / down;
    const QSize pixels(static_cast<int>(std::ceil(area.width() * imageScale)),
                       static_cast<int>(std::ceil(area.height() * imageScale)));
    if (pixels.isEmpty()) {
        return;
    }
    QImage large;
    QImage& image = GlowCanvas(pixels, large);
    {
        QPainter ip(&image);
        ip.setCompositionMode(QPainter::CompositionMode_Source);
        ip.fillRect(QRect(QPoint(0, 0), pixels), Qt::transparent);
        ip.setCompositionMode(QPainter::CompositionMode_SourceOver);
        ip.setClipRect(QRect(QPoint(0, 0), pixels));
        ip.setRenderHint(QPainter::Antialiasing);
        ip.scale(imageScale, imageScale);
        ip.translate(-area.topLeft());
        ip.fillPath(path, QColor(0, 0, 0, colour.alpha()));
    }
    BlurAlpha(image, pixels, std::max(1, static_cast<int>(std::lround(blurPixels / down))));
    // The blurred coverage in the glow's colour.
    const QRgb opaque = qRgb(colour.red(), colour.green(), colour.blue());
    for (int y = 0; y < pixels.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) out[x] = qPremultiply((opaque & 0x00ffffffU) | (qAlpha(out[x]) << 24));
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(area.topLeft(), QSizeF(pixels.width() / imageScale, pixels.height() / imageScale)), image,
                      QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.restore();
}

namespace {

// A stroke glow's layers, widest first, and how strong each is (t: its share of the glow's reach).
constexpr int kGlowLayers = 6;
qreal GlowLayerAlpha(qreal alpha, qreal t) { return alpha * 0.35 * (1.0 - t) * (1.0 - t) + alpha * 0.04; }

}  // namespace

void DrawStrokeGlow(QPainter& painter, const QPainterPath& outline, qreal width, const QColor& colour, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (int i = kGlowLayers; i >= 1; --i) {
        const qreal t = static_cast<qreal>(i) / kGlowLayers;
        QColor layer = colour;
        layer.setAlphaF(static_cast<float>(GlowLayerAlpha(colour.alphaF(), t)));
        painter.setPen(QPen(layer, width + 2.0 * radius * t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(outline);
    }
    painter.restore();
}

namespace {

// The alpha of the stroke glow's layers together at each layer's edge, inner to outer: the
// distance from the outline and the alpha of the layers reaching that far.
struct GlowStop {
    qreal distance;
    qreal alpha;
};
std::vector<GlowStop> GlowProfile(qreal width, const QColor& colour, qreal radius) {
    std::vector<GlowStop> stops;
    qreal through = 1.0;  // what the layers reaching the distance let through
    std::vector<GlowStop> edges;  // outermost first
    for (int i = kGlowLayers; i >= 1; --i) {
        const qreal t = static_cast<qreal>(i) / kGlowLayers;
        edges.push_back({width / 2 + radius * t, GlowLayerAlpha(colour.alphaF(), t)});
    }
    // From the outermost edge inwards each band adds one more layer.
    std::vector<qreal> inside(edges.size());
    for (std::size_t k = 0; k < edges.size(); ++k) {
        through *= 1.0 - edges[k].alpha;
        inside[k] = 1.0 - through;
    }
    // Each band's alpha at its middle, zero at the outer edge, all layers at the outline.
    stops.push_back({0.0, inside.back()});
    for (std::size_t k = edges.size(); k-- > 0;) {
        const qreal inner = k + 1 < edges.size() ? edges[k + 1].distance : 0.0;
        stops.push_back({(inner + edges[k].distance) / 2, inside[k]});
    }
    stops.push_back({edges.front().distance, 0.0});
    return stops;
}

void SetGlowStops(QGradient& gradient, const std::vector<GlowStop>& stops, const QColor& colour, qreal from,
                  qreal to, bool bothSides) {
    const auto at = [&](qreal distance, qreal alpha) {
        QColor c = colour;
        c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
        const qreal position = (distance - from) / (to - from);
        if (position >= 0.0 && position <= 1.0) gradient.setColorAt(position, c);
    };
    for (const GlowStop& stop : stops) {
        at(from + (to - from) / 2 + (bothSides ? stop.distance : 0), stop.alpha);
        if (bothSides) at(from + (to - from) / 2 - stop.distance, stop.alpha);
    }
}

}  // namespace

void DrawRoundedRectGlow(QPainter& painter, const QRectF& rect, qreal corner, qreal width, const QColor& colour,
                         qreal radius) {
    const std::vector<GlowStop> stops = GlowProfile(width, colour, radius);
    const qreal reach = stops.back().distance;
    corner = std::clamp(corner, 0.0, std::min(rect.width(), rect.height()) / 2);
    if (corner < reach) {
        // The runs along the sides would overlap near such a tight corner.
        QPainterPath outline;
        outline.addRoundedRect(rect, corner, corner);
        DrawStrokeGlow(painter, outline, width, colour, radius);
        return;
    }
    // The straight runs and the corners meet on whole pixels, so nothing is painted twice.
    const qreal left = std::floor(rect.left() - reach), right = std::ceil(rect.right() + reach);
    const qreal top = std::floor(rect.top() - reach), bottom = std::ceil(rect.bottom() + reach);
    const qreal innerLeft = std::round(rect.left() + corner), innerRight = std::round(rect.right() - corner);
    const qreal innerTop = std::round(rect.top() + corner), innerBottom = std::round(rect.bottom() - corner);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    const auto band = [&](const QRectF& area, QPointF from, QPointF to) {
        if (area.isEmpty()) return;
        QLinearGradient gradient(from, to);
        SetGlowStops(gradient, stops, colour, 0.0, 2 * reach, true);
        painter.fillRect(area, gradient);
    };
    band(QRectF(QPointF(innerLeft, top), QPointF(innerRight, std::ceil(rect.top() + reach))),
         QPointF(0, rect.top() - reach), QPointF(0, rect.top() + reach));
    band(QRectF(QPointF(innerLeft, std::floor(rect.bottom() - reach)), QPointF(innerRight, bottom)),
         QPointF(0, rect.bottom() - reach), QPointF(0, rect.bottom() + reach));
    band(QRectF(QPointF(left, innerTop), QPointF(std::ceil(rect.left() + reach), innerBottom)),
         QPointF(rect.left() - reach, 0), QPointF(rect.left() + reach, 0));
    band(QRectF(QPointF(std::floor(rect.right() - reach), innerTop), QPointF(right, innerBottom)),
         QPointF(rect.right() - reach, 0), QPointF(rect.right() + reach, 0));
    // Round each corner the glow is a ring about the corner's centre.
    const qreal outer = corner + reach;
    const auto cornerPiece = [&](const QRectF& area, QPointF centre) {
        if (area.isEmpty()) return;
        QRadialGradient gradient(centre, outer);
        gradient.setColorAt(0.0, Qt::transparent);
        for (const GlowStop& stop : stops) {
            for (const qreal r : {corner - stop.distance, corner + stop.distance}) {
                if (r < 0.0 || r > outer) continue;
                QColor c = colour;
                c.setAlphaF(static_cast<float>(std::clamp(stop.alpha, 0.0, 1.0)));
                gradient.setColorAt(r / outer, c);
            }
        }
        painter.fillRect(area, gradient);
    };
    cornerPiece(QRectF(QPointF(left, top), QPointF(innerLeft, innerTop)), QPointF(rect.left() + corner, rect.top() + corner));
    cornerPiece(QRectF(QPointF(innerRight, top), QPointF(right, innerTop)), QPointF(rect.right() - corner, rect.top() + corner));
    cornerPiece(QRectF(QPointF(left, innerBottom), QPointF(innerLeft, bottom)),
                QPointF(rect.left() + corner, rect.bottom() - corner));
    cornerPiece(QRectF(QPointF(innerRight, innerBottom), QPointF(right, bottom)),
                QPointF(rect.right() - corner, rect.bottom() - corner));
    painter.restore();
}

QString GameMenuBarStyle() {
    return QStringLiteral(
        "QMenuBar { background: #070b24; color: #ffd24a; font-weight: bold; }"
        "QMenuBar::item { padding: 3px 12px; background: transparent; }"
        "QMenuBar::item:selected { background: #1b2a78; color: #ffffff; }"
        "QMenuBar::item:disabled { color: #5a5a6a; }");
}

QPainterPath TextPath(const QRectF& box, Qt::Alignment alignment, const QString& text, const QFont& font) {
    if (Scalable(font)) {
        const QFont reference = AtReference(font);
        const ReferenceFace& face = FaceAtReference(reference);
        const ReferenceText& shaped = TextAtReference(reference, text);
        const qreal scale = static_cast<qreal>(font.pixelSize()) / kReferencePixels;
        const qreal advance = shaped.advance * scale;
        qreal x = box.center().x() - advance / 2;
        if (alignment & Qt::AlignLeft) {
            x = box.left();
        } else if (alignment & Qt::AlignRight) {
            x = box.right() - advance;
        }
        const qreal cap = face.capHeight * scale;
        qreal baseline = box.center().y() + cap / 2;
        if (alignment & Qt::AlignTop) {
            baseline = box.top() + cap;
        } else if (alignment & Qt::AlignBottom) {
            baseline = box.bottom() - face.descent * scale * 0.25;
        }
        return QTransform(scale, 0, 0, scale, x, baseline).map(shaped.path);
    }
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    qreal x = box.center().x() - advance / 2;
    if (alignment & Qt::AlignLeft) {
        x = box.left();
    } else if (alignment & Qt::AlignRight) {
        x = box.right() - advance;
    }
    const qreal cap = metrics.capHeight();
    qreal baseline = box.center().y() + cap / 2;
    if (alignment & Qt::AlignTop) {
        baseline = box.top() + cap;
    } else if (alignment & Qt::AlignBottom) {
        baseline = box.bottom() - metrics.descent() * 0.25;
    }
    QPainterPath path;
    path.addText(QPointF(x, baseline), font, text);
    return path;
}

void DrawNeonText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text,
                  const QFont& font, const QColor& core, const QColor& glow, qreal glowRadius) {
    if (text.isEmpty()) {
        return;
    }
    const QPainterPath path = TextPath(box, alignment, text, font);
    if (glowRadius > 0.0) {
        DrawGlow(painter, path, glow, glowRadius);
    }
    painter.fillPath(path, core);
}

namespace {

QString FullKey(const QString& key, QSize logicalSize, qreal ratio) {
    return key % QLatin1Char('@') % QString::number(logicalSize.width()) % QLatin1Char('x') %
           QString::number(logicalSize.height()) % QLatin1Char('*') % QString::number(ratio);
}

QPixmap PaintPicture(QSize logicalSize, qreal ratio, const std::function<void(QPainter&)>& paint) {
    const QSize pixels(static_cast<int>(std::ceil(logicalSize.width() * ratio)),
                       static_cast<int>(std::ceil(logicalSize.height() * ratio)));
    if (pixels.isEmpty()) {
        return {};
    }
    QPixmap canvas(pixels);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        paint(painter);
    }
    // A painted pixmap keeps its raster paint engine (outline and span buffers) for as long as it
    // lives, more than its pixels for a small picture; a kept picture is a plain copy without it.
    QPixmap picture = canvas.copy();
    picture.setDevicePixelRatio(ratio);
    return picture;
}

qint64 Bytes(const QPixmap& picture) {
    return static_cast<qint64>(picture.width()) * picture.height() * std::max(1, picture.depth() / 8);
}

// Least recently used first out; costs in bytes. The UI thread is the only user. Emptied when
// the application object goes, as Qt's own pixmap cache is: no pixmap may outlive it.
QCache<QString, QPixmap>& SharedCache() {
    static QCache<QString, QPixmap> cache(kSharedCacheBytes);
    static const bool emptiedAtExit = [] {
        qAddPostRoutine(ClearSharedCache);
        return true;
    }();
    (void)emptiedAtExit;
    return cache;
}

}  // namespace

QPixmap Cached(const QString& key, QSize logicalSize, qreal ratio, const std::function<void(QPainter&)>& paint) {
    QCache<QString, QPixmap>& cache = SharedCache();
    const QString fullKey = FullKey(key, logicalSize, ratio);
    if (const QPixmap* found = cache.object(fullKey)) {
        return *found;
    }
    QPixmap picture = PaintPicture(logicalSize, ratio, paint);
    if (!picture.isNull()) {
        // A picture larger than the whole budget is not kept (insert deletes it).
        cache.insert(fullKey, new QPixmap(picture), Bytes(picture));
    }
    return picture;
}

CacheUse SharedCacheUse() {
    const QCache<QString, QPixmap>& cache = SharedCache();
    return {static_cast<int>(cache.count()), cache.totalCost()};
}

void ClearSharedCache() { SharedCache().clear(); }

QPixmap PictureSlot::Get(const QString& key, QSize logicalSize, qreal ratio,
                         const std::function<void(QPainter&)>& paint) {
    const QString fullKey = FullKey(key, logicalSize, ratio);
    if (fullKey != key_ || picture_.isNull()) {
        picture_ = PaintPicture(logicalSize, ratio, paint);
        key_ = fullKey;
    }
    return picture_;
}

}  // namespace keno::paint
