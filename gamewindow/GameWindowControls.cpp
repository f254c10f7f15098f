// The ways a button of a game window acts, with their press effects. Each draws the view after
// its work.
#include <QGuiApplication>
#include <QTimer>

#include "gamewindow/GameWindow.h"
#include "gamewindow/PacedRunner.h"
#include "gamewindow/PendingPress.h"
#include "widgets/ImageButton.h"

namespace keno {

// A message box raised by the press swallows its release; then the picture comes back here.
void GameWindow::RestorePicture(ImageButton* button) {
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) button->setImageHidden(false);
}

// Letting go of an image always puts its picture back.
void GameWindow::PictureBackOnRelease(const char* name) {
    ImageButton* button = Button(name);
    connect(button, &ImageButton::released, button, [button] { button->setImageHidden(false); });
}

void GameWindow::ActOnPressHeld(const char* name, std::function<void()> work) {
    ImageButton* button = Button(name);
    connect(button, &ImageButton::pressed, button, [button] { button->setImageHidden(true); });
    PictureBackOnRelease(name);
    connect(button, &ImageButton::pressed, this, [this, button, work = std::move(work)] {
        work();
        Sync();
        RestorePicture(button);
    });
}

void GameWindow::ActOnPressBrief(const char* name, std::function<void()> work) {
    ImageButton* button = Button(name);
    PictureBackOnRelease(name);
    connect(button, &ImageButton::pressed, this, [this, button, work = std::move(work)] {
        button->setImageHidden(true);
        work();
        Sync();
        QTimer::singleShot(PendingPress::kPressMs, button, [button] { button->setImageHidden(false); });
    });
}

void GameWindow::StartPressEffect(ImageButton* button, std::function<void()> work) {
    if (GameRunning()) return;
    pending_->Start(button, [this, work = std::move(work)] {
        // A draw may have started during the press; its ticket and player must stay.
        if (GameRunning()) return;
        work();
        Sync();
    });
}

void GameWindow::ActAfterPressEffect(const char* name, bool onPress, std::function<void()> work) {
    ImageButton* button = Button(name);
    PictureBackOnRelease(name);
    const auto start = [this, button, work = std::move(work)] { StartPressEffect(button, work); };
    if (onPress) connect(button, &ImageButton::pressed, this, start);
    else connect(button, &ImageButton::clicked, this, start);
}

void GameWindow::ActOnClick(const char* name, std::function<void()> work) {
    connect(Button(name), &ImageButton::clicked, this, [this, work = std::move(work)] {
        work();
        Sync();
    });
}

// A press while a sequence runs is ignored by the engine and must not hurry the running one along.
void GameWindow::StartsSequence(const char* name, std::function<void()> operation) {
    connect(Button(name), &ImageButton::clicked, this, [this, operation = std::move(operation)] {
        if (GameRunning()) return;
        // A press still in its press effect goes first: the game plays the ticket and bet shown.
        // Should that have been OPTIONS, the dialog is up and the window no longer takes presses.
        pending_->Finish();
        if (!isEnabled() || GameRunning()) return;
        operation();
        if (GameRunning()) runner_->Kick();
        else Sync();
    });
}

}  // namespace keno
