#include "charts/ChartsPicture.h"

#include <QPainter>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "widgets/PaintKit.h"

namespace keno {

namespace {

const QColor kSurround(6, 8, 20);
const QColor kPanel(9, 13, 36);
const QColor kRule(58, 74, 140);
const QColor kGrid(28, 36, 78);
const QColor kWhite(246, 246, 250);
const QColor kDim(150, 160, 196);
const QColor kGold(255, 208, 64);
const QColor kCyan(96, 214, 255);
const QColor kGreen(70, 255, 110);
const QColor kRed(255, 80, 70);
const QColor kBlue(70, 110, 235);
const QColor kOrange(255, 150, 40);

const QRectF kCreditPanel(12, 48, 362, 214);
const QRectF kHitsPanel(386, 48, 362, 214);
const QRectF kHeatPanel(12, 272, 450, 220);
const QRectF kVerdictPanel(474, 272, 274, 220);

QString Number(std::int64_t n) { return QLocale(QLocale::English).toString(static_cast<qlonglong>(n)); }

void Text(QPainter& p, const QRectF& box, const QString& text, const QColor& ink, qreal size,
          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool bold = true) {
    p.setFont(paint::FitFont(paint::FaceFont(size, bold), text, box.width(), size));
    p.setPen(ink);
    p.drawText(box, align, text);
}

// Words wrapped into box at the largest size up to maxSize that fits it.
void Wrapped(QPainter& p, const QRectF& box, const QString& text, const QColor& ink, qreal maxSize,
             bool bold = false, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    QFont font = paint::FaceFont(maxSize, bold);
    for (qreal size = maxSize; size >= 7; size -= 0.5) {
        font.setPixelSize(static_cast<int>(size));
        const QRectF need = QFontMetricsF(font).boundingRect(box, static_cast<int>(align) | Qt::TextWordWrap, text);
        if (need.height() <= box.height() && need.width() <= box.width()) break;
    }
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, static_cast<int>(align) | Qt::TextWordWrap, text);
}

void PanelFrame(QPainter& p, const QRectF& box, const QString& title, const QColor& edge) {
    p.setPen(QPen(edge, 1.5));
    p.setBrush(kPanel);
    p.drawRoundedRect(box, 7, 7);
    Text(p, QRectF(box.left() + 10, box.top() + 4, box.width() - 20, 18), title, paint::Mix(edge, Qt::white, 0.35), 12);
}

void PaintCredit(QPainter& p, const std::vector<std::int32_t>& credits) {
    const QString title = credits.size() > 1 ? QStringLiteral("CREDIT AFTER EACH OF THE LAST %1 GAMES").arg(credits.size())
                                             : QStringLiteral("CREDIT AFTER EACH GAME");
    PanelFrame(p, kCreditPanel, title, kGold);
    const QRectF plot(kCreditPanel.left() + 52, kCreditPanel.top() + 30, kCreditPanel.width() - 64,
                      kCreditPanel.height() - 58);
    if (credits.size() < 2) {
        Text(p, plot, QStringLiteral("A line needs two games or more"), kDim, 13, Qt::AlignCenter, false);
        return;
    }
    const auto [low, high] = std::minmax_element(credits.begin(), credits.end());
    std::int64_t bottom = std::min<std::int64_t>(0, *low), top = std::max<std::int64_t>(*high, bottom + 1);
    const auto y = [&](std::int64_t v) {
        return plot.bottom() - plot.height() * static_cast<qreal>(v - bottom) / static_cast<qreal>(top - bottom);
    };
    const auto x = [&](std::size_t i) {
        return plot.left() + plot.width() * static_cast<qreal>(i) / static_cast<qreal>(credits.size() - 1);
    };
    // Three levels of the scale: the bottom (0 or less), the middle and the highest credit.
    for (std::int64_t level : {bottom, (bottom + top) / 2, top}) {
        p.setPen(QPen(kGrid, 1));
        p.drawLine(QPointF(plot.left(), y(level)), QPointF(plot.right(), y(level)));
        Text(p, QRectF(kCreditPanel.left() + 4, y(level) - 8, 44, 16), Number(level), kDim, 10,
             Qt::AlignRight | Qt::AlignVCenter, false);
    }
    QPainterPath line;
    line.moveTo(x(0), y(credits[0]));
    for (std::size_t i = 1; i < credits.size(); ++i) line.lineTo(x(i), y(credits[i]));
    QPainterPath area = line;
    area.lineTo(plot.right(), plot.bottom());
    area.lineTo(plot.left(), plot.bottom());
    area.closeSubpath();
    p.fillPath(area, paint::WithAlpha(kGold, 40));
    p.setPen(QPen(kGold, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(x(credits.size() - 1), y(credits.back())), 3, 3);
    Text(p, QRectF(plot.left(), plot.bottom() + 4, 80, 16), QStringLiteral("OLDEST"), kDim, 10,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    Text(p, QRectF(plot.right() - 150, plot.bottom() + 4, 150, 16),
         QStringLiteral("NOW %1").arg(Number(credits.back())), kGold, 11, Qt::AlignRight | Qt::AlignVCenter);
}

void PaintHits(QPainter& p, const HitDistribution& hits) {
    PanelFrame(p, kHitsPanel, QStringLiteral("HITS PER GAME AGAINST A FAIR DRAW"), kCyan);
    const QRectF plot(kHitsPanel.left() + 40, kHitsPanel.top() + 46, kHitsPanel.width() - 52,
                      kHitsPanel.height() - 80);
    if (hits.games == 0) {
        Text(p, plot, QStringLiteral("No games yet"), kDim, 13, Qt::AlignCenter, false);
        return;
    }
    QStringList sizes;
    for (int s : hits.spots) sizes << QString::number(s);
    Text(p, QRectF(kHitsPanel.left() + 10, kHitsPanel.top() + 22, kHitsPanel.width() - 20, 16),
         QStringLiteral("%1 games on tickets of %2 spots").arg(Number(hits.games), sizes.join(QStringLiteral(", "))),
         kDim, 10, Qt::AlignLeft | Qt::AlignVCenter, false);
    const int columns = hits.maxHits() + 1;
    double highest = 0;
    for (int h = 0; h < columns; ++h) {
        highest = std::max({highest, static_cast<double>(hits.observed[static_cast<std::size_t>(h)]),
                            hits.expected[static_cast<std::size_t>(h)]});
    }
    const double games = static_cast<double>(hits.games);
    // The scale in whole percent of the games, rounded up to a step of 10.
    const double topShare = std::max(10.0, std::ceil(100.0 * highest / games / 10.0) * 10.0);
    for (double level = 0; level <= topShare + 0.1; level += topShare / 2) {
        const qreal yy = plot.bottom() - plot.height() * level / topShare;
        p.setPen(QPen(kGrid, 1));
        p.drawLine(QPointF(plot.left(), yy), QPointF(plot.right(), yy));
        Text(p, QRectF(kHitsPanel.left() + 2, yy - 8, 34, 16), QStringLiteral("%1%").arg(level), kDim, 10,
             Qt::AlignRight | Qt::AlignVCenter, false);
    }
    const qreal slot = plot.width() / columns;
    for (int h = 0; h < columns; ++h) {
        const auto at = static_cast<std::size_t>(h);
        const qreal left = plot.left() + h * slot;
        const double observed = 100.0 * static_cast<double>(hits.observed[at]) / games;
        const double expected = 100.0 * hits.expected[at] / games;
        const qreal barTop = plot.bottom() - plot.height() * std::min(observed, topShare) / topShare;
        const qreal fairTop = plot.bottom() - plot.height() * std::min(expected, topShare) / topShare;
        const QRectF bar(left + slot * 0.18, barTop, slot * 0.64, plot.bottom() - barTop);
        p.setPen(Qt::NoPen);
        p.setBrush(paint::WithAlpha(kCyan, 200));
        p.drawRect(bar);
        // A fair draw's share: a gold outline over the same place.
        p.setPen(QPen(kGold, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(left + slot * 0.1, fairTop, slot * 0.8, plot.bottom() - fairTop));
        Text(p, QRectF(left, plot.bottom() + 2, slot, 14), QString::number(h), kWhite, 11, Qt::AlignCenter);
    }
    const qreal legendTop = kHitsPanel.bottom() - 18;
    p.setPen(Qt::NoPen);
    p.setBrush(paint::WithAlpha(kCyan, 200));
    p.drawRect(QRectF(kHitsPanel.left() + 12, legendTop + 3, 14, 10));
    Text(p, QRectF(kHitsPanel.left() + 30, legendTop, 110, 16), QStringLiteral("your games"), kDim, 10,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    p.setPen(QPen(kGold, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kHitsPanel.left() + 130, legendTop + 3, 14, 10));
    Text(p, QRectF(kHitsPanel.left() + 148, legendTop, 120, 16), QStringLiteral("a fair draw"), kDim, 10,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    Text(p, QRectF(kHitsPanel.right() - 90, legendTop, 80, 16), QStringLiteral("HITS"), kDim, 10,
         Qt::AlignRight | Qt::AlignVCenter, false);
}

// Blue below the count a fair draw expects, orange above, by how many standard deviations; a
// count near the expected one stays near grey, so chance's ordinary spread does not glow.
QColor HeatColour(double z) {
    const double t = std::clamp(std::abs(z) / 3.0, 0.0, 1.0);
    return paint::Mix(QColor(34, 38, 64), z < 0 ? kBlue : kOrange, 0.08 + 0.92 * t);
}

void PaintHeat(QPainter& p, const NumberCounts& draws) {
    const double expected = static_cast<double>(draws.games) * 20.0 / 80.0;
    const QString title = draws.games > 0
                              ? QStringLiteral("EACH NUMBER DRAWN IN %1 MAIN DRAWS (FAIR: ABOUT %2 EACH)")
                                    .arg(Number(draws.games), QString::number(expected, 'f', expected < 100 ? 1 : 0))
                              : QStringLiteral("HOW OFTEN EACH NUMBER WAS DRAWN");
    PanelFrame(p, kHeatPanel, title, QColor(255, 64, 214));
    const qreal cellW = (kHeatPanel.width() - 20) / 10, cellH = 20, gap = 6;
    const qreal top = kHeatPanel.top() + 26;
    // A number is in a draw of 20 with chance 1/4: its count is binomial, variance games x 3/16.
    const double sd = std::sqrt(static_cast<double>(draws.games) * 3.0 / 16.0);
    for (int n = 1; n <= 80; ++n) {
        const int row = (n - 1) / 10, column = (n - 1) % 10;
        const QRectF cell(kHeatPanel.left() + 10 + column * cellW + 1, top + row * cellH + (row >= 4 ? gap : 0) + 1,
                          cellW - 2, cellH - 2);
        const std::int64_t count = draws.main[static_cast<std::size_t>(n)];
        const double z = sd > 0 ? (static_cast<double>(count) - expected) / sd : 0;
        p.setPen(Qt::NoPen);
        p.setBrush(draws.games > 0 ? HeatColour(z) : QColor(20, 24, 48));
        p.drawRoundedRect(cell, 3, 3);
        Text(p, cell.adjusted(3, 0, -cellW / 2, 0), QString::number(n), kWhite, 10, Qt::AlignLeft | Qt::AlignVCenter);
        if (draws.games > 0) {
            Text(p, cell.adjusted(cellW / 2 - 4, 0, -3, 0), Number(count), paint::Mix(kWhite, kGold, 0.3), 10,
                 Qt::AlignRight | Qt::AlignVCenter, false);
        }
    }
    // The key: what the two colours mean, in standard deviations from a fair draw's count.
    const qreal keyTop = top + 8 * cellH + gap + 6;
    const QRectF bar(kHeatPanel.left() + 120, keyTop + 3, 210, 10);
    for (int i = 0; i < 42; ++i) {
        const double z = -3.0 + 6.0 * (i + 0.5) / 42;
        p.setPen(Qt::NoPen);
        p.setBrush(HeatColour(z));
        p.drawRect(QRectF(bar.left() + bar.width() * i / 42, bar.top(), bar.width() / 42 + 0.5, bar.height()));
    }
    Text(p, QRectF(kHeatPanel.left() + 10, keyTop, 106, 16), QStringLiteral("drawn less often"), kDim, 10,
         Qt::AlignRight | Qt::AlignVCenter, false);
    Text(p, QRectF(bar.right() + 4, keyTop, 110, 16), QStringLiteral("more often (3 sd)"), kDim, 10,
         Qt::AlignLeft | Qt::AlignVCenter, false);
}

void PaintVerdict(QPainter& p, const ChartsData& data) {
    PanelFrame(p, kVerdictPanel, QStringLiteral("IS THE DRAW FAIR?"), kGreen);
    const UniformityTest& test = data.uniformity;
    const bool unfair = test.enough && test.p < 1e-6;
    const QColor ink = !test.enough ? kDim : unfair ? kRed : test.p < 0.01 ? kOrange : kGreen;
    QString verdict = QString::fromStdString(data.verdict);
    if (!verdict.isEmpty()) verdict[0] = verdict[0].toUpper();
    Wrapped(p, kVerdictPanel.adjusted(12, 28, -12, -122), verdict, ink, 17, true, Qt::AlignCenter);
    QString how = QStringLiteral("A chi-square test of how evenly the 80 numbers came up in the 20 balls of each "
                                 "main draw");
    if (test.enough) {
        how += QStringLiteral(": X\u00b2 = %1 on %2 degrees of freedom.").arg(test.corrected, 0, 'f', 1).arg(test.dof);
    } else {
        how += QLatin1Char('.');
    }
    Wrapped(p, kVerdictPanel.adjusted(12, 100, -12, -52), how, kDim, 11);
    Wrapped(p, kVerdictPanel.adjusted(12, 170, -12, -6),
            QStringLiteral("Every number has the same chance in every game: what came up before does not change "
                           "what comes next."),
            paint::Mix(kDim, kWhite, 0.4), 11);
}

}  // namespace

ChartsPicture::ChartsPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chartspicture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Charts"));
}

void ChartsPicture::ShowLoading(const QString& player) {
    player_ = player;
    data_.reset();
    cache_ = QPixmap();
    setAccessibleDescription(Summary());
    update();
}

void ChartsPicture::ShowData(ChartsData charts, const QString& player) {
    player_ = player;
    data_ = std::move(charts);
    cache_ = QPixmap();
    setAccessibleDescription(Summary());
    update();
}

QString ChartsPicture::Summary() const {
    if (!data_) return QStringLiteral("Reading the history...");
    const ChartsData& d = *data_;
    if (d.draws.games == 0) return QStringLiteral("No games of this player yet.");
    QString text = QStringLiteral("%1 games. ").arg(d.draws.games);
    if (!d.credits.empty()) text += QStringLiteral("Credit now %1. ").arg(d.credits.back());
    text += QStringLiteral("Hits per game against a fair draw:");
    for (int h = 0; h <= d.hits.maxHits(); ++h) {
        const auto at = static_cast<std::size_t>(h);
        text += QStringLiteral(" %1 hits %2 (fair %3);").arg(h).arg(d.hits.observed[at]).arg(d.hits.expected[at], 0, 'f', 1);
    }
    return text + QStringLiteral(" The draw: ") + QString::fromStdString(d.verdict) + QLatin1Char('.');
}

void ChartsPicture::resizeEvent(QResizeEvent* event) {
    cache_ = QPixmap();
    QWidget::resizeEvent(event);
}

void ChartsPicture::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.size() != size() * ratio) {
        cache_ = QPixmap(size() * ratio);
        cache_.setDevicePixelRatio(ratio);
        cache_.fill(kSurround);
        QPainter p(&cache_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const qreal scale = std::min(width() / qreal(kWidth), height() / qreal(kHeight));
        p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
        p.scale(scale, scale);
        Paint(p);
    }
    QPainter(this).drawPixmap(0, 0, cache_);
}

void ChartsPicture::Paint(QPainter& p) const {
    const QString who = player_.isEmpty() ? QString() : QStringLiteral(" OF ") + player_.toUpper();
    paint::DrawNeonText(p, QRectF(0, 4, kWidth, 38), Qt::AlignCenter, QStringLiteral("CHARTS") + who,
                        paint::FitFont(paint::FaceFont(28), QStringLiteral("CHARTS") + who, kWidth - 40, 28),
                        QColor(255, 190, 245), QColor(255, 64, 214), 5);
    if (!data_) {
        Text(p, QRectF(0, 200, kWidth, 60), QStringLiteral("Reading the history..."), kDim, 20, Qt::AlignCenter);
        return;
    }
    if (data_->draws.games == 0) {
        Text(p, QRectF(0, 200, kWidth, 60), QStringLiteral("No games of this player yet"), kDim, 20, Qt::AlignCenter);
        return;
    }
    PaintCredit(p, data_->credits);
    PaintHits(p, data_->hits);
    PaintHeat(p, data_->draws);
    PaintVerdict(p, *data_);
}

}  // namespace keno
