#include "odds/OddsSheetWidget.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>

#include "odds/OddsAccessibility.h"
#include "odds/OddsPaint.h"
#include "odds/OddsText.h"
#include "widgets/PaintKit.h"

namespace keno {

namespace {

using namespace oddspaint;

constexpr qreal kTableLeft = 16;
constexpr qreal kTop = 82;
constexpr qreal kTableWidth = 480;
constexpr qreal kBlockHeight = 310;  // table and chart
constexpr qreal kHeaderHeight = 30;
constexpr qreal kChartLeft = 512;
constexpr qreal kChartWidth = 232;
constexpr qreal kFiguresTop = kTop + kBlockHeight + 12;
constexpr qreal kFigureHeight = 25;
constexpr qreal kPad = 7;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Column widths by what the columns hold; they add up to the table's width.
std::vector<qreal> ColumnWidths(const OddsSheet& sheet) {
    if (!sheet.everyTicket) return {56, 82, 108, 134, 100};
    if (sheet.columns.size() == 6) return {50, 74, 120, 78, 79, 79};
    return {60, 84, 132, 102, 102};
}

QColor BarColour(OddsSheet::Ink ink) {
    switch (ink) {
        case OddsSheet::Ink::Pays: return kGold;
        case OddsSheet::Ink::Offer: return kRed;
        case OddsSheet::Ink::Plain: break;
    }
    return kBlue;
}

void PaintHeading(QPainter& p, const OddsSheet& sheet) {
    const QColor neon = sheet.game == OddsGame::Keno22 ? QColor(255, 64, 214) : QColor(0, 200, 255);
    DrawText(p, QRectF(0, 6, OddsSheetWidget::kWidth, 44), Qt::AlignCenter, Q(sheet.heading), paint::FaceFont(30),
             paint::Mix(neon, Qt::white, 0.5), 6);
    DrawText(p, QRectF(0, 50, OddsSheetWidget::kWidth, 24), Qt::AlignCenter, Q(sheet.subheading), paint::FaceFont(16),
             kCyan, 2);
}

// A caption too wide for its column goes on two lines.
void PaintHeaderCell(QPainter& p, const QRectF& box, const QString& caption) {
    const QFont font = paint::CaptionFont(12);
    const Wrapped wrapped = WrapToFit(caption, font, box.adjusted(3, 2, -3, -2).size(), 2, 12);
    DrawWrapped(p, box.adjusted(3, 2, -3, -2), wrapped, kCyan);
}

void PaintTable(QPainter& p, const OddsSheet& sheet) {
    const std::vector<qreal> widths = ColumnWidths(sheet);
    const std::size_t columns = std::min(widths.size(), sheet.columns.size());
    const qreal rowHeight = std::min<qreal>(34, (kBlockHeight - kHeaderHeight) /
                                                       static_cast<qreal>(std::max<std::size_t>(1, sheet.rows.size())));

    p.setPen(QPen(kRule, 1.0));
    qreal x = kTableLeft;
    for (std::size_t c = 0; c < columns; ++c) {
        const QRectF box(x, kTop, widths[c], kHeaderHeight);
        p.setBrush(kHeaderFill);
        p.drawRect(box);
        PaintHeaderCell(p, box, Q(sheet.columns[c]));
        x += widths[c];
    }
    qreal y = kTop + kHeaderHeight;
    const QFont font = paint::CaptionFont(std::min<qreal>(16, rowHeight * 0.6));
    for (const OddsSheet::Row& row : sheet.rows) {
        x = kTableLeft;
        const bool offer = row.ink == OddsSheet::Ink::Offer;
        for (std::size_t c = 0; c < columns; ++c) {
            const QRectF box(x, y, widths[c], rowHeight);
            p.setPen(QPen(kRule, 1.0));
            p.setBrush(offer ? kOfferFill : kCellFill);
            p.drawRect(box);
            const QString text = c < row.cells.size() ? Q(row.cells[c]) : QString();
            QColor ink = row.ink == OddsSheet::Ink::Plain ? kDim : kWhite;
            if (c == 0) ink = kCyan;
            else if (c == 1 && !sheet.everyTicket) ink = offer ? kRed : kGold;
            else if (c == 1) ink = kGold;
            const Qt::Alignment align = c == 0 ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter);
            DrawText(p, box.adjusted(kPad, 0, -kPad, 0), align, text, font, ink, offer && c == 1 ? 1.5 : 0);
            x += widths[c];
        }
        y += rowHeight;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kFrame, 1.5));
    p.drawRect(QRectF(kTableLeft - 1, kTop - 1, kTableWidth + 2, y - kTop + 2));
}

