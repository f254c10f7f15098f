#include "keno20/Keno20Window.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "widgets/KenoIcon.h"
#include "keno20/Keno20WindowImpl.h"
#include "gamewindow/GameWindowFit.h"
#include "widgets/TwipFace.h"
#include "widgets/KeyboardPlay.h"

namespace keno {

namespace {

constexpr const char* kCaptionPrefix = kGameCaptionPrefix;

}  // namespace

Keno20Window::Impl::Impl(Keno20Window& owner, GameHost& machine)
    : window(owner),
      app(machine),
      messenger(&owner),
      payTable(view),
      board(BoardRules::Keno20, machine.State(), view, machine.Sound(), messenger, machine.Random()),
      game(machine.State(), board, payTable, view, machine.Sound(), messenger, machine.Random()),
      sync(owner) {
    board.SetPayTable(&payTable);
}

Keno20Window::Keno20Window(GameHost& app, QWidget* parent)
    : QMainWindow(parent), impl_(std::make_unique<Impl>(*this, app)) {
    setObjectName(QStringLiteral("keno20"));
    setWindowIcon(KenoIcon());
    impl_->runner = new PacedRunner([this] { return impl_->game.Advance(); }, this);
    impl_->runner->setObjectName(QStringLiteral("runner"));
    impl_->BuildFace();
    impl_->ConnectControls();
    impl_->sync.Collect();
    KeyboardPlay::Install(*this);
    // The face's design size (one pixel per 15 twips) where the screen has room for it.
    new ScreenFit(*this, impl_->face->sizeHint());
}

Keno20Window::~Keno20Window() = default;

void Keno20Window::Load() {
    move(0, 0);
    MachineState& state = impl_->app.State();
    // Slot 1 again, whatever slot the other game was on: the shell has saved that one already.
    state.playerslot = "1";
    impl_->app.Ledger().LoadRecord(1);
    ViewModel& view = impl_->view;
    view.SetText("caption", kCaptionPrefix + state.currentplayer);
    view.SetText("betpan", std::to_string(state.coinsbet));
    unsetCursor();
    if (state.reelspeed < 1) state.reelspeed = 1;
    if (state.coinsbet < 1) state.coinsbet = 1;
    // The board is new, so its spot count is 0; the sound bank is the machine's, already filled.
    impl_->game.StopHitBlink();
    impl_->payTable.StopRowFlash();
    view.SetText("spts", "0");
    view.SetText("hts", "");
    impl_->board.PaintAllPlain();
    impl_->payTable.ClearSchedule();
    view.SetText("lblcredit", std::to_string(state.bank));
    state.coinsbet = 1;
    view.SetText("betpan", "1");
    Redraw();
}

ViewModel& Keno20Window::View() { return impl_->view; }
clsKenoBoard& Keno20Window::Board() { return impl_->board; }
Keno20Game& Keno20Window::Game() { return impl_->game; }
Keno20PayTable& Keno20Window::PayTable() { return impl_->payTable; }

void Keno20Window::Redraw() { impl_->Sync(); }

void Keno20Window::StopHitBlink() {
    impl_->game.StopHitBlink();
    impl_->Sync();
}

void Keno20Window::SettleForShutdown() {
    if (!impl_->game.Running()) return;
    impl_->game.SettleNow();
    impl_->runner->Cancel();
    Redraw();
}

void Keno20Window::FinishPendingPress() { impl_->pending->Finish(); }

void Keno20Window::ShowMachineState() {
    if (impl_->game.Running()) return;
    CaptionFollowsPlayer(impl_->view, impl_->app.State().currentplayer);
    impl_->board.ShowMachineState();
    const int spots = impl_->board.spots();
    if (spots >= Keno20PaySchedule::kMinSpots) impl_->payTable.ShowSchedule(spots, impl_->app.State().coinsbet);
    Redraw();
}

void Keno20Window::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Player, credit and bet may have changed in the other game while this window was hidden.
    ShowMachineState();
}

void Keno20Window::closeEvent(QCloseEvent* event) {
    // Closing this window ends the machine, with the sound stopped.
    if (!impl_->app.Quitting()) impl_->app.Quit(true);
    event->accept();
}

}  // namespace keno
