#include "gamewindow/PendingPress.h"

#include <QTimer>
#include <QWidget>

#include <utility>

#include "widgets/ImageButton.h"

namespace keno {

PendingPress::PendingPress(QWidget& window) : QObject(&window), timer_(new QTimer(&window)) {
    timer_->setObjectName(QStringLiteral("pressdelay"));
    timer_->setSingleShot(true);
    timer_->setInterval(kPressMs);
    connect(timer_, &QTimer::timeout, this, &PendingPress::Finish);
}

void PendingPress::Start(ImageButton* button, std::function<void()> work) {
    Finish();
    if (button) button->setImageHidden(true);
    button_ = button;
    work_ = std::move(work);
    timer_->start();
}

bool PendingPress::Finish() {
    timer_->stop();
    if (button_) std::exchange(button_, nullptr)->setImageHidden(false);
    const std::function<void()> work = std::exchange(work_, nullptr);
    if (!work) return false;
    work();
    return true;
}

bool PendingPress::Waiting() const { return static_cast<bool>(work_); }

}  // namespace keno
