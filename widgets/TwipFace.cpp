#include "widgets/TwipFace.h"

#include "widgets/PaintKit.h"

#include <QImage>
#include <QPaintEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QResizeEvent>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace keno {

namespace {
constexpr char kTwipProperty[] = "kenoTwipRect";
const QColor kSurround(2, 2, 8);
}  // namespace

TwipFace::TwipFace(QSize designTwips, QWidget* parent) : QWidget(parent), design_(designTwips) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    if (design_.width() < 1 || design_.height() < 1) {
        design_ = QSize(kTwipsPerPixel, kTwipsPerPixel);
    }
}

void TwipFace::place(QWidget* child, const QRect& twips) {
    if (child == nullptr) {
        return;
    }
    if (child->parentWidget() != this) {
        // A fresh widget counts as hidden until shown; only a hide() by its owner should stick.
        const bool hiddenOnPurpose =
            child->testAttribute(Qt::WA_WState_ExplicitShowHide) && child->testAttribute(Qt::WA_WState_Hidden);
        child->setParent(this);
        child->setVisible(!hiddenOnPurpose);
    }
    child->setProperty(kTwipProperty, twips);
    layoutChild(child);
}

void TwipFace::moveTo(QWidget* child, const QPoint& twipsTopLeft) {
    QRect twips = twipRect(child);
    if (!twips.isValid() || child->parentWidget() != this) {
        return;
    }
    twips.moveTopLeft(twipsTopLeft);
    child->setProperty(kTwipProperty, twips);
    layoutChild(child);
}

QRect TwipFace::twipRect(const QWidget* child) {
    if (child == nullptr) {
        return {};
    }
    const QVariant value = child->property(kTwipProperty);
    return value.isValid() ? value.toRect() : QRect();
}

qreal TwipFace::pixelsPerTwip() const {
    return std::min(static_cast<qreal>(width()) / design_.width(), static_cast<qreal>(height()) / design_.height());
}

QRect TwipFace::faceRect() const {
    return toPixels(QRect(QPoint(0, 0), design_));
}

QPointF TwipFace::toPixels(const QPointF& twips) const {
    const qreal scale = pixelsPerTwip();
    const qreal left = (width() - design_.width() * scale) / 2;
    const qreal top = (height() - design_.height() * scale) / 2;
    return {left + twips.x() * scale, top + twips.y() * scale};
}

QRect TwipFace::toPixels(const QRect& twips) const {
    // Round both edges rather than the size, so squares 780 twips apart never gain or lose a gap.
    const QPointF topLeft = toPixels(QPointF(twips.left(), twips.top()));
    const QPointF bottomRight = toPixels(QPointF(twips.left() + twips.width(), twips.top() + twips.height()));
    const int left = static_cast<int>(std::lround(topLeft.x()));
    const int top = static_cast<int>(std::lround(topLeft.y()));
    const int right = static_cast<int>(std::lround(bottomRight.x()));
    const int bottom = static_cast<int>(std::lround(bottomRight.y()));
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void TwipFace::setTitle(const QString& text, const QRect& twips, const QColor& neon) {
    titleText_ = text;
    titleTwips_ = twips;
    titleNeon_ = neon;
    update();
}

void TwipFace::addPanel(const QRect& twips, const QColor& edge) {
    panels_.push_back({twips, edge});
    update();
}

void TwipFace::clearPanels() {
    panels_.clear();
    update();
}

QSize TwipFace::sizeHint() const {
    return design_ / kTwipsPerPixel;
}

QSize TwipFace::minimumSizeHint() const {
    return design_ / (kTwipsPerPixel * 4);
}

void TwipFace::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void TwipFace::layoutChild(QWidget* child) const {
    const QRect twips = twipRect(child);
    if (twips.isValid()) {
        child->setGeometry(toPixels(twips));
    }
}

void TwipFace::layoutChildren() {
    for (QObject* object : children()) {
        if (auto* child = qobject_cast<QWidget*>(object); child != nullptr && !child->isWindow()) {
            layoutChild(child);
        }
    }
}

// Painted straight into the window rather than kept as a picture of the whole face: a face-sized
// picture costs as much memory as the window itself and more time to fill the first time than
// the gradients do. What a repaint of a few squares does not touch is left out.
void TwipFace::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRegion& dirty = event->region();
    paintCabinet(painter, dirty);
    const qreal twip = pixelsPerTwip();
    for (const Panel& panel : panels_) {
        const int reach = static_cast<int>(std::ceil(std::max(1.0, 14 * twip) + std::max(2.0, 70 * twip))) + 2;
        if (dirty.intersects(toPixels(panel.twips).adjusted(-reach, -reach, reach, reach))) {
            paintPanel(painter, panel, dirty);
        }
    }
    if (titleTwips_.isValid()) {
        const QRect box = toPixels(titleTwips_);
        if (dirty.intersects(box.adjusted(-box.height(), -box.height(), box.height(), box.height()))) paintTitle(painter);
    }
}

