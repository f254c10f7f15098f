#include "info/PayoutsPictureWidget.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>

#include "widgets/BallArt.h"
#include "widgets/BallWidget.h"
#include "widgets/PaintKit.h"

namespace keno {

namespace {

const QColor kSurround(4, 5, 12);
const QColor kFrame(214, 170, 60);
const QColor kRule(58, 74, 140);
const QColor kHeaderFill(20, 30, 74);
const QColor kCellFill(9, 13, 36);

QRectF ToRect(const PictureBox& box) {
    return QRectF(box.x, box.y, box.width, box.height);
}

// A one-pixel rule drawn through the middle of the pixels on the box's edge stays sharp.
QRectF RuleRect(const PictureBox& box) {
    return ToRect(box).translated(0.5, 0.5);
}

Qt::Alignment ToAlignment(TextAlign align) {
    switch (align) {
        case TextAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
        case TextAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlign::Centre: break;
    }
    return Qt::AlignCenter;
}

constexpr qreal kTextPadding = 1.5;
// Text up to this much too wide is narrowed rather than shrunk, so it keeps its height.
constexpr qreal kMostSqueeze = 0.9;

// Amounts keep this far from their square's rules, so "10000" in the last column stays clear of
// the picture's right border.
constexpr qreal kAmountPadding = 4.0;

// Text laid on its box's visual centre line; narrowed a little, or shrunk, only when it would not
// fit.
QPainterPath BoxTextPath(const PictureText& text, const QFont& font, qreal padding) {
    const QRectF box = ToRect(text.box).adjusted(padding, 0, -padding, 0);
    const QString words = QString::fromStdString(text.text);
    const QFont fitted = paint::FitFont(font, words, box.width() / kMostSqueeze, font.pixelSize());
    const Qt::Alignment alignment = ToAlignment(text.align);
    QPainterPath path = paint::TextPath(box, alignment, words, fitted);
    const qreal wide = path.boundingRect().width();
    if (wide > box.width()) {
        const qreal anchor = text.align == TextAlign::Left    ? box.left()
                             : text.align == TextAlign::Right ? box.right()
                                                              : box.center().x();
        QTransform narrow;
        narrow.translate(anchor, 0).scale(box.width() / wide, 1.0).translate(-anchor, 0);
        path = narrow.map(path);
    }
    return path;
}

void DrawBoxText(QPainter& painter, const PictureText& text, const QFont& font, qreal glow,
                 qreal padding = kTextPadding) {
    const QPainterPath path = BoxTextPath(text, font, padding);
    const QColor ink = PayoutsPictureWidget::InkColour(text.ink);
    if (glow > 0) paint::DrawGlow(painter, path, paint::WithAlpha(ink, 120), glow);
    painter.fillPath(path, ink);
}

// One size for every amount, so "10000" and "(700)" do not look smaller than "15".
QFont AmountFont(const PayoutsPicture& picture) {
    constexpr qreal kLargest = 14;
    const QFont font = paint::CaptionFont(kLargest);
    const QFontMetricsF metrics(font);
    QString widest;
    qreal room = PayoutsPicture::kWidth;
    for (const PayoutCell& cell : picture.cells) {
        const QString text = QString::fromStdString(cell.text);
        if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest)) widest = text;
        room = std::min(room, cell.box.width - 2 * kAmountPadding);
    }
    return paint::FitFont(font, widest, room / kMostSqueeze, kLargest);
}

}  // namespace

PayoutsPictureWidget::PayoutsPictureWidget(QWidget* parent)
    : QWidget(parent), picture_(BuildPayoutsPicture()) {
    setObjectName(QStringLiteral("Picture1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QColor PayoutsPictureWidget::InkColour(Ink ink) {
    switch (ink) {
        case Ink::White: return {246, 246, 250};
        case Ink::Red: return {255, 58, 52};
        case Ink::Green: return {70, 255, 110};
        case Ink::Gold: return {255, 208, 64};
        case Ink::Cyan: return {96, 214, 255};
    }
    return Qt::white;
}

QRectF PayoutsPictureWidget::AmountInk(const PayoutCell& cell) const {
    if (cell.text.empty()) return {};
    return BoxTextPath({cell.text, cell.ink, cell.box, TextAlign::Centre}, AmountFont(picture_), kAmountPadding)
        .boundingRect();
}

QSize PayoutsPictureWidget::sizeHint() const {
    return {PayoutsPicture::kWidth, PayoutsPicture::kHeight};
}

QSize PayoutsPictureWidget::minimumSizeHint() const {
    return sizeHint();
}

QRectF PayoutsPictureWidget::PictureRect() const {
    const qreal scale = std::min(width() / qreal(PayoutsPicture::kWidth), height() / qreal(PayoutsPicture::kHeight));
    const QSizeF shown(PayoutsPicture::kWidth * scale, PayoutsPicture::kHeight * scale);
    return QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void PayoutsPictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = paint::TargetPixelRatio(painter);
    painter.drawPixmap(0, 0, shown_.Get(QStringLiteral("payouts"), size(), ratio, [this](QPainter& p) {
        p.fillRect(rect(), kSurround);
        const QRectF shown = PictureRect();
        p.translate(shown.topLeft());
        p.scale(shown.width() / PayoutsPicture::kWidth, shown.height() / PayoutsPicture::kHeight);
        PaintPicture(p);
    }));
}

void PayoutsPictureWidget::PaintPicture(QPainter& painter) const {
    const QRectF whole(0, 0, PayoutsPicture::kWidth, PayoutsPicture::kHeight);
    QLinearGradient backdrop(whole.topLeft(), whole.bottomLeft());
    backdrop.setColorAt(0.0, QColor(16, 20, 58));
    backdrop.setColorAt(0.2, QColor(6, 8, 26));
    backdrop.setColorAt(1.0, QColor(4, 6, 18));
    painter.fillRect(whole, backdrop);

    for (const PictureBall& ball : picture_.balls) {
        PaintGlossyBall(painter, ToRect(ball.box), BallColourFor(ball.number), QString::number(ball.number));
    }
    DrawBoxText(painter, picture_.heading, paint::FaceFont(17), 3.0);

    // Headers and the squares below the diagonal are framed; the triangle above it holds the note.
    painter.setPen(QPen(kRule, 1.0));
    for (const PictureText& label : picture_.labels) {
        if (label.text == "HITS") continue;
        painter.setBrush(kHeaderFill);
        painter.drawRect(RuleRect(label.box));
    }
    for (const PayoutCell& cell : picture_.cells) {
        painter.setBrush(cell.offer ? QColor(34, 8, 16) : kCellFill);
        painter.drawRect(RuleRect(cell.box));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFrame, 1.5));
    painter.drawRect(ToRect(picture_.grid).adjusted(-1, -1, 1, 1));  // clear of the squares' own rules

    for (const PictureText& label : picture_.labels) {
        const qreal size = label.text == "SPOTS" ? 10 : label.text == "HITS" ? 11 : 13;
        DrawBoxText(painter, label, paint::CaptionFont(size), 0.0);
    }
    const QFont amounts = AmountFont(picture_);
    for (const PayoutCell& cell : picture_.cells) {
        if (cell.text.empty()) continue;
        DrawBoxText(painter, {cell.text, cell.ink, cell.box, TextAlign::Centre}, amounts, cell.offer ? 1.5 : 0.0,
                    kAmountPadding);
    }
    for (const PictureText& line : picture_.note) {
        DrawBoxText(painter, line, paint::FaceFont(12), 1.5);
    }
}

}  // namespace keno
