#include "autoplay/Autoplay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include "gamewindow/GameWindow.h"
#include "widgets/LitLabel.h"

namespace keno {

namespace {

constexpr int kWatchMs = 200;

bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}

}  // namespace

Autoplay::Autoplay(GameWindow& window, const MachineState& state)
    : QObject(&window), window_(window), state_(state), counter_(new LitLabel(QString(), QColor(255, 214, 70))) {
    setObjectName(QStringLiteral("autoplay"));
    counter_->setObjectName(QStringLiteral("autoplaycounter"));
    counter_->setAlignment(Qt::AlignCenter);
    counter_->setTextScale(0.7);
    window_.AddFacePanel(counter_, window_.StatusTwips());
    counter_->hide();

    for (QTimer* timer : {&next_, &answer_, &notice_}) timer->setSingleShot(true);
    watch_.setInterval(kWatchMs);
    connect(&next_, &QTimer::timeout, this, &Autoplay::OnNext);
    connect(&answer_, &QTimer::timeout, this, &Autoplay::AnswerOffer);
    connect(&watch_, &QTimer::timeout, this, &Autoplay::Watch);
    connect(&notice_, &QTimer::timeout, this, [this] {
        if (!plan_ && counter_) counter_->hide();
    });
    // Sent while the engine settles: only noted here, every press waits for a timer.
    connect(&window_, &GameWindow::gameSettled, this, &Autoplay::OnSettled);
    connect(&window_, &GameWindow::offerOpened, this, &Autoplay::OnOfferOpened, Qt::QueuedConnection);
}

Autoplay::~Autoplay() = default;

LitLabel* Autoplay::Counter() const { return counter_.data(); }

void Autoplay::SetPauses(int betweenGamesMs, int offerAnswerMs) {
    betweenGamesMs_ = std::max(betweenGamesMs, 0);
    offerAnswerMs_ = std::max(offerAnswerMs, 0);
}

void Autoplay::Start(const AutoplaySettings& settings) {
    if (plan_ || window_.GameInHand()) return;
    plan_.emplace(settings);
    phase_ = Phase::Between;
    pendingStop_.reset();
    lastWin_ = 0;
    notice_.stop();
    qApp->installEventFilter(this);
    ShowCounter();
    // After the dialog that started it has gone.
    next_.start(0);
}

void Autoplay::RequestStop() {
    if (!plan_) return;
    plan_->RequestStop();
    ShowCounter();
    // Between games nothing is in progress: the run ends now.
    if (phase_ == Phase::Between && !pendingStop_) next_.start(0);
}

void Autoplay::OnNext() {
    if (pendingStop_) return Stop(*pendingStop_);
    PlayNext();
}

void Autoplay::PlayNext() {
    if (!plan_) return;
    if (!window_.isVisible() || !window_.isEnabled()) return Stop(StopReason::WindowLeft);
    StopReason why{};
    if (!plan_->MayPlay(state_.bank, window_.Bet(), why)) return Stop(why);
    settled_ = false;
    phase_ = Phase::Playing;
    ShowCounter();
    // The player's own PLAY: its press effect, pacing, sounds and refusals.
    if (!window_.PressControl(QStringLiteral("start"))) {
        return Stop(window_.isVisible() ? StopReason::NoGame : StopReason::WindowLeft);
    }
    if (!plan_) return;  // a refusal box came and went inside the press
    if (!window_.GameInHand() && !settled_) return Stop(StopReason::NoGame);
    watch_.start();
}

void Autoplay::OnSettled(const SettledGame& game) {
    if (!plan_ || phase_ == Phase::Between) return;
    settled_ = true;
    lastWin_ = game.win;
    watch_.stop();
    answer_.stop();
    phase_ = Phase::Between;
    StopReason why{};
    if (plan_->Settled(game.win, why)) pendingStop_ = why;
    ShowCounter();
    // A stop, or the end of the count, shows at once; the next game waits for the player's look.
    const bool ending = pendingStop_ || plan_->StopRequested() || plan_->GamesLeft() == 0;
    next_.start(ending ? 0 : betweenGamesMs_);
}

