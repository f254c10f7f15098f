#include "keno20/Keno20Window.h"

#include <QTimer>

#include "gamewindow/PacedRunner.h"
#include "gamewindow/PendingPress.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace {

const QColor kPayRow(255, 214, 70);
const QColor kWinningRow(40, 255, 90);

}  // namespace

Keno20Window::Keno20Window(GameHost& host, QWidget* parent)
    : GameWindow(host, {GameKind::Keno20, "keno20", BoardRules::Keno20, "mnuexit", "mnuabout", "&about", true}, parent),
      payTable_(view_),
      game_(host.State(), board_, payTable_, view_, host.Sound(), messenger_, host.Random()) {
    board_.SetPayTable(&payTable_);
    game_.SetRecorder(&SettledGames());
    Build();
}

Keno20Window::~Keno20Window() {
    // Ticks and paced steps reach into the game, which goes before the frame's own clean-up.
    for (QTimer* timer : findChildren<QTimer*>()) timer->stop();
    runner_->Cancel();
}

void Keno20Window::BuildTimers() {
    AddTimer("Timer1", 200, [this] {
        game_.FlashTick();
        Sync();
    });
    timerpay_ = AddTimer("timerpay", 300, [this] {
        payTable_.RowFlashTick();
        Sync();
    });
}

// MAKE BET, ERASE and AUTO SELECT: the image leaves its socket first and the operation runs when
// it is back, so a refusal's message comes after the press has been seen, as on the machine.
void Keno20Window::WireControls() {
    ActOnPressBrief("coinsin", [this] { board_.InsertCoins(); });
    ActAfterPressEffect("makbet", true, [this] { board_.MakeBet(); });
    PictureBackOnRelease("rubber");
    ActOnClick("rubber", [this] {
        if (GameRunning()) return;
        if (host_.State().bank < 1) board_.EraseBoard();  // refused before any press effect
        else StartPressEffect(Button("rubber"), [this] { board_.EraseBoard(); });
    });
    // A new set of numbers mid-draw would change what the remaining balls are compared with.
    ActAfterPressEffect("btnautoselect", false, [this] { board_.AutoSelect(); });
    StartsSequence("start", [this] { game_.Play(); });
    ActOnClick("btkeno22", [this] { host_.SwitchGame(GameKind::Keno22); });
    // The options change the player a running game is settled against.
    ActOnPressBrief("mnuoptions", [this] {
        if (GameRunning()) return;
        pending_->Finish();
        host_.OpenOptions(this);
    });
}

void Keno20Window::LoadGame() {
    MachineState& state = host_.State();
    // Slot 1 again, whatever slot the other game was on: the shell has saved that one already.
    LoadSlotOne();
    view_.SetText("betpan", std::to_string(state.coinsbet));
    unsetCursor();
    if (state.reelspeed < 1) state.reelspeed = 1;
    if (state.coinsbet < 1) state.coinsbet = 1;
    // The board is new, so its spot count is 0; the sound bank is the machine's, already filled.
    game_.StopHitBlink();
    payTable_.StopRowFlash();
    view_.SetText("spts", "0");
    view_.SetText("hts", "");
    board_.PaintAllPlain();
    payTable_.ClearSchedule();
    view_.SetText("lblcredit", std::to_string(state.bank));
    state.coinsbet = 1;
    view_.SetText("betpan", "1");
}

void Keno20Window::StopHitBlink() {
    game_.StopHitBlink();
    Sync();
}

void Keno20Window::ShowMoreMachineState() {
    const int spots = board_.spots();
    if (spots >= Keno20PaySchedule::kMinSpots) payTable_.ShowSchedule(spots, host_.State().coinsbet);
}

void Keno20Window::SyncGame(bool /*everything*/) {
    const int winning = timerpay_->isActive() ? payTable_.payrow() : 0;
    for (int row = 1; row <= Keno20PaySchedule::kRows; ++row) {
        const QColor colour = row == winning ? kWinningRow : kPayRow;
        hitLabels_[static_cast<std::size_t>(row)]->setColour(colour);
        winLabels_[static_cast<std::size_t>(row)]->setColour(colour);
    }
    const bool lit = winning > 0 && !winLabels_[static_cast<std::size_t>(winning)]->isHidden();
    if (lit) Face().moveTo(winningBar_, PayRowRect(winning).topLeft());
    if (winningBar_->isHidden() == lit) winningBar_->setVisible(lit);
}

}  // namespace keno
