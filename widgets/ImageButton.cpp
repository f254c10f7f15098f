#include "widgets/ImageButton.h"

#include "widgets/Accessibility.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/PaintKit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace keno {

namespace {

qreal GlowRoom(QSizeF size) {
    return std::min(size.width(), size.height()) * 0.13;
}

QRectF BodyRect(QSizeF size) {
    const qreal room = GlowRoom(size);
    return QRectF(QPointF(0, 0), size).adjusted(room, room, -room, -room);
}

qreal Corner(const QRectF& body) {
    return std::min(body.height(), body.width()) * 0.32;
}

bool IsEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void PaintSocket(QPainter& painter, QSizeF size) {
    const QRectF body = BodyRect(size);
    const qreal lip = GlowRoom(size) * 0.4;
    const QRectF socket = body.adjusted(-lip, -lip, lip, lip);
    const qreal corner = Corner(body) + lip;
    QLinearGradient ring(socket.topLeft(), socket.bottomLeft());
    ring.setColorAt(0.0, QColor(20, 24, 44));
    ring.setColorAt(1.0, QColor(70, 78, 112));
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    painter.setBrush(ring);
    painter.drawRoundedRect(socket, corner, corner);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(2, 3, 10));
    painter.drawRoundedRect(body, Corner(body), Corner(body));
}

}  // namespace

