#pragma once
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "core/Clock.h"
#include "core/MachineState.h"
#include "core/PlayerLedger.h"
#include "core/RandomSource.h"
#include "core/SettingsStore.h"
#include "gamewindow/GameWindow.h"
#include "host/GameHost.h"
#include "shell/SoundBank.h"

class QTimer;

namespace keno {

class Keno22Window;
class Keno20Window;
class SignalBridge;
class OptionsDialog;
class PayoutsWindow;
class AboutWindow;
class GameHistory;
class OddsFeature;

// The machine: owns the machine state, the ledger over the settings store, the sound bank, the
// random source and clock, and the long-lived windows. Windows reach it as their GameHost.
class KenoApp : public QObject, public GameHost {
    Q_OBJECT
public:
    // store: the settings store to use (tests pass one over a temporary file); null means the
    // per-user INI file.
    explicit KenoApp(std::unique_ptr<SettingsStore> store = nullptr, QObject* parent = nullptr);
    ~KenoApp() override;

    // Shows keno22 (created and loaded here). Nothing else runs before it.
    void Start();

    MachineState& State() override { return state_; }
    PlayerLedger& Ledger() override { return *ledger_; }
    SettingsStore& Store() { return *store_; }
    SoundBank& Sound() override { return *sound_; }
    void FillSoundBank() override;
    // The engines keep these references for their whole life; the setters swap what is behind them.
    RandomSource& Random() override { return random_; }
    Clock& TimeOfDay() override { return clock_; }
    void SetRandomSource(std::unique_ptr<RandomSource> random);  // tests fix the draws
    void SetClock(std::unique_ptr<Clock> clock);
    // The screen-size switch of the options dialog; exits restore through it.
    DisplayModeSwitch& DisplayModes() override { return *display_; }
    void SetDisplayModeSwitch(std::unique_ptr<DisplayModeSwitch> display);

    // A feature for both game windows: attached to each one as it is created (at once to those
    // already there). The program's own features are added in the constructor.
    void AddGameWindowFeature(GameWindowFeature feature);

    // Every settled game of both windows is written here.
    GameHistory& History() { return *history_; }
    // The odds screen and the extra-ball advisor of both game windows.
    OddsFeature& Odds() { return *odds_; }

    Keno22Window* Keno22() const;
    Keno20Window* Keno20() const;  // null until the first switch

    // btn20ball / btkeno22 (and the G key). Each window keeps its board and game state; keno20 is
    // created and loaded on the first switch. Refused while the window being left has a game in
    // progress (draw, extra balls, open offer) or the options dialog or a message box is open.
    void SwitchTo20Ball();
    void SwitchTo22Ball();
    void SwitchGame(GameKind to) override;

    // Ends the program: settles a running game and takes an open offer first (nothing owed is
    // lost), stops the sound when asked, saves the record of the slot in use (warning the player
    // when it could not be written), restores the display mode, then ends. Runs once.
    void Quit(bool stopSound) override;
    // The same path for a signal or the end of the desktop session: nobody is there to answer a
    // box, so problems go to standard error instead, and an open box is dismissed first.
    void QuitUnattended();
    // Another start of the program asked for this one: show the active game window in front.
    void BringToFront();
    bool Quitting() const override { return quitting_; }
    // What "end the program" does; the default leaves the main event loop. Tests replace it.
    void SetExitHandler(std::function<void()> exit) { exit_ = std::move(exit); }

    // The options dialog, opened from either game window (the opener is disabled while it is open).
    void OpenOptions(QWidget* opener) override;
    OptionsDialog* Options() const;
    // The pay-schedule window (one at a time) and the about window.
    void ShowPaySchedule() override;
    PayoutsWindow* Payouts() const;
    void ShowAbout() override;
    AboutWindow* About() const;
    // The game information box of a game window (modal).
    void ShowGameInformation(GameKind game, QWidget* parent) override;

    // Tells the player that their record could not be saved, naming the file and the reason.
    void WarnSaveFailed(const StoreStatus& status, QWidget* parent) override;
    // The options deleted a player: their game history goes, after the games already settled.
    void ForgetPlayerHistory(int slot) override;
    // Saves the record of the slot in use and warns when it failed; returns whether it was saved.
    bool SaveRecordOrWarn(QWidget* parent);

    // What the options dialog changes in the game windows.
    ViewModel* GameView(GameKind game) override;
    void ShowActiveGame(const std::string& activegame) override;
    void MoveMainWindowToOrigin() override;
    void RefreshGameWindows() override;

signals:
    void keno20Created(Keno20Window* window);

private:
    // Forwarders whose target can change under the references the windows hold.
    struct RandomSeam final : RandomSource {
        std::unique_ptr<RandomSource> inner;
        void Reseed() override { inner->Reseed(); }
        double Fraction() override { return inner->Fraction(); }
    };
    struct ClockSeam final : Clock {
        std::unique_ptr<Clock> inner;
        double SecondsSinceMidnight() override { return inner->SecondsSinceMidnight(); }
    };

    void OnTerminate(int signal);
    void FinishAfterFirstFrame();
    void StartAfterFirstFrame();
    void InstallShutdownPaths();
    void DeleteScreens();
    void RunShutdown(bool stopSound);
    bool AnyGameRunning() const;
    bool MayLeave(QWidget* window, bool gameBusy) const;
    QWidget* ActiveGameWindow() const;

    std::vector<GameWindowFeature> features_;
    MachineState state_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<PlayerLedger> ledger_;
    std::unique_ptr<SoundBank> sound_;
    RandomSeam random_;
    ClockSeam clock_;
    std::unique_ptr<DisplayModeSwitch> display_;
    std::unique_ptr<GameHistory> history_;
    OddsFeature* odds_ = nullptr;  // a child: it goes after the game windows
    SignalBridge* signals_ = nullptr;
    QPointer<QMessageBox> saveWarning_;
    bool unattended_ = false;
    int modalRetries_ = 0;
    int settleRetries_ = 0;
    int gamesSinceTrim_ = 0;
    QPointer<Keno22Window> keno22_;
    QPointer<Keno20Window> keno20_;
    QPointer<OptionsDialog> options_;
    QPointer<PayoutsWindow> payouts_;
    QPointer<AboutWindow> about_;
    std::function<void()> exit_;
    bool quitting_ = false;
    bool afterFirstFrameDone_ = false;
    QTimer* firstFrameLatest_ = nullptr;
};

}  // namespace keno
