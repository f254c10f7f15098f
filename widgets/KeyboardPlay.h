#pragma once
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <array>
#include <vector>

class QAbstractButton;
class QAction;
class QWidget;

namespace keno {

class BoardSquare;

// One game key and the buttons (object names) it clicks: the first one shown and enabled, as a
// mouse would find it (the extra-ball button is two pictures at one place).
struct GameKey {
    std::vector<QKeySequence> keys;
    QStringList buttons;
    QString label;   // "C", "Space or Enter": how tooltips and help name the key
    QString action;  // "coins", for the help line
};

// The keys of both game windows; a window uses those whose buttons it has.
const std::vector<GameKey>& GameKeys();

// "Keys: C coins, B make bet, ..." for the keys window has buttons for (all of them for a window
// that is not a game window).
QString GameKeysHelp(const QWidget* window);

// For the painted controls' event(): repaints on hover, and keeps Space for the focused control
// (it marks a square or presses a button) even where the window plays on Space. True when the
// event was taken.
bool HandleHoverAndSpace(QWidget& control, QEvent* event);

// Keyboard play of a game window: each game key clicks its button exactly as the mouse does (a
// disabled button ignores it, a refused one answers with its message); Tab walks the board and
// the buttons; on the board the arrow keys move a focus ring over the squares a_1..a_80 and Space
// marks the square under it; Esc leaves the controls, so that Space plays again. A button's
// tooltip comes up with its key after it, "Insert Coins (C)".
class KeyboardPlay : public QObject {
    Q_OBJECT
public:
    // Installs keyboard play (and the accessibility of the painted controls) on window, once.
    static KeyboardPlay* Install(QWidget& window);

    // The square the board's focus ring stands on (1..80), also while the board has no focus.
    int currentSquare() const { return current_; }

    // The key of a menu entry a feature added to a game window: named in the key help after the
    // game keys ("D odds") and to screen readers.
    static void AddMenuKey(QAction& action, const QString& label, const QString& what);

    // The tooltip a control shows: its own with the key that works it after it.
    static QString ShownToolTip(const QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyboardPlay(QWidget& window);

    void AddShortcuts();
    void LabelButtons();
    void AdoptBoard();
    void Press(const GameKey& key) const;
    void MoveOnBoard(int columns, int rows);
    void MakeCurrent(int number);

    QWidget& window_;
    std::array<QPointer<BoardSquare>, 81> squares_{};
    int current_ = 1;
};

}  // namespace keno