ImageButton::ImageButton(const QString& caption, const QColor& colour, QWidget* parent)
    : QAbstractButton(parent), colour_(colour) {
    InstallKenoAccessibility();  // before setText, which already asks for this button's interface
    setText(caption);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);  // a mouse click must not leave a focus ring behind
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::setColour(const QColor& colour) {
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

void ImageButton::setFlashAlternate(bool alternate) {
    if (alternate != flashAlternate_) {
        flashAlternate_ = alternate;
        update();
    }
}

void ImageButton::setImageHidden(bool hidden) {
    if (hidden != imageHidden_) {
        imageHidden_ = hidden;
        update();
    }
}

QSize ImageButton::sizeHint() const {
    return {110, 48};
}

bool ImageButton::event(QEvent* event) {
    if (HandleHoverAndSpace(*this, event)) return true;
    return QAbstractButton::event(event);
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    if (IsEnterKey(event)) {
        QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "), event->isAutoRepeat());
        QAbstractButton::keyPressEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ImageButton::keyReleaseEvent(QKeyEvent* event) {
    if (IsEnterKey(event)) {
        QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "), event->isAutoRepeat());
        QAbstractButton::keyReleaseEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

ImageButton::Look ImageButton::currentLook() const {
    if (!isEnabled()) {
        return Look::Disabled;
    }
    if (isDown()) {
        return Look::Down;
    }
    return underMouse() ? Look::Hover : Look::Lit;
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal ratio = paint::TargetPixelRatio(painter);
    const QSizeF logical = size();
    painter.drawPixmap(0, 0, paint::Cached(QStringLiteral("socket"), size(), ratio,
                                           [logical](QPainter& p) { PaintSocket(p, logical); }));
    if (!imageHidden_) {
        const Look look = currentLook();
        const QString key = QStringLiteral("button/%1/%2/%3/%4")
                                .arg(text())
                                .arg(colour_.rgba(), 8, 16)
                                .arg(static_cast<int>(look))
                                .arg(flashAlternate_ ? 1 : 0);
        painter.drawPixmap(0, 0, paint::Cached(key, size(), ratio,
                                               [this, logical, look](QPainter& p) { paintButton(p, logical, look); }));
    }
    if (hasFocus()) {
        const QRectF ring = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        const qreal corner = Corner(BodyRect(logical)) + GlowRoom(logical);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 235, 255), 2.0, Qt::DashLine));
        painter.drawRoundedRect(ring, corner, corner);
    }
}

void ImageButton::paintButton(QPainter& painter, QSizeF size, Look look) const {
    const qreal room = GlowRoom(size);
    QRectF body = BodyRect(size);
    if (look == Look::Down) {
        body.translate(0, body.height() * 0.04);
    }
    const qreal corner = Corner(body);
    QPainterPath shape;
    shape.addRoundedRect(body, corner, corner);

    const bool lit = look != Look::Disabled;
    const bool hot = lit && flashAlternate_;
    QColor base = QColor(58, 62, 76);
    if (lit) {
        base = colour_;
        if (hot) {
            base = paint::Mix(colour_, Qt::white, 0.62);
        } else if (look == Look::Hover) {
            base = paint::Mix(colour_, Qt::white, 0.2);
        } else if (look == Look::Down) {
            base = paint::Mix(colour_, Qt::black, 0.28);
        }
        const int glowAlpha = look == Look::Down ? 120 : (look == Look::Hover || hot ? 255 : 200);
        const QColor glow = hot ? paint::Mix(colour_, Qt::white, 0.45) : colour_;
        // The blur spreads about 1.6 radii: keep it inside the widget's glow room.
        paint::DrawGlow(painter, shape, paint::WithAlpha(glow, glowAlpha), room * 0.62);
    }

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, paint::Mix(base, Qt::white, lit ? 0.32 : 0.12));
    fill.setColorAt(0.55, base);
    fill.setColorAt(1.0, paint::Mix(base, Qt::black, 0.45));
    painter.fillPath(shape, fill);

    if (lit) {
        // The lamp behind the lens.
        QRadialGradient lamp(body.center(), std::max(body.width(), body.height()) * 0.55);
        lamp.setColorAt(0.0, QColor(255, 255, 255, look == Look::Down ? 20 : 60));
        lamp.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.fillPath(shape, lamp);
    }

    const QRectF glossArea = body.adjusted(corner * 0.35, body.height() * 0.06, -corner * 0.35, -body.height() * 0.5);
    QPainterPath gloss;
    gloss.addRoundedRect(glossArea, corner * 0.8, corner * 0.6);
    QLinearGradient glossFill(glossArea.topLeft(), glossArea.bottomLeft());
    glossFill.setColorAt(0.0, QColor(255, 255, 255, lit && look != Look::Down ? 150 : 50));
    glossFill.setColorAt(1.0, QColor(255, 255, 255, 8));
    painter.fillPath(gloss, glossFill);

    painter.setPen(QPen(paint::Mix(base, Qt::black, 0.65), std::max(1.0, room * 0.12)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);

    paintCaption(painter, body, look);
}

void ImageButton::paintCaption(QPainter& painter, const QRectF& body, Look look) const {
    const QString caption = text();
    if (caption.isEmpty()) {
        return;
    }
    const QRectF area = body.adjusted(body.width() * 0.045, body.height() * 0.08, -body.width() * 0.045,
                                      -body.height() * 0.08);
    const QFont single = paint::FitFont(paint::CaptionFont(area.height() * 0.42), caption, area.width(),
                                        area.height() * 0.42);
    QStringList lines{caption};
    QFont font = single;
    const int middle = static_cast<int>(caption.size() / 2);
    const int left = static_cast<int>(caption.lastIndexOf(QLatin1Char(' '), middle));
    const int right = static_cast<int>(caption.indexOf(QLatin1Char(' '), middle));
    const int split = (left < 0) ? right : (right < 0 ? left : (middle - left <= right - middle ? left : right));
    if (split > 0) {
        const QStringList two{caption.left(split), caption.mid(split + 1)};
        const QString& longer = two[0].size() >= two[1].size() ? two[0] : two[1];
        const QFont stacked = paint::FitFont(paint::CaptionFont(area.height() * 0.36), longer, area.width(),
                                             area.height() * 0.36);
        if (stacked.pixelSize() > single.pixelSize() * 1.15) {
            lines = two;
            font = stacked;
        }
    }

    QColor ink(255, 255, 255);
    QColor shadow(0, 0, 0, 170);
    if (look == Look::Disabled) {
        ink = QColor(128, 132, 146);
        shadow = QColor(0, 0, 0, 90);
    } else if (flashAlternate_) {
        ink = paint::Mix(colour_, Qt::black, 0.7);
        shadow = QColor(255, 255, 255, 120);
    }
    const qreal lineHeight = area.height() / static_cast<qreal>(lines.size() + 1) * (lines.size() == 1 ? 2.0 : 1.5);
    const qreal top = area.center().y() - lineHeight * static_cast<qreal>(lines.size()) / 2;
    const qreal drop = std::max(1.0, font.pixelSize() * 0.06);
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF row(area.left(), top + lineHeight * i, area.width(), lineHeight);
        const QPainterPath path = paint::TextPath(row, Qt::AlignCenter, lines[i], font);
        painter.fillPath(path.translated(drop, drop), shadow);
        painter.fillPath(path, ink);
    }
}

}  // namespace keno