void TwipFace::paintCabinet(QPainter& painter, const QRegion& dirty) const {
    painter.fillRect(rect(), kSurround);
    const QRectF face = faceRect();
    const qreal twip = pixelsPerTwip();

    QLinearGradient body(face.topLeft(), face.bottomLeft());
    body.setColorAt(0.0, QColor(16, 26, 88));
    body.setColorAt(0.45, QColor(7, 13, 52));
    body.setColorAt(1.0, QColor(2, 3, 16));
    painter.fillRect(face, body);

    QRadialGradient lamp(QPointF(face.center().x(), face.top()), face.width() * 0.65);
    lamp.setColorAt(0.0, QColor(70, 100, 230, 70));
    lamp.setColorAt(1.0, QColor(70, 100, 230, 0));
    painter.fillRect(face, lamp);

    // A faint dot grid gives the cabinet its printed-panel texture.
    const qreal pitch = 240 * twip;
    if (pitch >= 6) {
        const QColor ink(130, 160, 255, 20);
        const qreal dot = std::max(0.6, 9 * twip);
        const int tile = static_cast<int>(pitch);
        if (tile == pitch && paint::TargetPixelRatio(painter) == 1.0) {
            // A whole-pixel pitch repeats one dot exactly: tile it in one fill instead of
            // drawing some two thousand dots one by one (the bulk of painting the cabinet).
            QImage stamp(tile, tile, QImage::Format_ARGB32_Premultiplied);
            stamp.fill(Qt::transparent);
            {
                QPainter dots(&stamp);
                dots.setRenderHint(QPainter::Antialiasing);
                dots.setPen(Qt::NoPen);
                dots.setBrush(ink);
                dots.drawEllipse(QPointF(pitch / 2, pitch / 2), dot, dot);
            }
            QBrush texture(stamp);
            texture.setTransform(QTransform::fromTranslate(face.left(), face.top()));
            // The tiles whose dot centre lies inside the face, as below.
            const qreal columns = std::ceil((face.width() - pitch / 2) / pitch);
            const qreal rows = std::ceil((face.height() - pitch / 2) / pitch);
            painter.fillRect(QRectF(face.topLeft(), QSizeF(columns * pitch, rows * pitch)), texture);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            for (qreal y = face.top() + pitch / 2; y < face.bottom(); y += pitch) {
                for (qreal x = face.left() + pitch / 2; x < face.right(); x += pitch) {
                    painter.drawEllipse(QPointF(x, y), dot, dot);
                }
            }
        }
    }

    // Chrome bezel with a neon line inside it, unless all that is repainted lies well inside.
    const qreal band = std::max(1.5, 30 * twip);
    const qreal glowReach = std::max(1.0, 10 * twip) / 2 + std::max(2.0, 60 * twip);
    const qreal corner = 150 * twip;
    // Round a corner the neon curves inwards, and its glow with it.
    const qreal clear = band + std::max(1.0, 8 * twip) + glowReach + 0.8 * corner * (1 - std::numbers::sqrt2 / 2) + 2;
    const QRectF well = QRectF(face).adjusted(clear, clear, -clear, -clear);
    if (well.isValid() && well.contains(QRectF(dirty.boundingRect()))) return;
    const QRectF metal = face.adjusted(band / 2, band / 2, -band / 2, -band / 2);
    QLinearGradient chrome(face.topLeft(), face.bottomRight());
    chrome.setColorAt(0.0, QColor(190, 198, 230));
    chrome.setColorAt(0.3, QColor(60, 68, 104));
    chrome.setColorAt(0.55, QColor(215, 222, 245));
    chrome.setColorAt(1.0, QColor(40, 46, 78));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(chrome), band));
    painter.drawRoundedRect(metal, corner, corner);

    const qreal inset = band + std::max(1.0, 8 * twip);
    QPainterPath neon;
    neon.addRoundedRect(face.adjusted(inset, inset, -inset, -inset), corner * 0.8, corner * 0.8);
    QPainterPathStroker stroker;
    const qreal tubeWidth = std::max(1.0, 10 * twip);
    stroker.setWidth(tubeWidth);
    const QPainterPath tube = stroker.createStroke(neon);
    paint::DrawRoundedRectGlow(painter, face.adjusted(inset, inset, -inset, -inset), corner * 0.8, tubeWidth,
                               QColor(0, 190, 255, 200), std::max(2.0, 60 * twip));
    painter.fillPath(tube, QColor(150, 235, 255));
}

