#include "gamewindow/GameWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QTimer>

#include "gamewindow/GameWindowFit.h"
#include "gamewindow/PacedRunner.h"
#include "gamewindow/PendingPress.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/PaintKit.h"
#include "widgets/TwipFace.h"

namespace keno {

GameWindow::GameWindow(GameHost& host, const Identity& identity, QWidget* parent)
    : QMainWindow(parent),
      host_(host),
      messenger_(this),
      board_(identity.rules, host.State(), view_, host.Sound(), messenger_, host.Random()),
      identity_(identity),
      kind_(identity.kind) {
    setObjectName(QString::fromLatin1(identity.objectName));
    // The icon is the application's, painted once the first frame is on the screen.
}

GameWindow::~GameWindow() {
    // Timer ticks and paced steps reach into the game: none may come while it is taken apart.
    for (QTimer* timer : findChildren<QTimer*>()) timer->stop();
    if (runner_) runner_->Cancel();
}

void GameWindow::Build() {
    BuildFace();
    BuildMenu();
    BuildTimers();
    pending_ = new PendingPress(*this);
    runner_ = new PacedRunner([this]() -> std::optional<int> {
        stepping_ = true;
        std::optional<int> pause = AdvanceGame();
        stepping_ = false;
        // Shut-down came from inside this step (a message box's own loop): finish the game now.
        if (settleAfterStep_) {
            settleAfterStep_ = false;
            SettleForShutdown();
            return std::nullopt;
        }
        return pause;
    }, this);
    runner_->setObjectName(QStringLiteral("runner"));
    // What else the view may name: the meters, the pay table's rows, whatever the game's face holds.
    for (QWidget* widget : face_->findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty()) named_.emplace(widget->objectName().toStdString(), widget);
    }
    WireShared();
    WireControls();
    KeyboardPlay::Install(*this);
    // The face's design size (one pixel per 15 twips) where the screen has room for it.
    new ScreenFit(*this, face_->sizeHint());
}

void GameWindow::BuildMenu() {
    QMenuBar* bar = menuBar();
    bar->setStyleSheet(paint::GameMenuBarStyle());
    const auto add = [&](const char* name, const QString& text, auto run) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        bar->addAction(action);
        actions_.emplace(name, action);
        connect(action, &QAction::triggered, this, run);
    };
    add(identity_.exitAction, QStringLiteral("Exit"), [this] { host_.Quit(true); });
    add(identity_.aboutAction, QString::fromLatin1(identity_.aboutText), [this] { host_.ShowAbout(); });
    add("MNUhelp", QStringLiteral("Help"), [this] { host_.ShowGameInformation(kind_, this); });
}

void GameWindow::WireShared() {
    connect(runner_, &PacedRunner::stepped, this, [this] { Sync(); });
    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        connect(squares_[static_cast<std::size_t>(n)], &BoardSquare::clicked, this, [this, n] {
            board_.MarkSquare(n);
            Sync();
        });
    }
}

void GameWindow::LoadSlotOne() {
    MachineState& state = host_.State();
    state.playerslot = "1";
    host_.Ledger().LoadRecord(1);
    view_.SetText("caption", kGameCaptionPrefix + state.currentplayer);
}

void GameWindow::Load() {
    move(0, 0);
    LoadGame();
    Sync(true);
}

void GameWindow::StopHitBlink() {
    view_.SetTimer("Timer1", false);
    Sync();
}

void GameWindow::FinishPendingPress() { pending_->Finish(); }

void GameWindow::ShowMachineState() {
    if (GameRunning()) return;
    CaptionFollowsPlayer(view_, host_.State().currentplayer);
    board_.ShowMachineState();
    ShowMoreMachineState();
    Sync();
}

void GameWindow::SettleForShutdown() {
    if (stepping_) {
        settleAfterStep_ = true;
        return;
    }
    if (GameRunning()) {
        runner_->Cancel();
        SettleGame();
    }
    SettleOffer();
    Sync();
}

void GameWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Player, credit and bet may have changed in the other game while this window was hidden.
    ShowMachineState();
}

void GameWindow::closeEvent(QCloseEvent* event) {
    if (!host_.Quitting()) host_.Quit(identity_.closeStopsSound);
    event->accept();
}

int GameWindow::Bet() const { return host_.State().coinsbet; }

QAction* GameWindow::AddMenuEntry(const MenuEntry& entry) {
    auto* action = new QAction(entry.text, this);
    action->setObjectName(QString::fromLatin1(entry.name));
    menuBar()->addAction(action);
    actions_.emplace(entry.name, action);
    if (!entry.key.isEmpty()) {
        action->setShortcut(entry.key);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setAutoRepeat(false);  // a held key is one press, as for the game keys
        KeyboardPlay::AddMenuKey(*action, entry.keyLabel, entry.what);
    }
    connect(action, &QAction::triggered, this, entry.run);
    return action;
}

void GameWindow::AddFacePanel(QWidget* panel, const QRect& twips) {
    face_->place(panel, twips);
    panel->raise();
}

QSize GameWindow::FaceTwips() const { return face_->designSize(); }

bool GameWindow::PressControl(const QString& name) {
    if (host_.Quitting()) return false;
    ImageButton* button = Button(name.toLatin1().constData());
    if (!button || !button->isVisible() || !button->isEnabled()) return false;
    button->click();
    return true;
}

}  // namespace keno
