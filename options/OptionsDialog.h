#pragma once
#include <QDialog>
#include <QPointer>

#include <array>
#include <memory>

#include "host/GameHost.h"
#include "host/QtMessenger.h"
#include "options/OptionsController.h"
#include "options/OptionsHost.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace keno {

// "Keno Options": statistics, player slot, name, reel speed, delete and screen size. A thin window
// over OptionsController: control events go to the controller, its View() is copied back onto the
// controls. Not modal; unloads itself (WA_DeleteOnClose) on every way out.
class OptionsDialog : public QDialog, public OptionsHost {
    Q_OBJECT
public:
    // Fills itself from the machine state at once (OpenOptions). The opener is the game window
    // that opened it; the shell disables it while the dialog is open.
    OptionsDialog(GameHost& host, QWidget* opener);
    ~OptionsDialog() override;

    OptionsController& Controller() { return *controller_; }

    // OptionsHost
    void ShowActiveGame(const std::string& activegame) override;
    void MoveMainWindowToOrigin() override;
    void CloseDialog() override;
    void RefreshGameWindows() override;
    void SaveFailed(const StoreStatus& status) override;
    void PlayerDetailsDeleted(int slot) override { host_.ForgetPlayerHistory(slot); }

public slots:
    // Escape: leaves by the closing steps like every other way out.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls {
        QGroupBox* framemain = nullptr;
        std::array<QRadioButton*, 7> machine{};  // 1..6
        QButtonGroup* machines = nullptr;
        QLineEdit* player1 = nullptr;
        QLabel* lblplayername = nullptr;
        QLabel* lblcurrentplayer = nullptr;
        QLabel* lblgames = nullptr;
        QLabel* lblwager = nullptr;
        QLabel* lbltotalwon = nullptr;
        QLabel* lblwinlose = nullptr;
        QLabel* lblreturned = nullptr;
        QLabel* lblinvested = nullptr;
        QLabel* lbllastbet = nullptr;
        QGroupBox* framespeed = nullptr;
        std::array<QRadioButton*, 3> setspeed{};
        QButtonGroup* speeds = nullptr;
        QLabel* fastslow = nullptr;
        QLabel* speedlab = nullptr;
        QPushButton* btndeletedetails = nullptr;
        QPushButton* btnokplayer = nullptr;
        QGroupBox* frame1 = nullptr;
        QPushButton* cmdlargescreen = nullptr;
        QPushButton* cmdorigonal = nullptr;
        QPlainTextEdit* text1 = nullptr;
        QCheckBox* chkadvisor = nullptr;  // the extra-ball advice of the slot selected
    };

    // OptionsDialogLayout.cpp: creates and places the controls, with their names and texts.
    void BuildControls();
    void ApplyLook();
    void ConnectControls();
    // Runs one controller operation and copies its view onto the controls.
    template <typename Operation>
    void Run(Operation operation);
    void ShowView();

    GameHost& host_;
    QPointer<QWidget> opener_;
    QtMessenger messenger_;
    std::unique_ptr<OptionsController> controller_;
    Controls ui_;
    int shownClears_ = 0;
    int shownFocusRequests_ = 0;
    bool reflecting_ = false;
    bool inCloseEvent_ = false;
    int running_ = 0;            // operations under way, one inside another while a box is up
    bool closePending_ = false;  // closed by one of them: close once the last returns
};

}  // namespace keno