void TwipFace::paintPanel(QPainter& painter, const Panel& panel, const QRegion& dirty) const {
    const qreal twip = pixelsPerTwip();
    const QRectF area = toPixels(panel.twips);
    const qreal corner = std::min(90 * twip, std::min(area.width(), area.height()) / 4);
    const qreal edgeWidth = std::max(1.0, 14 * twip);
    const qreal glowRadius = std::max(2.0, 70 * twip);
    QLinearGradient well(area.topLeft(), area.bottomLeft());
    well.setColorAt(0.0, QColor(0, 0, 0, 235));
    well.setColorAt(1.0, QColor(6, 10, 30, 235));
    // A repaint under a square or a ball lies well inside: there the panel is its plain well.
    const qreal inside = corner + edgeWidth + glowRadius + 1;
    if (const QRectF plain = area.adjusted(inside, inside, -inside, -inside);
        plain.isValid() && plain.contains(QRectF(dirty.boundingRect()))) {
        painter.fillRect(area, well);
        return;
    }
    QPainterPath shape;
    shape.addRoundedRect(area, corner, corner);

    QPainterPathStroker stroker;
    stroker.setWidth(edgeWidth);
    const QPainterPath edge = stroker.createStroke(shape);
    paint::DrawRoundedRectGlow(painter, area, corner, edgeWidth, paint::WithAlpha(panel.edge, 190), glowRadius);
    painter.fillPath(shape, well);
    painter.fillPath(edge, paint::Mix(panel.edge, Qt::white, 0.35));
}

void TwipFace::paintTitle(QPainter& painter) const {
    if (titleText_.isEmpty() || !titleTwips_.isValid()) {
        return;
    }
    const QRectF box = toPixels(titleTwips_);
    const QFont font = paint::FitFont(paint::FaceFont(box.height() * 0.7), titleText_, box.width() * 0.94,
                                      box.height() * 0.7);
    const QPainterPath text = paint::TextPath(box, Qt::AlignCenter, titleText_, font);
    const qreal size = font.pixelSize();
    paint::DrawGlow(painter, text, paint::WithAlpha(titleNeon_, 230), size * 0.45);
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(1.0, size * 0.06));
    const QPainterPath tube = stroker.createStroke(text);
    paint::DrawGlow(painter, tube, paint::Mix(titleNeon_, Qt::white, 0.2), size * 0.12);
    painter.fillPath(text, paint::Mix(titleNeon_, Qt::white, 0.55));
    painter.fillPath(tube, paint::Mix(titleNeon_, Qt::white, 0.25));
}

}  // namespace keno
