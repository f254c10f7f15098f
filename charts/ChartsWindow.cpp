#include "charts/ChartsWindow.h"

#include "charts/ChartsPicture.h"
#include "history/GameHistory.h"

namespace keno {

ChartsWindow::ChartsWindow(GameHistory& history, QWidget* parent)
    : PictureScreen({QColor(6, 8, 20), QSize(800, 580), QSize(190, 44), QStringLiteral("chartsreturn")}, parent),
      history_(history),
      picture_(new ChartsPicture(this)) {
    setObjectName(QStringLiteral("charts"));
    setWindowTitle(QStringLiteral("Charts"));
    SetPicture(picture_);
}

bool ChartsWindow::Loading() const { return picture_->Loading(); }

void ChartsWindow::Load(int slot, const QString& player) {
    const int asked = ++asked_;
    picture_->ShowLoading(player);
    history_.Ask(
        this, [slot](HistoryStore& store) { return LoadChartsData(store, slot); },
        [this, asked, player](ChartsData charts) {
            if (asked == asked_) picture_->ShowData(std::move(charts), player);
        });
}

}  // namespace keno
