// Forwarding the window's clicks, presses and timer ticks to the engines, with the press effects.
#include <QGuiApplication>

#include "keno22/Keno22WindowImpl.h"
#include "shell/SoundBank.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

namespace keno {

void Keno22Window::Impl::RunBoard(void (clsKenoBoard::*operation)()) {
    (board.*operation)();
    Sync();
}

// A message box raised by the press swallows its release; then the picture comes back here.
void Keno22Window::Impl::RestoreAfterPress(ImageButton* button) {
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) button->setImageHidden(false);
}

// COINS, MAKE BET, OPTIONS and PAY SCHEDULE: the picture leaves on press and returns on release.
void Keno22Window::Impl::ConnectPressEffect(ImageButton* button) {
    QObject::connect(button, &ImageButton::pressed, button, [button] { button->setImageHidden(true); });
    QObject::connect(button, &ImageButton::released, button, [button] { button->setImageHidden(false); });
}

// PLAY, TAKE WIN and the extra balls start a paced sequence; a press while one runs is ignored
// by the engine and must not hurry the running one along.
void Keno22Window::Impl::ConnectPaced(ImageButton* button, void (Keno22Game::*operation)()) {
    QObject::connect(button, &ImageButton::clicked, &window, [this, operation] {
        if (game.Running()) return;
        // An AUTO SELECT still in its press effect goes first: the game plays the ticket shown.
        // Should that have been OPTIONS, the dialog is up and the window no longer takes presses.
        pending->Finish();
        if (!window.isEnabled() || game.Running()) return;
        (game.*operation)();
        if (game.Running()) runner->Kick();
        else Sync();
    });
}

// AUTO SELECT and OPTIONS show the press for 100 ms before they do their work.
void Keno22Window::Impl::AfterDelayedPress(ImageButton* button, void (Impl::*work)()) {
    if (game.Running()) return;
    pending->Start(button, [this, work] { (this->*work)(); });
}

void Keno22Window::Impl::DoAutoSelect() {
    // A draw may have started during the press; its ticket must stay the one it took.
    if (game.Running()) return;
    RunBoard(&clsKenoBoard::AutoSelect);
}

void Keno22Window::Impl::DoOpenOptions() {
    if (game.Running()) return;
    app.OpenOptions(&window);
}

void Keno22Window::Impl::Connect() {
    runner = new PacedRunner([this]() -> std::optional<int> {
        stepping = true;
        std::optional<int> pause = game.Advance();
        stepping = false;
        // Shut-down came from inside this step (a message box's own loop): finish the game now.
        if (settleAfterStep) {
            settleAfterStep = false;
            window.SettleForShutdown();
            return std::nullopt;
        }
        return pause;
    }, &window);
    runner->setObjectName(QStringLiteral("runner"));
    QObject::connect(runner, &PacedRunner::stepped, &window, [this] { Sync(); });

    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        QObject::connect(squares[static_cast<std::size_t>(n)], &BoardSquare::clicked, &window, [this, n] {
            board.MarkSquare(n);
            Sync();
        });
    }

    ImageButton* coins = buttons.at("coinsin");
    ConnectPressEffect(coins);
    QObject::connect(coins, &ImageButton::pressed, &window, [this, coins] {
        RunBoard(&clsKenoBoard::InsertCoins);
        RestoreAfterPress(coins);
    });
    ImageButton* bet = buttons.at("makbet");
    ConnectPressEffect(bet);
    QObject::connect(bet, &ImageButton::pressed, &window, [this, bet] {
        RunBoard(&clsKenoBoard::MakeBet);
        RestoreAfterPress(bet);
    });
    ImageButton* erase = buttons.at("rubber");
    QObject::connect(erase, &ImageButton::clicked, &window, [this, erase] {
        erase->setImageHidden(true);  // tmrshowbuttons brings it back
        // It ticks only while there is a picture to bring back: an idle window has no timer waking it.
        if (!tmrshowbuttons->isActive()) tmrshowbuttons->start();
        RunBoard(&clsKenoBoard::EraseBoard);
    });
    ImageButton* autoSelect = buttons.at("btnautoselect");
    QObject::connect(autoSelect, &ImageButton::clicked, &window,
                     [this, autoSelect] { AfterDelayedPress(autoSelect, &Impl::DoAutoSelect); });

    ConnectPaced(buttons.at("start"), &Keno22Game::Play);
    ConnectPaced(buttons.at("takwin"), &Keno22Game::TakeWin);
    ConnectPaced(buttons.at("xtraballs"), &Keno22Game::BuyExtraBalls);
    ConnectPaced(buttons.at("flash"), &Keno22Game::BuyExtraBalls);

    QObject::connect(buttons.at("btn20ball"), &ImageButton::clicked, &window, [this] { app.SwitchTo20Ball(); });
    ImageButton* options = buttons.at("mnuoptions");
    ConnectPressEffect(options);
    QObject::connect(options, &ImageButton::pressed, &window,
                     [this, options] { AfterDelayedPress(options, &Impl::DoOpenOptions); });
    ImageButton* payouts = buttons.at("mnupayouts");
    ConnectPressEffect(payouts);
    QObject::connect(payouts, &ImageButton::pressed, &window, [this, payouts] {
        app.ShowPaySchedule();
        RestoreAfterPress(payouts);
    });

    QObject::connect(actions.at("mnexit"), &QAction::triggered, &window, [this] { app.Quit(true); });
    QObject::connect(actions.at("mnabout"), &QAction::triggered, &window, [this] { app.ShowAbout(); });
    QObject::connect(actions.at("MNUhelp"), &QAction::triggered, &window,
                     [this] { app.ShowGameInformation(GameKind::Keno22, &window); });

    QObject::connect(timer1, &QTimer::timeout, &window, [this] {
        game.FlashTick();
        SyncSquares(false);
    });
    QObject::connect(tmrflash, &QTimer::timeout, &window, [this] {
        game.OfferTick();
        SyncControls(false);
    });
    QObject::connect(tmrshowbuttons, &QTimer::timeout, erase, [this, erase] {
        erase->setImageHidden(false);
        tmrshowbuttons->stop();
    });
}

}  // namespace keno
