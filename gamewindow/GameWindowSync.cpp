// Drawing the view model onto the widgets. Runs after every operation, paced step and timer tick,
// so it compares with what is already shown and touches only the widgets that changed; then it
// tells the extension points what changed in the ticket and the offer.
#include <QAction>
#include <QLabel>
#include <QTimer>

#include "gamewindow/GameWindow.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"

namespace keno {

void GameWindow::Sync(bool everything) {
    SyncSquares(everything);
    SyncControls(everything);
    SyncTexts(everything);
    SyncTimers();
    SyncGame(everything);
    NoticeChanges();
}

void GameWindow::SyncSquares(bool everything) {
    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        const SquareView& square = view_.Square(n);
        if (!everything && square == shown_.Square(n)) continue;
        squares_[static_cast<std::size_t>(n)]->setView(square);
        shown_.Square(n) = square;
    }
}

void GameWindow::SyncControls(bool everything) {
    for (const auto& [name, control] : view_.Controls()) {
        const ControlView was = shown_.Control(name);
        if (!everything && was.enabled == control.enabled && was.visible == control.visible) continue;
        shown_.Enable(name, control.enabled);
        shown_.Show(name, control.visible);
        if (auto action = actions_.find(name); action != actions_.end()) {
            action->second->setEnabled(control.enabled);
            action->second->setVisible(control.visible);
        } else if (auto button = buttons_.find(name); button != buttons_.end()) {
            button->second->setEnabled(control.enabled);
            if (takingTurns_.contains(name)) button->second->setVisible(control.visible);
            else button->second->setImageHidden(!control.visible);
        } else if (auto widget = named_.find(name); widget != named_.end()) {
            widget->second->setEnabled(control.enabled);
            widget->second->setVisible(control.visible);
        }
    }
}

void GameWindow::SyncTexts(bool everything) {
    for (const auto& [name, text] : view_.Texts()) {
        if (!everything && shown_.Text(name) == text) continue;
        shown_.SetText(name, text);
        const QString shownText = QString::fromStdString(text);
        if (name == "caption") {
            setWindowTitle(shownText);
            playerLabel_->setElidedText(shownText);
        } else if (auto widget = named_.find(name); widget != named_.end()) {
            if (auto* label = qobject_cast<QLabel*>(widget->second)) label->setText(shownText);
        }
    }
}

void GameWindow::SyncTimers() {
    for (const auto& [name, running] : view_.Timers()) {
        auto timer = timers_.find(name);
        if (timer == timers_.end() || timer->second->isActive() == running) continue;
        if (running) timer->second->start();
        else timer->second->stop();
    }
}

void GameWindow::NoticeChanges() {
    const MachineState& state = host_.State();
    std::vector<int> picks = board_.Picks();
    if (picks != ticketPicks_ || state.coinsbet != ticketBet_) {
        ticketPicks_ = std::move(picks);
        ticketBet_ = state.coinsbet;
        emit ticketChanged();
    }
    if (const bool offer = OfferOpen(); offer != offerOpen_) {
        offerOpen_ = offer;
        offerShown_ = OpenOffer();
        if (offer) emit offerOpened();
        else emit offerClosed();
    } else if (offer) {
        if (std::optional<Offer> now = OpenOffer(); now != offerShown_) {
            offerShown_ = std::move(now);
            emit offerChanged();
        }
    }
}

}  // namespace keno
