#pragma once
#include <QWidget>

#include "odds/OddsSheet.h"

namespace keno {

// The odds screen's picture: heading, the table of the ticket (or of every ticket), the bar
// picture of the chances, the returns and a note, painted from an OddsSheet on a 760 x 500 canvas
// that scales with the widget, keeping its shape, on a dark surround.
class OddsSheetWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 760;
    static constexpr int kHeight = 500;

    explicit OddsSheetWidget(QWidget* parent = nullptr);

    const OddsSheet& Sheet() const { return sheet_; }
    void SetSheet(OddsSheet sheet);
    // Where the canvas lands in the widget at its current size.
    QRectF CanvasRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OddsSheet sheet_;
    QString key_;  // what the sheet says, for the picture cache
};

}  // namespace keno
