#include "shell/KenoApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "autoplay/AutoplayFeature.h"
#include "charts/ChartsFeature.h"
#include "core/AdvisorSetting.h"
#include "history/GameHistory.h"
#include "keno20/Keno20Window.h"
#include "keno22/Keno22Window.h"
#include "odds/OddsFeature.h"
#include "recall/RecallFeature.h"
#include "shell/IniSettingsStore.h"
#include "shell/MODchangeResSwitch.h"
#include "shell/SignalBridge.h"
#include "shell/SoundBank.h"
#include "shell/SystemClock.h"
#include "widgets/KenoIcon.h"
#include "widgets/MachineStyle.h"

namespace keno {

namespace {

// The default end of the program. Windows are hidden rather than closed: a close step of another
// window (the options dialog writes the record and shows a game) must not run after the shut-down.
void LeaveEventLoop() {
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::exit(0);
}

// How often an unattended quit dismisses a modal box and tries again before it goes ahead anyway.
constexpr int kModalRetries = 50;
// How long a shut-down waits for a game that can only settle after the current step: 10 s.
constexpr int kSettleRetries = 500;
constexpr int kSettleRetryMs = 20;
// The latest the sound opens and the icon is painted when the first frame never comes.
constexpr int kAfterFirstFrameLatestMs = 1000;

// Pictures and glows of the face are large blocks, made and dropped while a game paints. glibc
// raises its threshold for giving such blocks their own mapping after the first is freed, so
// later ones come from the heap and what they leave behind is held for good: over an evening the
// resident size creeps although nothing is in use. A fixed threshold hands each back at once.
void KeepLargeBlocksMapped() {
#ifdef __GLIBC__
    static const bool once = mallopt(M_MMAP_THRESHOLD, 128 * 1024) != 0;
    (void)once;
#endif
}

// What the threads' heaps hold free after a run of games goes back to the system now and then,
// between games, so an evening of play does not creep the resident size.
constexpr int kGamesBetweenTrims = 100;
void ReturnFreeHeap() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace

KenoApp::KenoApp(std::unique_ptr<SettingsStore> store, QObject* parent)
    : QObject(parent),
      store_(store ? std::move(store) : std::make_unique<IniSettingsStore>()),
      ledger_(std::make_unique<PlayerLedger>(state_, *store_)),
      sound_(std::make_unique<SoundBank>(SoundBank::Start::Later)),
      display_(std::make_unique<MODchangeResSwitch>()),
      history_(std::make_unique<GameHistory>(HistoryStore::Options{HistoryStore::DefaultPath()})),
      exit_(&LeaveEventLoop) {
    KeepLargeBlocksMapped();
    MachineStyle::Install();
    random_.inner = std::make_unique<ClockRandomSource>();
    clock_.inner = std::make_unique<SystemClock>();
    history_->SetWarningParent([this]() -> QWidget* { return quitting_ || unattended_ ? nullptr : ActiveGameWindow(); });
    // The program's features of every game window go here, one AddGameWindowFeature line each.
    AddGameWindowFeature([history = history_.get()](GameWindow& window) {
        connect(&window, &GameWindow::gameSettled, history, &GameHistory::GameSettled);
    });
    AddGameWindowFeature([this](GameWindow& window) {
        connect(&window, &GameWindow::gameSettled, this, [this] {
            if (++gamesSinceTrim_ < kGamesBetweenTrims) return;
            gamesSinceTrim_ = 0;
            QTimer::singleShot(0, this, &ReturnFreeHeap);  // after the settled game has painted
        });
    });
    odds_ = new OddsFeature([this] { return AdvisorSetting(*store_).Shown(SlotNumber(state_.playerslot)); }, this);
    AddGameWindowFeature([odds = odds_](GameWindow& window) { odds->Attach(window); });
    AddGameWindowFeature(RecallFeature(*history_, state_));
    AddGameWindowFeature(AutoplayFeature(state_));
    AddGameWindowFeature(ChartsFeature(*history_, state_));
}

KenoApp::~KenoApp() {
    // The windows refer to the machine's members: they go first, the dialogs before the games.
    delete signals_;
    DeleteScreens();
    delete keno20_.data();
    delete keno22_.data();
}

// Out of line: a QPointer needs the window's full type to hand it out.
Keno22Window* KenoApp::Keno22() const { return keno22_; }
Keno20Window* KenoApp::Keno20() const { return keno20_; }

void KenoApp::SetRandomSource(std::unique_ptr<RandomSource> random) {
    if (random) random_.inner = std::move(random);
}

void KenoApp::SetClock(std::unique_ptr<Clock> clock) {
    if (clock) clock_.inner = std::move(clock);
}

void KenoApp::SetDisplayModeSwitch(std::unique_ptr<DisplayModeSwitch> display) {
    if (display) display_ = std::move(display);
}

void KenoApp::FillSoundBank() { sound_->LoadBank(); }

void KenoApp::AddGameWindowFeature(GameWindowFeature feature) {
    if (keno22_) feature(*keno22_);
    if (keno20_) feature(*keno20_);
    features_.push_back(std::move(feature));
}

void KenoApp::Start() {
    if (keno22_) return;
    // Before the window can be seen: a SIGTERM sent once it is up must find the handler. The
    // signal is only acted on from the event loop, so after the load below.
    InstallShutdownPaths();
    keno22_ = new Keno22Window(*this);
    for (const GameWindowFeature& feature : features_) feature(*keno22_);
    keno22_->Load();
    keno22_->show();
    FinishAfterFirstFrame();
}

// The window's first frame waits for neither the audio device nor the icon: the sound bank opens
// once the frame is on the screen (the start-up cue asked for by the load plays then) and the
// icon is painted then, or after a second if the window is never painted.
void KenoApp::FinishAfterFirstFrame() {
    class FirstPaint final : public QObject {
    public:
        FirstPaint(QWidget* window, KenoApp& app) : QObject(window), app_(app) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                // After the paint and its flush, which finish within the event being handled.
                QTimer::singleShot(0, &app_, &KenoApp::StartAfterFirstFrame);
                deleteLater();
                watched->removeEventFilter(this);
            }
            return false;
        }

