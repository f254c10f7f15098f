// The machine's secondary windows: options, pay schedule, about, game information.
#include "shell/KenoApp.h"

#include "info/AboutWindow.h"
#include "info/GameInformation.h"
#include "info/PayoutsWindow.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20Window.h"
#include "keno22/Keno22Game.h"
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
        about_ = new AboutWindow(*this);
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

void KenoApp::BringToFront() {
    QWidget* window = options_ ? static_cast<QWidget*>(options_.data()) : ActiveGameWindow();
    if (!window || quitting_) return;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
}

}  // namespace keno
