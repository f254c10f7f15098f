#pragma once
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

namespace keno {

class ExtraBallAdvisor;
class GameWindow;
class OddsWindow;

// The odds on every game window, attached by the shell as each window is created:
// - the menu entry "Odds" and its key D open the odds screen for the ticket on the board. There is
//   one screen for the machine: it speaks of the window it was opened from, follows that window's
//   ticket (squares, bet, a player changed in the options dialog) while it is open, and moves to
//   the other game when the player switches, so it always shows the board in front of them;
// - the 22-ball face gets the extra-ball advisor, shown only while the offer is open and the
//   player in the chosen slot has not turned it off.
class OddsFeature : public QObject {
    Q_OBJECT
public:
    // Where the advisor stands on the 22-ball face: over the button row from MAKE BET to the right
    // edge, right under the EXTRA BALL OFFER frame. Every button it covers is disabled while the
    // offer is open; COINS, which a refused purchase gives back, stays clear.
    static constexpr QRect kAdvisorTwips{1590, 7110, 10290, 1130};

    // adviceWanted: whether the player now in play wants the advisor; asked each time an offer opens.
    explicit OddsFeature(std::function<bool()> adviceWanted, QObject* parent = nullptr);
    ~OddsFeature() override;

    void Attach(GameWindow& window);

    // The odds screen for window's ticket: opened, or brought forward and turned to that window.
    void OpenScreen(GameWindow& window);
    OddsWindow* Screen() const;
    // The window the screen speaks of.
    GameWindow* Source() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Feed();
    void PlaceScreen();
    void ShowAdvice(GameWindow& window, ExtraBallAdvisor& advisor);

    std::function<bool()> adviceWanted_;
    QPointer<OddsWindow> screen_;
    QPointer<GameWindow> source_;
};

}  // namespace keno