    private:
        KenoApp& app_;
    };
    keno22_->installEventFilter(new FirstPaint(keno22_, *this));
    // A timer of our own, stopped by the first frame, rather than one left pending for a second.
    firstFrameLatest_ = new QTimer(this);
    firstFrameLatest_->setSingleShot(true);
    connect(firstFrameLatest_, &QTimer::timeout, this, &KenoApp::StartAfterFirstFrame);
    firstFrameLatest_->start(kAfterFirstFrameLatestMs);
}

void KenoApp::StartAfterFirstFrame() {
    if (afterFirstFrameDone_) return;
    afterFirstFrameDone_ = true;
    if (firstFrameLatest_) firstFrameLatest_->stop();
    sound_->Open();
    // Every window without an icon of its own takes this one.
    QApplication::setWindowIcon(KenoIcon());
}

void KenoApp::InstallShutdownPaths() {
    // A service manager's SIGTERM, a ^C and a hang-up take the close box's way out, and so does
    // the end of the desktop session.
    signals_ = new SignalBridge(this);
    connect(signals_, &SignalBridge::terminateRequested, this, &KenoApp::OnTerminate);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { QuitUnattended(); });
    }
}

// The window being left must have nothing in hand. A press still in its press effect is finished
// first; then a game in progress (the draw, the extra balls, an open offer), the options dialog or
// a message box keeps the player where they are, whichever way the switch was asked for.
bool KenoApp::MayLeave(QWidget* window, bool gameBusy) const {
    return !gameBusy && options_.isNull() && window->isEnabled() && QApplication::activeModalWidget() == nullptr;
}

void KenoApp::SwitchTo20Ball() {
    if (quitting_ || !keno22_) return;
    keno22_->FinishPendingPress();
    if (!MayLeave(keno22_, keno22_->GameInHand())) return;
    const bool firstTime = !keno20_;
    if (firstTime) {
        // keno20's load reads slot 1 over the machine state; whatever the player has in hand
        // (another slot, or play since the last save) goes to their own slot first.
        SaveRecordOrWarn(keno22_);
    }
    keno22_->hide();
    if (firstTime) {
        keno20_ = new Keno20Window(*this);
        for (const GameWindowFeature& feature : features_) feature(*keno20_);
        keno20_->Load();
    }
    keno20_->show();
    state_.activegame = "game2";
    keno22_->StopHitBlink();
    if (firstTime) emit keno20Created(keno20_);
}

