#include "charts/ChartsWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "charts/ChartsPicture.h"
#include "history/GameHistory.h"
#include "widgets/ImageButton.h"

namespace keno {

ChartsWindow::ChartsWindow(GameHistory& history, QWidget* parent)
    : QWidget(parent, Qt::Window),
      history_(history),
      picture_(new ChartsPicture(this)),
      returnToGame_(new ImageButton(QStringLiteral("Return to Game"), QColor(230, 170, 30), this)) {
    setObjectName(QStringLiteral("charts"));
    setWindowTitle(QStringLiteral("Charts"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(6, 8, 20));
    setPalette(dark);
    setAutoFillBackground(true);

    returnToGame_->setObjectName(QStringLiteral("chartsreturn"));
    returnToGame_->setFixedSize(190, 44);
    connect(returnToGame_, &ImageButton::clicked, this, &ChartsWindow::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(returnToGame_);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 4);
    column->setSpacing(2);
    column->addWidget(picture_, 1);
    column->addLayout(buttons);
    resize(800, 580);
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

// The picture scales by itself; the button grows with it.
void ChartsWindow::resizeEvent(QResizeEvent* event) {
    const qreal k = std::clamp(std::min(width() / 800.0, height() / 580.0), 1.0, 4.0);
    returnToGame_->setFixedSize(qRound(190 * k), qRound(44 * k));
    QWidget::resizeEvent(event);
}

void ChartsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace keno
