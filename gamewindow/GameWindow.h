#pragma once
#include <QKeySequence>
#include <QMainWindow>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "board/KenoBoard.h"
#include "core/GameRecorder.h"
#include "core/ViewModel.h"
#include "host/GameHost.h"
#include "host/QtMessenger.h"

class QAction;
class QColor;
class QLabel;
class QTimer;

namespace keno {

class BoardSquare;
class ImageButton;
class LitLabel;
class MeterLabel;
class PacedRunner;
class PendingPress;
class TwipFace;

class GameWindow;

// A feature of every game window (a screen with its menu entry and key, a panel on the face, a
// writer fed by settled games): attached to each game window once, when the machine creates it,
// before its load. It uses only the window's extension points.
using GameWindowFeature = std::function<void(GameWindow&)>;

// The shape both game windows share: a scaled face with the board, meters and a row of lit
// buttons, the Exit/About/Help menu, named timers, the paced runner of the game's sequences, the
// press effects, keyboard play and accessibility, the fit to the screen, and the drawing of the
// view model onto the widgets (only what changed). Each game supplies its face layout, its
// engine, what its controls do and its own load steps, through the virtual functions below.
//
// Features for every game window (a screen with a menu entry and key, a panel on the face, a
// writer fed by settled games, a player that presses PLAY) use only the extension points: the
// menu entries, the face panels, the signals, PressControl and the ticket.
class GameWindow : public QMainWindow {
    Q_OBJECT
public:
    ~GameWindow() override;

    // The load: the design's own steps of the game, then everything drawn.
    void Load();
    // Draws what engine work done from outside (the options dialog) left in the view.
    void Redraw() { Sync(); }
    // Stops the hit blink (the window is being left for the other game).
    virtual void StopHitBlink();
    // Runs the work of a press still in its press effect (before the window is left).
    void FinishPendingPress();
    // Shows the loaded player, credit and bet, with the buttons they light (coming back into view,
    // the options dialog closed); not while a draw runs.
    void ShowMachineState();
    // For shut-down: finishes a running sequence at once and settles an open offer. From inside a
    // step (a box of the game is up) that happens as soon as the step has returned.
    void SettleForShutdown();

    GameKind Kind() const { return kind_; }
    ViewModel& View() { return view_; }
    clsKenoBoard& Board() { return board_; }
    // A paced sequence (draw, extra balls) is running.
    virtual bool GameRunning() const = 0;
    // The game is not over (running, or an offer open): the window must not be left.
    virtual bool GameInHand() const { return GameRunning(); }
    virtual bool OfferOpen() const { return false; }

    // An open extra-ball offer as the player sees it: the ticket's spots, the hits so far, the bet
    // the game was played at, whether TAKE WIN can still be pressed (a refused purchase takes it
    // away) and the credit (a purchase it cannot pay is refused).
    struct Offer {
        int spots = 0;
        int hits = 0;
        int bet = 0;
        bool takeWinOpen = true;
        std::int32_t credit = 0;
        bool operator==(const Offer&) const = default;
    };
    // The open offer; nothing while none is open.
    virtual std::optional<Offer> OpenOffer() const { return std::nullopt; }

    // --- Extension points ---
    struct MenuEntry {
        const char* name;      // the action's object name
        QString text;          // as the menu shows it
        QKeySequence key;      // empty: no key
        QString keyLabel;      // "D": how the help line and screen readers name the key
        QString what;          // "odds": what the key does, for the help line
        std::function<void()> run;
    };
    // A menu entry after Exit, About and Help. Its key works while the window has focus and is
    // listed in the game information's key help. The view can enable or hide it by its name.
    QAction* AddMenuEntry(const MenuEntry& entry);
    // A panel on the face at a place in twips (the face's design size is FaceTwips()). It scales
    // with the face; show and hide it as its feature needs (offerOpened, offerClosed).
    void AddFacePanel(QWidget* panel, const QRect& twips);
    QSize FaceTwips() const;
    // A strip of the face that nothing of the game covers (the gap between the board's two
    // halves), for a feature's one line of news such as a counter.
    QRect StatusTwips() const { return statusTwips_; }
    // Presses the named button as the player's key would: only when it is shown and enabled, and
    // never once the machine is ending.
    bool PressControl(const QString& name);
    // The ticket: the marked numbers and the bet.
    std::vector<int> Picks() const { return board_.Picks(); }
    int Bet() const;

signals:
    // The marked numbers or the bet changed, whatever changed them.
    void ticketChanged();
    void offerOpened();
    // The open offer changed while it stayed open (TAKE WIN taken away, coins inserted): see OpenOffer.
    void offerChanged();
    void offerClosed();
    // A game charged and played has been settled (after its offer, if one opened): sent once per
    // game, as the engine reports it and before the window draws the result. A feature that
    // acts on the window in answer (presses a control) queues that.
    void gameSettled(const keno::SettledGame& game);

protected:
    struct Identity {
        GameKind kind;
        const char* objectName;
        BoardRules rules;
        const char* exitAction;   // the menu's object names and About's text
        const char* aboutAction;
        const char* aboutText;
        bool closeStopsSound;     // closing the window ends the machine with the sound stopped
    };
    GameWindow(GameHost& host, const Identity& identity, QWidget* parent);