void Autoplay::OnOfferOpened() {
    if (!plan_ || phase_ != Phase::Playing || !window_.OfferOpen()) return;
    phase_ = Phase::Offer;
    switch (plan_->AtOffer(state_.bank, window_.Bet())) {
        case AutoplayPlan::OfferMove::Wait: break;
        case AutoplayPlan::OfferMove::Stop: return Stop(StopReason::CreditBelowBet);
        case AutoplayPlan::OfferMove::TakeWin:
        case AutoplayPlan::OfferMove::Buy: answer_.start(offerAnswerMs_); break;
    }
    ShowCounter();
}

void Autoplay::AnswerOffer() {
    if (!plan_ || phase_ != Phase::Offer || !window_.OfferOpen()) return;
    const AutoplayPlan::OfferMove move = plan_->AtOffer(state_.bank, window_.Bet());
    bool pressed = false;
    if (move == AutoplayPlan::OfferMove::TakeWin) {
        pressed = window_.PressControl(QStringLiteral("takwin"));
    } else if (move == AutoplayPlan::OfferMove::Buy) {
        // One button with two pictures that take turns: whichever is shown.
        pressed = window_.PressControl(QStringLiteral("xtraballs")) || window_.PressControl(QStringLiteral("flash"));
    } else if (move == AutoplayPlan::OfferMove::Stop) {
        return Stop(StopReason::CreditBelowBet);
    }
    if (!pressed && plan_) Stop(window_.isVisible() ? StopReason::OfferLeft : StopReason::WindowLeft);
}

// A PLAY that ended without settling a game (the ticket was cleared under its press) or a game
// taken away by the machine ending: nothing will report, so the run must not wait for it.
void Autoplay::Watch() {
    if (!plan_ || phase_ == Phase::Between) return watch_.stop();
    if (window_.GameInHand()) return;
    watch_.stop();
    if (!settled_) Stop(window_.isVisible() ? StopReason::NoGame : StopReason::WindowLeft);
}

void Autoplay::Stop(StopReason why) {
    if (!plan_) return;
    const std::string text = plan_->StopText(why, lastWin_);
    plan_.reset();
    pendingStop_.reset();
    phase_ = Phase::Between;
    for (QTimer* timer : {&next_, &answer_, &watch_}) timer->stop();
    qApp->removeEventFilter(this);
    if (counter_) {
        if (text.empty()) {
            counter_->hide();
        } else {
            counter_->setText(QString::fromStdString(text));
            counter_->show();
            notice_.start(kStopNoticeMs);
        }
    }
    emit stopped(why);
}

void Autoplay::ShowCounter() {
    if (!plan_ || !counter_) return;
    const bool asking = phase_ == Phase::Offer && plan_->Settings().offer == OfferAnswer::AskMe;
    counter_->setText(QString::fromStdString(plan_->CounterText(asking)));
    counter_->show();
    counter_->raise();
}

bool Autoplay::OnTheWindow(QObject* watched) const {
    return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &window_;
}

bool Autoplay::eventFilter(QObject* watched, QEvent* event) {
    if (!plan_) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::Show) {
        // The game refused a press with its message box (no credit, no bet, too few numbers).
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && box->parentWidget() == &window_ && box->objectName() == QLatin1String("message")) {
            Stop(StopReason::Refused);
        }
        return false;
    }
    if (watched == &window_ && (type == QEvent::Hide || (type == QEvent::EnabledChange && !window_.isEnabled()))) {
        Stop(StopReason::WindowLeft);
        return false;
    }
    if (!IsInput(type) || !OnTheWindow(watched)) return false;

    const bool isKey = type == QEvent::ShortcutOverride || type == QEvent::KeyPress || type == QEvent::KeyRelease;
    const bool escape = isKey && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    // Asked to leave the offer to the player: their keys and clicks answer it, Escape still stops.
    if (phase_ == Phase::Offer && plan_->Settings().offer == OfferAnswer::AskMe && !escape) return false;

    switch (type) {
        case QEvent::ShortcutOverride:
            // Taken as a plain key, so no shortcut of the window acts on it.
            event->accept();
            return true;
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) RequestStop();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            RequestStop();
            return true;
        default:
            return true;
    }
}

}  // namespace keno