void KenoApp::SwitchGame(GameKind to) {
    if (to == GameKind::Keno20) SwitchTo20Ball();
    else SwitchTo22Ball();
}

void KenoApp::SwitchTo22Ball() {
    if (quitting_ || !keno22_) return;
    if (keno20_) {
        keno20_->FinishPendingPress();
        if (!MayLeave(keno20_, keno20_->GameInHand())) return;
    }
    if (keno20_) keno20_->hide();
    keno22_->show();
    state_.activegame = "game1";
    if (keno20_) keno20_->StopHitBlink();
}

void KenoApp::Quit(bool stopSound) {
    if (quitting_) return;
    RunShutdown(stopSound);
}

void KenoApp::QuitUnattended() {
    unattended_ = true;
    if (quitting_) {
        // The save warning may be up, waiting for an answer nobody will give.
        if (saveWarning_) saveWarning_->reject();
        return;
    }
    // A modal box runs its own event loop inside a handler (a refusal in the middle of PLAY);
    // ending from in there would cut that handler short. Dismiss it and come back from the main loop.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modalRetries_ < kModalRetries) {
        ++modalRetries_;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        QTimer::singleShot(0, this, &KenoApp::QuitUnattended);
        return;
    }
    RunShutdown(false);
}

void KenoApp::OnTerminate(int signal) {
    std::fprintf(stderr, "keno22: signal %d received, saving and closing\n", signal);
    QuitUnattended();
}

void KenoApp::RunShutdown(bool stopSound) {
    quitting_ = true;
    // A game the player paid for is finished first: a running draw with the same numbers, an open
    // offer taken as TAKE WIN would take it. Then the design's order.
    if (keno22_) keno22_->SettleForShutdown();
    if (keno20_) keno20_->SettleForShutdown();
    // Called from inside a step (a box of the draw was up), a window settles once that step has
    // returned; the record must wait for it, but not for ever.
    if (AnyGameRunning() && settleRetries_ < kSettleRetries) {
        ++settleRetries_;
        QTimer::singleShot(kSettleRetryMs, this, [this, stopSound] { RunShutdown(stopSound); });
        return;
    }
    if (stopSound) sound_->StopSound();
    const StoreStatus status = ledger_->SaveRecord();
    if (!status.ok) WarnSaveFailed(status, ActiveGameWindow());
    display_->RestoreDisplayMode();
    if (exit_) exit_();
}

void KenoApp::WarnSaveFailed(const StoreStatus& status, QWidget* parent) {
    const QString file = status.location.empty() ? QStringLiteral("(no file)")
                                                 : QString::fromStdString(status.location);
    const QString reason = status.reason.empty() ? QStringLiteral("unknown") : QString::fromStdString(status.reason);
    if (unattended_) {
        // Nobody is there to answer a box, and a service manager must not wait for one.
        std::fprintf(stderr, "keno22: your progress could not be saved to %s: %s\n",
                     file.toLocal8Bit().constData(), reason.toLocal8Bit().constData());
        return;
    }
    const QString text = QStringLiteral("Your progress could not be saved.\n\nFile: %1\nReason: %2").arg(file, reason);
    // On the heap: the options dialog may be the parent, and a box must not be freed twice if it goes.
    saveWarning_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("K E N O 22"), text, QMessageBox::Ok, parent);
    saveWarning_->setObjectName(QStringLiteral("savefailed"));
    saveWarning_->exec();
    delete saveWarning_.data();
}

void KenoApp::ForgetPlayerHistory(int slot) { history_->ForgetSlot(slot); }

bool KenoApp::SaveRecordOrWarn(QWidget* parent) {
    const StoreStatus status = ledger_->SaveRecord();
    if (!status.ok) WarnSaveFailed(status, parent);
    return status.ok;
}

bool KenoApp::AnyGameRunning() const {
    const bool k22 = keno22_ && keno22_->GameRunning();
    const bool k20 = keno20_ && keno20_->GameRunning();
    return k22 || k20;
}

QWidget* KenoApp::ActiveGameWindow() const {
    if (state_.activegame == "game2" && keno20_) return keno20_;
    return keno22_;
}

}  // namespace keno