void PaintChart(QPainter& p, const OddsSheet& sheet) {
    const QRectF frame(kChartLeft, kTop, kChartWidth, kBlockHeight);
    p.setPen(QPen(kFrame, 1.5));
    p.setBrush(kCellFill);
    p.drawRoundedRect(frame, 6, 6);
    DrawText(p, QRectF(frame.left() + 8, frame.top() + 4, frame.width() - 16, 24), Qt::AlignCenter,
             Q(sheet.barsTitle), paint::CaptionFont(13), kGold, 1.5);

    const QRectF plot(frame.left() + 14, frame.top() + 52, frame.width() - 28, frame.height() - 120);
    long double most = 0;
    for (const OddsSheet::Bar& bar : sheet.bars) most = std::max(most, bar.value);
    if (sheet.bars.empty() || most <= 0) return;

    // Gridlines at quarters of the tallest bar, whose chance is written at the top.
    p.setPen(QPen(paint::WithAlpha(kRule, 160), 1.0, Qt::DotLine));
    for (int q = 1; q <= 4; ++q) {
        const qreal y = plot.bottom() - plot.height() * q / 4;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    DrawText(p, QRectF(plot.left(), plot.top() - 20, plot.width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
             Q(PercentText(most)), paint::CaptionFont(11), kDim);

    const qreal pitch = plot.width() / static_cast<qreal>(sheet.bars.size());
    const qreal width = pitch * 0.7;
    for (std::size_t i = 0; i < sheet.bars.size(); ++i) {
        const OddsSheet::Bar& bar = sheet.bars[i];
        const qreal left = plot.left() + pitch * static_cast<qreal>(i) + (pitch - width) / 2;
        // The rarest counts would vanish: a hairline keeps them on the picture.
        const qreal height = std::max<qreal>(1.0, plot.height() * static_cast<qreal>(bar.value / most));
        const QRectF shape(left, plot.bottom() - height, width, height);
        QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
        fill.setColorAt(0, paint::Mix(BarColour(bar.ink), Qt::white, 0.35));
        fill.setColorAt(1, BarColour(bar.ink));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRect(shape);
        DrawText(p, QRectF(plot.left() + pitch * static_cast<qreal>(i), plot.bottom() + 3, pitch, 16), Qt::AlignCenter,
                 Q(bar.label), paint::CaptionFont(12), kCyan);
    }
    p.setPen(QPen(kDim, 1.0));
    p.drawLine(QPointF(plot.left(), plot.bottom() + 0.5), QPointF(plot.right(), plot.bottom() + 0.5));
    DrawText(p, QRectF(plot.left(), plot.bottom() + 20, plot.width(), 14), Qt::AlignCenter,
             sheet.everyTicket ? QStringLiteral("SPOTS") : QStringLiteral("HITS"), paint::CaptionFont(11), kDim);

    // The key: which colours pay.
    struct Key {
        QColor colour;
        QString text;
    };
    std::vector<Key> keys{{kGold, QStringLiteral("pays")}};
    if (!sheet.everyTicket) {
        keys.insert(keys.begin(), {kBlue, QStringLiteral("no pay")});
        const bool offers = std::any_of(sheet.bars.begin(), sheet.bars.end(),
                                        [](const OddsSheet::Bar& bar) { return bar.ink == OddsSheet::Ink::Offer; });
        if (offers) keys.push_back({kRed, QStringLiteral("offer")});
    }
    const qreal keyWidth = plot.width() / static_cast<qreal>(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const qreal left = plot.left() + keyWidth * static_cast<qreal>(i);
        const QRectF swatch(left + 4, frame.bottom() - 24, 10, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(keys[i].colour);
        p.drawRect(swatch);
        DrawText(p, QRectF(swatch.right() + 5, swatch.top() - 3, keyWidth - 22, 16), Qt::AlignLeft | Qt::AlignVCenter,
                 keys[i].text, paint::CaptionFont(11), kWhite);
    }
}

void PaintFigures(QPainter& p, const OddsSheet& sheet) {
    const qreal columnWidth = (OddsSheetWidget::kWidth - 2 * kTableLeft - 16) / 2;
    for (std::size_t i = 0; i < sheet.figures.size(); ++i) {
        const qreal left = kTableLeft + static_cast<qreal>(i % 2) * (columnWidth + 16);
        const qreal top = kFiguresTop + static_cast<qreal>(i / 2) * (kFigureHeight + 4);
        const QRectF box(left, top, columnWidth, kFigureHeight);
        p.setPen(QPen(kRule, 1.0));
        p.setBrush(kHeaderFill);
        p.drawRoundedRect(box, 4, 4);
        const QString value = Q(sheet.figures[i].value);
        const QFont valueFont = paint::CaptionFont(15);
        const qreal valueWidth = std::min(box.width() * 0.48, QFontMetricsF(valueFont).horizontalAdvance(value) + 4);
        DrawText(p, box.adjusted(kPad, 0, -kPad - valueWidth - 6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 Q(sheet.figures[i].label), paint::CaptionFont(13), kCyan);
        DrawText(p, box.adjusted(box.width() - kPad - valueWidth, 0, -kPad, 0), Qt::AlignRight | Qt::AlignVCenter,
                 value, valueFont, kGold, 1.5);
    }
    const qreal rows = static_cast<qreal>((sheet.figures.size() + 1) / 2);
    const qreal top = kFiguresTop + rows * (kFigureHeight + 4) + (rows > 0 ? 2 : 8);
    const QRectF noteBox(kTableLeft, top, OddsSheetWidget::kWidth - 2 * kTableLeft, OddsSheetWidget::kHeight - top - 4);
    DrawWrapped(p, noteBox, WrapToFit(Q(sheet.note), paint::FaceFont(13, false), noteBox.size(), 2, 13), kGreen);
}

void PaintCanvas(QPainter& p, const OddsSheet& sheet) {
    const QRectF whole(0, 0, OddsSheetWidget::kWidth, OddsSheetWidget::kHeight);
    QLinearGradient backdrop(whole.topLeft(), whole.bottomLeft());
    backdrop.setColorAt(0.0, QColor(16, 20, 58));
    backdrop.setColorAt(0.2, QColor(6, 8, 26));
    backdrop.setColorAt(1.0, QColor(4, 6, 18));
    p.fillRect(whole, backdrop);
    PaintHeading(p, sheet);
    PaintTable(p, sheet);
    PaintChart(p, sheet);
    PaintFigures(p, sheet);
}

}  // namespace

OddsSheetWidget::OddsSheetWidget(QWidget* parent) : QWidget(parent) {
    InstallOddsAccessibility();
    setObjectName(QStringLiteral("oddssheet"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    SetSheet(BuildOddsSheet(OddsGame::Keno22, 0, 1));
}

void OddsSheetWidget::SetSheet(OddsSheet sheet) {
    sheet_ = std::move(sheet);
    const QString key = Q(sheet_.Spoken());
    if (key == key_) return;
    key_ = key;
    update();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

QRectF OddsSheetWidget::CanvasRect() const {
    const qreal scale = std::min(width() / qreal(kWidth), height() / qreal(kHeight));
    const QSizeF shown(kWidth * scale, kHeight * scale);
    return QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

QSize OddsSheetWidget::sizeHint() const { return {kWidth, kHeight}; }

QSize OddsSheetWidget::minimumSizeHint() const { return {kWidth / 2, kHeight / 2}; }

void OddsSheetWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = paint::TargetPixelRatio(painter);
    const QString key = QStringLiteral("odds/%1").arg(qHash(key_), 0, 16);
    painter.drawPixmap(0, 0, paint::Cached(key, size(), ratio, [this](QPainter& p) {
        p.fillRect(rect(), kSurround);
        const QRectF shown = CanvasRect();
        p.translate(shown.topLeft());
        p.scale(shown.width() / kWidth, shown.height() / kHeight);
        PaintCanvas(p, sheet_);
    }));
}

}  // namespace keno
