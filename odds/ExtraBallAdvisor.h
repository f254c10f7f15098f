#pragma once
#include <QWidget>
#include <optional>

#include "odds/KenoOdds.h"
#include "odds/OddsText.h"

namespace keno {

// The extra-ball advisor: while the offer is open, the three answers of the two extra balls with
// their chances and wins, what buying gives on average (the extra bet taken off) against the win
// taken now, and one line of advice. It only shows; it never presses anything. Painted to fit the
// size it is given: a card of rows when it is narrow, two lines when it is a wide strip. A screen
// reader reads it as one label.
class ExtraBallAdvisor : public QWidget {
    Q_OBJECT
public:
    explicit ExtraBallAdvisor(QWidget* parent = nullptr);

    // The offer of a game at (spots, hits) and its bet, and how it stands (after a refused
    // purchase TAKE WIN is gone; a short credit cannot buy). False, and an empty panel, when that
    // pair opens no offer or the bet is out of range.
    bool SetOffer(int spots, int hits, int bet, const OfferStanding& standing = {});
    void ClearOffer();
    const std::optional<ExtraBallOdds>& Odds() const { return odds_; }
    const OfferStanding& Standing() const { return standing_; }

    // Everything the panel shows, as one sentence; empty without an offer.
    QString SpokenText() const { return spoken_; }
    QString AdviceLine() const;
    // The smallest text of the last paint, in pixels: the panel must stay readable when small.
    qreal SmallestTextPixels() const { return smallest_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Announce();
    void PaintPanel(QPainter& painter, QSizeF size) const;
    void PaintCard(QPainter& painter, const QRectF& area) const;
    void PaintStrip(QPainter& painter, const QRectF& area) const;
    void Note(qreal pixels) const;  // keeps the smallest text size of this paint

    std::optional<ExtraBallOdds> odds_;
    OfferStanding standing_;
    QString spoken_;
    mutable qreal smallest_ = 0;
};

}  // namespace keno
