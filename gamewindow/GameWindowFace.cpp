// Building the face: the controls both games have, named as the view names them.
#include <QTimer>

#include "gamewindow/GameWindow.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/MeterLabel.h"
#include "widgets/TwipFace.h"

namespace keno {

void GameWindow::MakeFace(QSize designTwips, const QString& title, const QRect& titleTwips) {
    face_ = new TwipFace(designTwips, this);
    face_->setObjectName(QStringLiteral("face"));
    face_->setTitle(title, titleTwips);
    setCentralWidget(face_);
}

BoardSquare* GameWindow::AddSquare(int number, const QRect& twips) {
    auto* square = new BoardSquare(number);
    square->setObjectName(QStringLiteral("a_%1").arg(number));
    square->setToolTip(QStringLiteral("Click to select this number"));
    face_->place(square, twips);
    squares_[static_cast<std::size_t>(number)] = square;
    return square;
}

void GameWindow::AddPlayerLabel(const QRect& twips) {
    playerLabel_ = new LitLabel(QString(), QColor(120, 230, 255));
    playerLabel_->setObjectName(QStringLiteral("player"));
    playerLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    face_->place(playerLabel_, twips);
}

MeterLabel* GameWindow::AddMeter(const char* name, const char* caption, const QRect& twips, const QColor& digits,
                                 int cells) {
    auto* meter = new MeterLabel(QString::fromLatin1(caption));
    meter->setObjectName(QString::fromLatin1(name));
    meter->setDigitColour(digits);
    meter->setCells(cells);
    face_->place(meter, twips);
    return meter;
}

ImageButton* GameWindow::AddButton(const char* name, const char* caption, const QColor& colour, const QRect& twips,
                                   const char* tooltip) {
    auto* button = new ImageButton(QString::fromLatin1(caption), colour);
    button->setObjectName(QString::fromLatin1(name));
    if (tooltip != nullptr) button->setToolTip(QString::fromLatin1(tooltip));
    face_->place(button, twips);
    buttons_.emplace(name, button);
    return button;
}

void GameWindow::TakeTurns(std::initializer_list<const char*> names) {
    for (const char* name : names) takingTurns_.emplace(name);
}

QTimer* GameWindow::AddTimer(const char* name, int ms, std::function<void()> tick) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(ms);
    connect(timer, &QTimer::timeout, this, std::move(tick));
    timers_.emplace(name, timer);
    return timer;
}

ImageButton* GameWindow::Button(const char* name) const {
    auto it = buttons_.find(std::string_view(name));
    return it == buttons_.end() ? nullptr : it->second;
}

}  // namespace keno