    // Called at the end of the game's constructor, once its engine exists.
    void Build();
    // What the game's engine reports each settled game to (its SetRecorder, in the game's
    // constructor): sent on as gameSettled. Nothing else reports to it.
    GameRecorder& SettledGames() { return settledGames_; }

    // --- What each game supplies ---
    // The face's controls with the helpers below, in the order the Tab key walks them.
    virtual void BuildFace() = 0;
    // The game's timers (AddTimer), besides none shared.
    virtual void BuildTimers() = 0;
    // What the game's buttons do, with the press helpers below.
    virtual void WireControls() = 0;
    // The game's own load steps, after the window has gone to the screen's corner.
    virtual void LoadGame() = 0;
    virtual std::optional<int> AdvanceGame() = 0;
    // Runs the running sequence to its end at once: same numbers, same result.
    virtual void SettleGame() = 0;
    // Settles an open offer at shut-down (taken as TAKE WIN would take it).
    virtual void SettleOffer() {}
    // More of the machine state to show when the window comes back (the pay table).
    virtual void ShowMoreMachineState() {}
    // Draws the game's own widgets from the view (the rack, the winning row).
    virtual void SyncGame(bool /*everything*/) {}

    // --- Face helpers ---
    void MakeFace(QSize designTwips, const QString& title, const QRect& titleTwips);
    void SetStatusTwips(const QRect& twips) { statusTwips_ = twips; }
    TwipFace& Face() const { return *face_; }
    BoardSquare* AddSquare(int number, const QRect& twips);
    void AddPlayerLabel(const QRect& twips);
    MeterLabel* AddMeter(const char* name, const char* caption, const QRect& twips, const QColor& digits, int cells);
    ImageButton* AddButton(const char* name, const char* caption, const QColor& colour, const QRect& twips,
                           const char* tooltip);
    // Two pictures of one button at one place: the view's "visible" shows one or the other,
    // where for other buttons it is the press effect (the picture leaves, the button stays).
    void TakeTurns(std::initializer_list<const char*> names);
    QTimer* AddTimer(const char* name, int ms, std::function<void()> tick);
    ImageButton* Button(const char* name) const;

    // --- Press helpers (each draws the view afterwards) ---
    // The work runs on the press; the picture is out while the button is held.
    void ActOnPressHeld(const char* name, std::function<void()> work);
    // The work runs on the press; the picture is out for the press effect (100 ms).
    void ActOnPressBrief(const char* name, std::function<void()> work);
    // The work waits for the press effect (100 ms); whatever would overtake it finishes it first.
    // It is refused while a game runs. onPress: on the press, else on the click.
    void ActAfterPressEffect(const char* name, bool onPress, std::function<void()> work);
    void StartPressEffect(ImageButton* button, std::function<void()> work);
    void ActOnClick(const char* name, std::function<void()> work);
    void PictureBackOnRelease(const char* name);
    // PLAY and the offer's buttons: start a paced sequence of the engine.
    void StartsSequence(const char* name, std::function<void()> operation);

    // Slot 1's record and the caption naming its player (both games' loads).
    void LoadSlotOne();
    // Draws the view onto the widgets; everything, or only what differs from what they show.
    void Sync(bool everything = false);

    GameHost& host_;
    QtMessenger messenger_;
    ViewModel view_;
    clsKenoBoard board_;
    PacedRunner* runner_ = nullptr;
    PendingPress* pending_ = nullptr;

private:
    void BuildMenu();
    void WireShared();
    void SyncSquares(bool everything);
    void SyncControls(bool everything);
    void SyncTexts(bool everything);
    void SyncTimers();
    void NoticeChanges();
    void RestorePicture(ImageButton* button);

    const Identity identity_;
    const GameKind kind_;
    TwipFace* face_ = nullptr;
    QRect statusTwips_;
    LitLabel* playerLabel_ = nullptr;
    std::array<BoardSquare*, ViewModel::kSquares + 1> squares_{};
    std::map<std::string, ImageButton*, std::less<>> buttons_;
    std::map<std::string, QWidget*, std::less<>> named_;  // the face's other named widgets
    std::map<std::string, QAction*, std::less<>> actions_;
    std::map<std::string, QTimer*, std::less<>> timers_;
    std::set<std::string, std::less<>> takingTurns_;

    bool stepping_ = false;         // inside a paced step: the sequence cannot be resumed from here
    bool settleAfterStep_ = false;  // settle for shut-down as soon as the step returns
    ViewModel shown_;               // what the widgets show now, to touch only what changed

    // What the hooks last reported.
    std::vector<int> ticketPicks_;
    int ticketBet_ = -1;
    bool offerOpen_ = false;
    std::optional<Offer> offerShown_;

    struct SettledRelay final : GameRecorder {
        explicit SettledRelay(GameWindow& w) : window(w) {}
        void GameSettled(const SettledGame& game) override { emit window.gameSettled(game); }
        GameWindow& window;
    };
    SettledRelay settledGames_{*this};

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

}  // namespace keno
