#include "keno22/Keno22Window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "core/Cue.h"
#include "keno22/Keno22WindowImpl.h"
#include "shell/GameWindowFit.h"
#include "shell/SoundBank.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace {
const char* const kCaption = "Current Player       ";
}  // namespace

Keno22Window::Impl::Impl(Keno22Window& owner, KenoApp& machine)
    : window(owner),
      app(machine),
      messenger(&owner),
      board(BoardRules::Keno22, machine.State(), view, machine.Sound(), messenger, machine.Random()),
      game(machine.State(), board, view, machine.Sound(), messenger, machine.Random(), machine.TimeOfDay()) {}

Keno22Window::Keno22Window(KenoApp& app, QWidget* parent)
    : QMainWindow(parent), impl_(std::make_unique<Impl>(*this, app)) {
    setObjectName(QStringLiteral("keno22"));
    impl_->BuildFace();
    impl_->BuildMenu();
    impl_->BuildTimers();
    impl_->Connect();
    KeyboardPlay::Install(*this);
    // The face's design size (one pixel per 15 twips) where the screen has room for it.
    new ScreenFit(*this, impl_->face->sizeHint());
}

Keno22Window::~Keno22Window() {
    // Timer ticks and paced steps reach into impl_: none may come while it is being taken apart.
    for (QTimer* timer : findChildren<QTimer*>()) timer->stop();
    impl_->runner->Cancel();
}

ViewModel& Keno22Window::View() { return impl_->view; }
clsKenoBoard& Keno22Window::Board() { return impl_->board; }
Keno22Game& Keno22Window::Game() { return impl_->game; }

void Keno22Window::Load() {
    MachineState& state = impl_->app.State();
    ViewModel& view = impl_->view;

    move(0, 0);
    state.activegame = "game1";
    state.playerslot = "1";
    impl_->app.Ledger().LoadRecord(1);
    view.SetText("caption", kCaption + state.currentplayer);
    view.SetText("panelbank", std::to_string(state.bank));
    view.SetText("betpan", std::to_string(state.coinsbet));
    unsetCursor();
    if (state.reelspeed < 1) state.reelspeed = 1;
    impl_->app.Sound().LoadBank();
    impl_->app.Sound().PlaySoundImage(CueNumber(Cue::Startup));

    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        for (int n = 1; n <= ViewModel::kSquares; ++n) {
            view.Square(n).background = SquareBackground::Black;
            view.Square(n).text = SquareText::Blue;
        }
        for (const char* name : {"rubber", "start", "flash", "xtraballs", "takwin"}) view.Enable(name, false);
        view.Enable("makbet", state.bank >= 1);
    }
    impl_->Sync(true);
}

void Keno22Window::Redraw() { impl_->Sync(); }

void Keno22Window::StopHitBlink() {
    impl_->view.SetTimer("Timer1", false);
    impl_->Sync();
}

void Keno22Window::SettleForShutdown() {
    Keno22Game& game = impl_->game;
    if (impl_->stepping) {
        impl_->settleAfterStep = true;
        return;
    }
    if (game.Running()) {
        impl_->runner->Cancel();
        game.SettleNow();
    }
    if (game.OfferOpen()) {
        game.TakeWin();
        game.SettleNow();
    }
    Redraw();
}

void Keno22Window::FinishPendingPress() { impl_->pending->Finish(); }

void Keno22Window::ShowMachineState() {
    if (impl_->game.Running()) return;
    CaptionFollowsPlayer(impl_->view, impl_->app.State().currentplayer);
    impl_->board.ShowMachineState();
    Redraw();
}

void Keno22Window::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Player, credit and bet may have changed in the other game while this window was hidden.
    ShowMachineState();
}

void Keno22Window::closeEvent(QCloseEvent* event) {
    // The close box ends the program without stopping a sound that is still playing.
    if (!impl_->app.Quitting()) impl_->app.Quit(false);
    event->accept();
}

}  // namespace keno
