#include "keno20/Keno20WindowImpl.h"

#include <QAction>

#include <utility>

#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace {

constexpr int kPressMs = 100;  // how long a pressed image stays out of its socket

const QColor kPayRow(255, 214, 70);
const QColor kWinningRow(40, 255, 90);

}  // namespace

void Keno20Window::Impl::ConnectControls() {
    for (int number = 1; number <= ViewModel::kSquares; ++number) {
        auto* square = face->findChild<BoardSquare*>(QStringLiteral("a_%1").arg(number));
        QObject::connect(square, &BoardSquare::clicked, &window, [this, number] { OnSquare(number); });
    }
    QObject::connect(Button("coinsin"), &ImageButton::pressed, &window, [this] { OnCoinsPressed(); });
    QObject::connect(Button("makbet"), &ImageButton::pressed, &window, [this] { OnMakeBetPressed(); });
    QObject::connect(Button("rubber"), &ImageButton::clicked, &window, [this] { OnErase(); });
    QObject::connect(Button("btnautoselect"), &ImageButton::clicked, &window, [this] { OnAutoSelect(); });
    QObject::connect(Button("start"), &ImageButton::clicked, &window, [this] { OnPlay(); });
    QObject::connect(Button("btkeno22"), &ImageButton::clicked, &window, [this] { app.SwitchGame(GameKind::Keno22); });
    QObject::connect(Button("mnuoptions"), &ImageButton::pressed, &window, [this] { OnOptionsPressed(); });
    // Letting go of an image always puts its picture back.
    for (const char* name : {"coinsin", "makbet", "rubber", "btnautoselect", "mnuoptions"}) {
        ImageButton* button = Button(name);
        QObject::connect(button, &ImageButton::released, button, [button] { button->setImageHidden(false); });
    }

    QObject::connect(window.findChild<QAction*>(QStringLiteral("MNUhelp")), &QAction::triggered, &window,
                     [this] { app.ShowGameInformation(GameKind::Keno20, &window); });
    QObject::connect(window.findChild<QAction*>(QStringLiteral("mnuabout")), &QAction::triggered, &window,
                     [this] { app.ShowAbout(); });
    QObject::connect(window.findChild<QAction*>(QStringLiteral("mnuexit")), &QAction::triggered, &window,
                     [this] { app.Quit(true); });

    QObject::connect(timer1, &QTimer::timeout, &window, [this] {
        game.FlashTick();
        Sync();
    });
    QObject::connect(timerpay, &QTimer::timeout, &window, [this] {
        payTable.RowFlashTick();
        Sync();
    });
    QObject::connect(runner, &PacedRunner::stepped, &window, [this] { Sync(); });
}

void Keno20Window::Impl::OnSquare(int number) {
    board.MarkSquare(number);
    Sync();
}

void Keno20Window::Impl::OnCoinsPressed() {
    ImageButton* coins = Button("coinsin");
    coins->setImageHidden(true);
    board.InsertCoins();
    Sync();
    QTimer::singleShot(kPressMs, coins, [coins] { coins->setImageHidden(false); });
}

// The image leaves its socket first and the operation runs when it is back, so a refusal's
// message comes after the press has been seen, as on the machine. A second press, PLAY, the
// options or a switch inside the 100 ms let it finish at once. Once a game runs (PLAY's own press
// effect) the buttons take no press until it has been settled.
void Keno20Window::Impl::AfterPress(ImageButton* button, void (clsKenoBoard::*operation)()) {
    if (game.Running()) return;
    pending->Start(button, [this, operation] {
        (board.*operation)();
        Sync();
    });
}

void Keno20Window::Impl::OnMakeBetPressed() { AfterPress(Button("makbet"), &clsKenoBoard::MakeBet); }

void Keno20Window::Impl::OnErase() {
    if (game.Running()) return;
    if (app.State().bank < 1) {  // refused before any press effect
        board.EraseBoard();
        Sync();
        return;
    }
    AfterPress(Button("rubber"), &clsKenoBoard::EraseBoard);
}

void Keno20Window::Impl::OnAutoSelect() {
    // A new set of numbers mid-draw would change what the remaining balls are compared with.
    if (game.Running()) return;
    AfterPress(Button("btnautoselect"), &clsKenoBoard::AutoSelect);
}

void Keno20Window::Impl::OnPlay() {
    if (game.Running()) return;
    // MAKE BET, ERASE or AUTO SELECT still in its press effect goes first: the game runs on the
    // bet and the numbers shown.
    pending->Finish();
    game.Play();
    runner->Kick();
}

void Keno20Window::Impl::OnOptionsPressed() {
    // The options change the player a running game is settled against.
    if (game.Running()) return;
    pending->Finish();
    ImageButton* options = Button("mnuoptions");
    options->setImageHidden(true);
    QTimer::singleShot(kPressMs, options, [options] { options->setImageHidden(false); });
    app.OpenOptions(&window);
}

void Keno20Window::Impl::Sync() {
    sync.Apply(view);
    playerLabel->setElidedText(window.windowTitle());
    MarkWinningRow();
}

// The row the flash is about is lit in the win colour while the flash runs.
void Keno20Window::Impl::MarkWinningRow() {
    const int winning = timerpay->isActive() ? payTable.payrow() : 0;
    for (int row = 1; row <= Keno20PaySchedule::kRows; ++row) {
        const QColor colour = row == winning ? kWinningRow : kPayRow;
        hitLabels[static_cast<std::size_t>(row)]->setColour(colour);
        winLabels[static_cast<std::size_t>(row)]->setColour(colour);
    }
    const bool lit = winning > 0 && !winLabels[static_cast<std::size_t>(winning)]->isHidden();
    if (lit) face->moveTo(winningBar, PayRowRect(winning).topLeft());
    if (winningBar->isHidden() == lit) winningBar->setVisible(lit);
}

}  // namespace keno
