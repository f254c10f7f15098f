#include "recall/RecallBoard.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "widgets/BallArt.h"
#include "widgets/BallWidget.h"
#include "widgets/PaintKit.h"

namespace keno {

namespace {

using Square = RecallReplay::Square;

const QColor kSurround(6, 8, 20);
const QColor kPlainFill(12, 14, 34);
const QColor kBlueNumber(92, 132, 255);
const QColor kGold(255, 208, 64);
const QColor kOrangeRed(255, 60, 20);
const QColor kMagenta(255, 60, 210);
const QColor kCyan(96, 214, 255);
const QColor kDim(150, 160, 196);
const QColor kWhite(246, 246, 250);

constexpr qreal kBoardLeft = 8;
constexpr qreal kBoardTop = 6;
constexpr qreal kCellW = 40;
constexpr qreal kCellH = 26;
constexpr qreal kHalfGap = 8;  // between 31..40 and 41..50, as on the game's board
constexpr qreal kRightLeft = 424;
constexpr qreal kRightWidth = 328;
constexpr qreal kBall = 30;

QRectF CellRect(int number) {
    const int row = (number - 1) / 10, column = (number - 1) % 10;
    const qreal top = kBoardTop + row * kCellH + (row >= 4 ? kHalfGap : 0);
    return {kBoardLeft + column * kCellW + 1, top + 1, kCellW - 2, kCellH - 2};
}

void PaintCell(QPainter& p, int number, Square state) {
    const QRectF box = CellRect(number);
    QColor fill = kPlainFill, ink = kBlueNumber, edge(40, 52, 110);
    qreal edgeWidth = 1;
    switch (state) {
        case Square::Plain: break;
        case Square::Marked: ink = kWhite, edge = kGold, edgeWidth = 2.2; break;
        case Square::Drawn: fill = QColor(255, 255, 255), ink = kOrangeRed; break;
        case Square::Hit: fill = kGold, ink = QColor(60, 20, 0), edge = QColor(255, 250, 210), edgeWidth = 2.2; break;
        case Square::ExtraDrawn: fill = QColor(255, 190, 240), ink = QColor(120, 0, 90), edge = kMagenta, edgeWidth = 2.2; break;
        case Square::ExtraHit: fill = kGold, ink = QColor(60, 20, 0), edge = kMagenta, edgeWidth = 3; break;
    }
    QPainterPath shape;
    shape.addRoundedRect(box, 4, 4);
    if (state == Square::Hit || state == Square::ExtraHit) paint::DrawGlow(p, shape, QColor(255, 200, 0, 200), 4);
    p.fillPath(shape, fill);
    p.setPen(QPen(edge, edgeWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.setPen(ink);
    p.setFont(paint::FaceFont(14));
    p.drawText(box, Qt::AlignCenter, QString::number(number));
    if (state == Square::ExtraDrawn || state == Square::ExtraHit) {
        p.setFont(paint::FaceFont(9));
        p.setPen(kMagenta.darker(130));
        p.drawText(box.adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignTop, QStringLiteral("+"));
    }
}

void Caption(QPainter& p, const QRectF& box, const QString& text, const QColor& ink, qreal size = 11,
             Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setFont(paint::FitFont(paint::FaceFont(size), text, box.width(), size));
    p.setPen(ink);
    p.drawText(box, align, text);
}

}  // namespace

RecallBoard::RecallBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("recallboard"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Replay of the chosen game"));
}

void RecallBoard::SetReplay(const RecallReplay* replay) {
    replay_ = replay;
    Changed();
}

void RecallBoard::Changed() {
    QString description = QStringLiteral("No game chosen");
    if (replay_) {
        const SettledGame& g = replay_->Record().game;
        description = QStringLiteral("Ticket %1. Balls so far: %2. Hits so far %3.")
                          .arg(QString::fromStdString(recalltext::Ticket(g.ticket)))
                          .arg(QString::fromStdString(recalltext::Ticket(
                              {replay_->Balls().begin(), replay_->Balls().begin() + static_cast<std::ptrdiff_t>(replay_->Shown())})))
                          .arg(replay_->HitsSoFar());
        if (replay_->Finished()) description += QLatin1Char(' ') + QString::fromStdString(recalltext::Result(g));
    }
    setAccessibleDescription(description);
    update();
}

void RecallBoard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kSurround);
    const qreal scale = std::min(width() / qreal(kWidth), height() / qreal(kHeight));
    p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintBoard(p);
    PaintBalls(p);
    PaintResult(p);
}

void RecallBoard::PaintBoard(QPainter& p) const {
    for (int n = 1; n <= 80; ++n) PaintCell(p, n, replay_ ? replay_->SquareAt(n) : Square::Plain);
}

void RecallBoard::PaintBalls(QPainter& p) const {
    Caption(p, QRectF(kRightLeft, 2, kRightWidth, 16), QStringLiteral("BALLS IN THE ORDER THEY FELL"), kCyan);
    const qreal pitch = kRightWidth / 10;
    for (int i = 0; i < 20; ++i) {
        const QRectF box(kRightLeft + (i % 10) * pitch + (pitch - kBall) / 2, 20 + (i / 10) * (kBall + 3), kBall, kBall);
        const bool fallen = replay_ && static_cast<std::size_t>(i) < replay_->Shown();
        if (fallen) {
            const int n = replay_->Balls()[static_cast<std::size_t>(i)];
            PaintGlossyBall(p, box, BallColourFor(n), QString::number(n), 0.62);
        } else {
            p.setPen(QPen(QColor(40, 52, 110), 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(box.adjusted(3, 3, -3, -3));
        }
    }
    const bool extras = replay_ && !replay_->Record().game.extra.empty();
    const qreal extraTop = 20 + 2 * (kBall + 3) + 6;
    Caption(p, QRectF(kRightLeft, extraTop, 120, kBall), QStringLiteral("EXTRA BALLS"), extras ? kMagenta : kDim);
    for (int i = 0; i < 2; ++i) {
        const QRectF box(kRightLeft + 124 + i * pitch, extraTop, kBall, kBall);
        const std::size_t position = 20 + static_cast<std::size_t>(i);
        if (extras && position < replay_->Shown()) {
            const int n = replay_->Balls()[position];
            QPainterPath ring;
            ring.addEllipse(box.adjusted(-2, -2, 2, 2));
            paint::DrawGlow(p, ring, QColor(255, 60, 210, 200), 4);
            PaintGlossyBall(p, box, BallColourFor(n), QString::number(n), 0.62);
        } else {
            p.setPen(QPen(QColor(40, 52, 110), 1, extras ? Qt::SolidLine : Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(box.adjusted(3, 3, -3, -3));
        }
    }
    if (replay_ && replay_->Record().game.game == 22 && !extras) {
        const QString why = replay_->Record().game.offer == OfferChoice::TookWin ? QStringLiteral("not bought")
                                                                                 : QStringLiteral("none offered");
        Caption(p, QRectF(kRightLeft + 124 + 2 * pitch, extraTop, 120, kBall), why, kDim, 10);
    }

    // What the colours of the board mean.
    const qreal legendTop = extraTop + kBall + 8;
    struct Key {
        QColor fill, edge;
        QString text;
    };
    const Key keys[] = {{kPlainFill, kGold, QStringLiteral("YOUR NUMBER")},
                        {kGold, kGold, QStringLiteral("HIT")},
                        {QColor(255, 255, 255), QColor(255, 255, 255), QStringLiteral("DRAWN")},
                        {QColor(255, 190, 240), kMagenta, QStringLiteral("EXTRA BALL")}};
    const QFont font = paint::FaceFont(10);
    qreal x = kRightLeft;
    for (const Key& key : keys) {
        p.setPen(QPen(key.edge, 2));
        p.setBrush(key.fill);
        p.drawRoundedRect(QRectF(x + 1, legendTop + 3, 13, 11), 2, 2);
        const qreal width = QFontMetricsF(font).horizontalAdvance(key.text) + 2;
        Caption(p, QRectF(x + 19, legendTop, width, 16), key.text, kDim, 10);
        x += 19 + width + 10;
    }
}

void RecallBoard::PaintResult(QPainter& p) const {
    const QRectF hitsBox(kRightLeft, 164, 110, 64);
    const QRectF resultBox(kRightLeft + 116, 164, kRightWidth - 116, 64);
    p.setPen(QPen(QColor(58, 74, 140), 1));
    p.setBrush(QColor(9, 13, 36));
    p.drawRoundedRect(hitsBox, 6, 6);
    p.drawRoundedRect(resultBox, 6, 6);
    if (!replay_) {
        Caption(p, resultBox.adjusted(8, 0, -8, 0), QStringLiteral("Choose a game in the list"), kDim, 13,
                Qt::AlignCenter);
        return;
    }
    const SettledGame& g = replay_->Record().game;
    Caption(p, hitsBox.adjusted(0, 4, 0, -40), QStringLiteral("HITS"), kCyan, 11, Qt::AlignCenter);
    paint::DrawNeonText(p, hitsBox.adjusted(0, 22, 0, -4), Qt::AlignCenter, QString::number(replay_->HitsSoFar()),
                        paint::MeterFont(30), QColor(140, 230, 255), QColor(0, 160, 255), 4);
    if (!replay_->Finished()) {
        Caption(p, resultBox.adjusted(8, 0, -8, 0), QStringLiteral("Replaying..."), kDim, 13, Qt::AlignCenter);
        return;
    }
    const QString win = g.win > 0 ? QStringLiteral("WIN %1").arg(g.win) : QStringLiteral("NO WIN");
    paint::DrawNeonText(p, resultBox.adjusted(8, 2, -8, -30), Qt::AlignCenter, win, paint::FaceFont(24),
                        g.win > 0 ? QColor(170, 255, 180) : kWhite, g.win > 0 ? QColor(40, 255, 90) : kDim,
                        g.win > 0 ? 5 : 0);
    QString detail = QStringLiteral("%1 hit, bet %2")
                         .arg(QString::fromStdString(recalltext::Hits(g)), QString::fromStdString(recalltext::Bet(g)));
    if (g.offer == OfferChoice::Bought) detail += QStringLiteral(", extra balls bought");
    if (g.offer == OfferChoice::TookWin) detail += QStringLiteral(", win taken at the offer");
    Caption(p, resultBox.adjusted(8, 36, -8, -4), detail, kDim, 11, Qt::AlignCenter);
}

}  // namespace keno
