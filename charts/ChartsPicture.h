#pragma once
#include <QPixmap>
#include <QWidget>

#include <optional>

#include "charts/ChartsData.h"

namespace keno {

// The charts screen's picture, painted on a kWidth x kHeight canvas that scales with the widget,
// keeping its shape: the credit after each of the last games (a line), the hits per game against
// a fair draw's for the tickets played (bars), how often each number was drawn (a heat map laid
// out like the board) and the verdict of the chi-square test. It gives the facts of the past and
// no advice on what to play: every number has the same chance in every game.
class ChartsPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 760;
    static constexpr int kHeight = 500;

    explicit ChartsPicture(QWidget* parent = nullptr);

    // "Reading the history..." until ShowData.
    void ShowLoading(const QString& player);
    void ShowData(ChartsData charts, const QString& player);
    bool Loading() const { return !data_; }
    const ChartsData* Data() const { return data_ ? &*data_ : nullptr; }
    // In words, for screen readers and tests: games, credit, hits and the verdict.
    QString Summary() const;

    QSize sizeHint() const override { return {kWidth, kHeight}; }
    QSize minimumSizeHint() const override { return {kWidth / 2, kHeight / 2}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Paint(QPainter& p) const;

    std::optional<ChartsData> data_;
    QString player_;
    QPixmap cache_;  // the picture at the widget's size; dropped when the data or the size change
};

}  // namespace keno
