// Drawing the view model onto the widgets. Runs after every operation and every paced step, so it
// compares with what is already shown and touches only the widgets that changed.
#include "keno22/Keno22WindowImpl.h"
#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/MeterLabel.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace {

// Controls whose "hidden" is the press effect (the picture leaves its socket, the button stays),
// as opposed to the two offer pictures, which really take turns at one place.
bool IsAlternatingPicture(std::string_view name) { return name == "xtraballs" || name == "flash"; }

}  // namespace

void Keno22Window::Impl::Sync(bool everything) {
    SyncSquares(everything);
    SyncBalls(everything);
    SyncControls(everything);
    SyncTexts(everything);
    SyncTimers();
}

void Keno22Window::Impl::SyncSquares(bool everything) {
    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        const SquareView& square = view.Square(n);
        if (!everything && square == shown.Square(n)) continue;
        squares[static_cast<std::size_t>(n)]->setView(square);
        shown.Square(n) = square;
    }
}

void Keno22Window::Impl::SyncBalls(bool everything) {
    for (int i = 1; i <= ViewModel::kBalls; ++i) {
        const BallView& ball = view.Ball(i);
        BallView& was = shown.Ball(i);
        if (!everything && ball == was) continue;
        BallWidget* widget = balls[static_cast<std::size_t>(i)];
        if (everything || ball.number != was.number) widget->setNumber(ball.number);
        if (everything || ball.left != was.left || ball.top != was.top) {
            face->moveTo(widget, keno22face::BallTwips(ball.left, ball.top).topLeft());
        }
        if (everything || ball.visible != was.visible) widget->setVisible(ball.visible);
        was = ball;
    }
}

void Keno22Window::Impl::ApplyControl(const std::string& name, const ControlView& control) {
    if (auto action = actions.find(name); action != actions.end()) {
        action->second->setEnabled(control.enabled);
        action->second->setVisible(control.visible);
        return;
    }
    auto button = buttons.find(name);
    if (button == buttons.end()) return;
    button->second->setEnabled(control.enabled);
    if (IsAlternatingPicture(name)) button->second->setVisible(control.visible);
    else button->second->setImageHidden(!control.visible);
}

void Keno22Window::Impl::SyncControls(bool everything) {
    for (const auto& [name, control] : view.Controls()) {
        const ControlView was = shown.Control(name);
        if (!everything && was.enabled == control.enabled && was.visible == control.visible) continue;
        ApplyControl(name, control);
        shown.Enable(name, control.enabled);
        shown.Show(name, control.visible);
    }
}

void Keno22Window::Impl::SyncTexts(bool everything) {
    for (const auto& [name, text] : view.Texts()) {
        if (!everything && shown.Text(name) == text) continue;
        shown.SetText(name, text);
        const QString shownText = QString::fromStdString(text);
        if (name == "caption") {
            window.setWindowTitle(shownText);
            playerLabel->setElidedText(shownText);
        } else if (auto meter = meters.find(name); meter != meters.end()) {
            meter->second->setText(shownText);
        }
    }
}

void Keno22Window::Impl::SyncTimers() {
    const auto apply = [&](QTimer* timer, const char* name) {
        const bool running = view.TimerRunning(name);
        if (running && !timer->isActive()) timer->start();
        else if (!running && timer->isActive()) timer->stop();
    };
    apply(timer1, "Timer1");
    apply(tmrflash, "tmrflash");
}

}  // namespace keno
