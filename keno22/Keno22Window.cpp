#include "keno22/Keno22Window.h"

#include <QTimer>

#include "core/Cue.h"
#include "gamewindow/PacedRunner.h"
#include "widgets/ImageButton.h"

namespace keno {

Keno22Window::Keno22Window(GameHost& host, QWidget* parent)
    : GameWindow(host, {GameKind::Keno22, "keno22", BoardRules::Keno22, "mnexit", "mnabout", "About", false}, parent),
      game_(host.State(), board_, view_, host.Sound(), messenger_, host.Random(), host.TimeOfDay()) {
    game_.SetRecorder(&SettledGames());
    Build();
}

Keno22Window::~Keno22Window() {
    // Ticks and paced steps reach into the game, which goes before the frame's own clean-up.
    for (QTimer* timer : findChildren<QTimer*>()) timer->stop();
    runner_->Cancel();
}

void Keno22Window::BuildTimers() {
    AddTimer("Timer1", 200, [this] {
        game_.FlashTick();
        Sync();
    });
    AddTimer("tmrflash", 200, [this] {
        game_.OfferTick();
        Sync();
    });
    ImageButton* erase = Button("rubber");
    tmrshowbuttons_ = AddTimer("tmrshowbuttons", 100, [this, erase] {
        erase->setImageHidden(false);
        tmrshowbuttons_->stop();
    });
}

void Keno22Window::WireControls() {
    ActOnPressHeld("coinsin", [this] { board_.InsertCoins(); });
    ActOnPressHeld("makbet", [this] { board_.MakeBet(); });
    ActOnClick("rubber", [this] {
        Button("rubber")->setImageHidden(true);  // tmrshowbuttons brings it back
        // It ticks only while there is a picture to bring back: an idle window has no timer waking it.
        if (!tmrshowbuttons_->isActive()) tmrshowbuttons_->start();
        board_.EraseBoard();
    });
    ActAfterPressEffect("btnautoselect", false, [this] { board_.AutoSelect(); });
    StartsSequence("start", [this] { game_.Play(); });
    StartsSequence("takwin", [this] { game_.TakeWin(); });
    StartsSequence("xtraballs", [this] { game_.BuyExtraBalls(); });
    StartsSequence("flash", [this] { game_.BuyExtraBalls(); });
    ActOnClick("btn20ball", [this] { host_.SwitchGame(GameKind::Keno20); });
    ActAfterPressEffect("mnuoptions", true, [this] { host_.OpenOptions(this); });
    ActOnPressHeld("mnupayouts", [this] { host_.ShowPaySchedule(); });
}

void Keno22Window::LoadGame() {
    MachineState& state = host_.State();
    state.activegame = "game1";
    LoadSlotOne();
    view_.SetText("panelbank", std::to_string(state.bank));
    view_.SetText("betpan", std::to_string(state.coinsbet));
    unsetCursor();
    if (state.reelspeed < 1) state.reelspeed = 1;
    host_.FillSoundBank();
    host_.Sound().Play(Cue::Startup);

    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        for (int n = 1; n <= ViewModel::kSquares; ++n) {
            view_.Square(n).background = SquareBackground::Black;
            view_.Square(n).text = SquareText::Blue;
        }
        for (const char* name : {"rubber", "start", "flash", "xtraballs", "takwin"}) view_.Enable(name, false);
        view_.Enable("makbet", state.bank >= 1);
    }
}

// TAKE WIN as the player finds it: the engine takes it away on a refused purchase.
std::optional<GameWindow::Offer> Keno22Window::OpenOffer() const {
    if (!game_.OfferOpen()) return std::nullopt;
    return Offer{game_.spots(), game_.hits(), game_.bet(), view_.Enabled("takwin"), host_.State().bank};
}

void Keno22Window::SettleOffer() {
    if (!game_.OfferOpen()) return;
    game_.TakeWin();
    game_.SettleNow();
}

}  // namespace keno
