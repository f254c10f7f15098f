// The machine's secondary windows: options, pay schedule, about, game information.
#include "shell/KenoApp.h"

#include <QApplication>

#include "info/AboutWindow.h"
#include "info/GameInformation.h"
#include "info/PayoutsWindow.h"
#include "keno20/Keno20Window.h"
#include "keno22/Keno22Window.h"
#include "options/OptionsDialog.h"

namespace keno {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kAboutHeightTwips = 1830;

void BringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

OptionsDialog* KenoApp::Options() const { return options_; }
PayoutsWindow* KenoApp::Payouts() const { return payouts_; }
AboutWindow* KenoApp::About() const { return about_; }

void KenoApp::DeleteScreens() {
    delete options_.data();
    delete about_.data();
    delete payouts_.data();
}

void KenoApp::OpenOptions(QWidget* opener) {
    if (quitting_) return;
    // The dialog changes the meters and the slot under a game; a draw in progress would pay into
    // whichever player the dialog had just selected.
    if (AnyGameRunning()) return;
    if (options_) {
        BringForward(options_);
        return;
    }
    options_ = new OptionsDialog(*this, opener);
    options_->show();
    if (opener) opener->setEnabled(false);
}

void KenoApp::ShowPaySchedule() {
    if (quitting_) return;
    if (payouts_) {
        BringForward(payouts_);
        return;
    }
    payouts_ = new PayoutsWindow();
    payouts_->setAttribute(Qt::WA_DeleteOnClose);
    payouts_->show();
    const Qt::WindowStates states = payouts_->windowState();
    if (!(states & (Qt::WindowMinimized | Qt::WindowMaximized))) payouts_->move(0, 0);
}

void KenoApp::ShowAbout() {
    if (quitting_) return;
    if (!about_) {
        // However it closes, keno22 is enabled again, unless the options dialog or a box still
        // needs it disabled (the dialog enables it itself when it closes).
        about_ = new AboutWindow([this]() -> QWidget* { return keno22_.data(); }, nullptr, [this] {
            return !options_.isNull() || QApplication::activeModalWidget() != nullptr;
        });
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    BringForward(about_);
    about_->resize(about_->width(), kAboutHeightTwips / kTwipsPerPixel);
    const bool mainPlaced =
        keno22_ && (keno22_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (!mainPlaced) about_->move(0, 0);
}

void KenoApp::ShowGameInformation(GameKind game, QWidget* parent) {
    if (quitting_) return;
    ShowGameInformationBox(game, parent);
}

ViewModel* KenoApp::GameView(GameKind game) {
    if (game == GameKind::Keno22) return keno22_ ? &keno22_->View() : nullptr;
    return keno20_ ? &keno20_->View() : nullptr;
}

void KenoApp::ShowActiveGame(const std::string& activegame) {
    QWidget* k22 = keno22_.data();
    QWidget* k20 = keno20_.data();
    QWidget* active = activegame == "game2" && k20 ? k20 : k22;
    QWidget* other = active == k22 ? k20 : k22;
    if (other) other->hide();
    if (active) {
        active->setEnabled(true);
        active->show();
        active->raise();
        active->activateWindow();
    }
    // The window stayed in view under the dialog: the player, bet and credit it shows, the
    // buttons they light and the 20-ball pay table follow what the dialog left.
    if (active && active == k22) keno22_->ShowMachineState();
    if (active && active == k20) keno20_->ShowMachineState();
}

void KenoApp::MoveMainWindowToOrigin() {
    if (keno22_) keno22_->move(0, 0);
}

void KenoApp::RefreshGameWindows() {
    if (keno22_) keno22_->Redraw();
    if (keno20_) keno20_->Redraw();
}

void KenoApp::BringToFront() {
    QWidget* window = options_ ? static_cast<QWidget*>(options_.data()) : ActiveGameWindow();
    if (!window || quitting_) return;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
}

}  // namespace keno
