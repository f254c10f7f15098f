#include "odds/ExtraBallAdvisor.h"

#include <QAccessible>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

#include "odds/OddsAccessibility.h"
#include "odds/OddsPaint.h"
#include "odds/OddsText.h"
#include "widgets/PaintKit.h"

namespace keno {

namespace {

using namespace oddspaint;

const QColor kEdge(255, 190, 0);
constexpr qreal kTextScale = 0.64;   // text height as a share of its row
constexpr qreal kStripAspect = 2.6;  // wider than this: two lines instead of a card

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Green where buying pays on average and can be bought now, gold where taking does; plain white
// for a tie and for what only states how the offer stands.
QColor AdviceColour(long double advantage, const OfferStanding& standing) {
    if (!standing.takeWinOpen) return kWhite;
    if (CoinsText(advantage) == "0") return kWhite;
    if (advantage > 0) return standing.creditCovers ? kGreen : kWhite;
    return kGold;
}

QString CostTitle(int bet) { return QStringLiteral("IF YOU BUY  \u00b7  COSTS %1").arg(bet); }

}  // namespace

ExtraBallAdvisor::ExtraBallAdvisor(QWidget* parent) : QWidget(parent) {
    InstallOddsAccessibility();
    setObjectName(QStringLiteral("extraballadvisor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

bool ExtraBallAdvisor::SetOffer(int spots, int hits, int bet, const OfferStanding& standing) {
    odds_ = KenoOdds::ExtraBalls(spots, hits, bet);
    standing_ = standing;
    Announce();
    return odds_.has_value();
}

void ExtraBallAdvisor::ClearOffer() {
    odds_.reset();
    Announce();
}

QString ExtraBallAdvisor::AdviceLine() const { return odds_ ? Q(OfferAdviceText(*odds_, standing_)) : QString(); }

void ExtraBallAdvisor::Announce() {
    const QString spoken = odds_ ? Q(SpokenAdvice(*odds_, standing_)) : QString();
    update();
    if (spoken == spoken_) return;
    spoken_ = spoken;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QSize ExtraBallAdvisor::sizeHint() const { return {240, 200}; }

QSize ExtraBallAdvisor::minimumSizeHint() const { return {120, 40}; }

void ExtraBallAdvisor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    smallest_ = 0;
    PaintPanel(painter, size());
}

void ExtraBallAdvisor::PaintPanel(QPainter& painter, QSizeF size) const {
    const qreal edge = std::max(1.0, std::min(size.width(), size.height()) * 0.012);
    const QRectF area = QRectF(QPointF(0, 0), size).adjusted(edge * 3, edge * 3, -edge * 3, -edge * 3);
    const qreal corner = std::min(area.width(), area.height()) * 0.08;
    QPainterPath shape;
    shape.addRoundedRect(area, corner, corner);
    paint::DrawStrokeGlow(painter, shape, edge, paint::WithAlpha(kEdge, 170), edge * 3);
    QLinearGradient well(area.topLeft(), area.bottomLeft());
    well.setColorAt(0.0, QColor(4, 4, 14));
    well.setColorAt(1.0, QColor(10, 14, 40));
    painter.fillPath(shape, well);
    painter.setPen(QPen(paint::Mix(kEdge, Qt::white, 0.3), edge));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    if (!odds_) return;

    const qreal pad = std::max(2.0, std::min(area.width(), area.height()) * 0.05);
    const QRectF inside = area.adjusted(pad, pad * 0.6, -pad, -pad * 0.6);
    if (inside.width() / std::max(1.0, inside.height()) > kStripAspect) PaintStrip(painter, inside);
    else PaintCard(painter, inside);
}

// Title; one row per answer (what, chance, win); what buying gives on average and what taking
// gives now; the advice, wrapped. The rows share one text size.
void ExtraBallAdvisor::PaintCard(QPainter& p, const QRectF& area) const {
    const ExtraBallOdds& odds = *odds_;
    const qreal unit = area.height() / 8.4;
    const qreal text = unit * kTextScale;
    qreal y = area.top();
    Note(DrawText(p, QRectF(area.left(), y, area.width(), unit), Qt::AlignCenter, CostTitle(odds.bet),
                  paint::FaceFont(text), kGold, text * 0.15));
    y += unit * 1.1;

    const qreal labelWidth = area.width() * 0.42, chanceWidth = area.width() * 0.34;
    const qreal winLeft = area.left() + labelWidth + chanceWidth, winWidth = area.right() - winLeft;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter, right = Qt::AlignRight | Qt::AlignVCenter;
    std::vector<Item> rows;
    for (const ExtraBallOutcome& outcome : odds.outcomes) {
        const bool possible = outcome.possible();
        rows.push_back({QRectF(area.left(), y, labelWidth, unit), Q(NewHitsText(outcome.newHits)), left,
                        possible ? kCyan : kDim});
        rows.push_back({QRectF(area.left() + labelWidth, y, chanceWidth, unit),
                        possible ? Q(PercentText(outcome.probability)) : QStringLiteral("\u2014"), right,
                        possible ? kWhite : kDim});
        if (possible) rows.push_back({QRectF(winLeft, y, winWidth, unit), QString::number(outcome.win), right, kGold});
        y += unit;
    }
    const qreal rule = y + unit * 0.15;
    y += unit * 0.3;
    rows.push_back({QRectF(area.left(), y, labelWidth + chanceWidth, unit), QStringLiteral("buying, on average"), left,
                    kCyan});
    rows.push_back({QRectF(winLeft - unit, y, winWidth + unit, unit), Q(CoinsText(odds.buyAverage)), right, kWhite});
    y += unit;
    const bool taking = standing_.takeWinOpen;
    rows.push_back({QRectF(area.left(), y, labelWidth + chanceWidth, unit), QStringLiteral("taking now"), left,
                    taking ? kCyan : kDim});
    rows.push_back({QRectF(winLeft - unit, y, winWidth + unit, unit),
                    taking ? QString::number(odds.takeNow) : QStringLiteral("\u2014"), right, taking ? kWhite : kDim});
    y += unit * 1.05;
    Note(DrawGroup(p, rows, paint::CaptionFont(text), text));
    p.setPen(QPen(paint::WithAlpha(kRule, 220), std::max(1.0, unit * 0.05)));
    p.drawLine(QPointF(area.left(), rule), QPointF(area.right(), rule));

    const QRectF adviceBox(area.left(), y, area.width(), area.bottom() - y);
    const Wrapped advice = WrapToFit(AdviceLine(), paint::FaceFont(text), adviceBox.size(), 3, text);
    Note(DrawWrapped(p, adviceBox, advice, AdviceColour(odds.advantage, standing_), advice.font.pixelSize() * 0.12));
}

// A wide strip: the title at the left; the three answers on the first line, buying against taking
// and the advice on the second, all at one size.
void ExtraBallAdvisor::PaintStrip(QPainter& p, const QRectF& area) const {
    const ExtraBallOdds& odds = *odds_;
    const qreal line = area.height() / 2;
    const qreal text = line * kTextScale;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;

    const qreal titleWidth = area.width() * 0.15;
    const std::vector<Item> title{
        {QRectF(area.left(), area.top(), titleWidth, line), QStringLiteral("IF YOU BUY"), Qt::AlignCenter, kGold},
        {QRectF(area.left(), area.top() + line, titleWidth, line), QStringLiteral("COSTS %1").arg(odds.bet),
         Qt::AlignCenter, kGold}};
    Note(DrawGroup(p, title, paint::FaceFont(text), text));

    const QRectF rest = area.adjusted(titleWidth + line * 0.3, 0, 0, 0);
    const qreal cell = rest.width() / 3;
    std::vector<Item> items;
    for (const ExtraBallOutcome& outcome : odds.outcomes) {
        const QString words = outcome.possible()
                                  ? QStringLiteral("%1 %2 \u2192 %3")
                                        .arg(Q(NewHitsText(outcome.newHits)), Q(PercentText(outcome.probability)))
                                        .arg(outcome.win)
                                  : QStringLiteral("%1 \u2014").arg(Q(NewHitsText(outcome.newHits)));
        items.push_back({QRectF(rest.left() + cell * outcome.newHits, rest.top(), cell - line * 0.2, line), words, left,
                         outcome.possible() ? kCyan : kDim});
    }
    const qreal compareWidth = rest.width() * 0.40;
    items.push_back({QRectF(rest.left(), rest.top() + line, compareWidth - line * 0.2, line),
                     QStringLiteral("buying avg %1 \u00b7 taking %2")
                         .arg(Q(CoinsText(odds.buyAverage)),
                              standing_.takeWinOpen ? QString::number(odds.takeNow) : QStringLiteral("\u2014")),
                     left, kWhite});
    items.push_back({QRectF(rest.left() + compareWidth, rest.top() + line, rest.width() - compareWidth, line),
                     AdviceLine(), left, AdviceColour(odds.advantage, standing_)});
    Note(DrawGroup(p, items, paint::CaptionFont(text), text));
}

void ExtraBallAdvisor::Note(qreal pixels) const { smallest_ = smallest_ == 0 ? pixels : std::min(smallest_, pixels); }

}  // namespace keno
