#include "widgets/KeyboardPlay.h"

#include "widgets/Accessibility.h"
#include "widgets/BoardSquare.h"

#include <QAbstractButton>
#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QToolTip>
#include <QWidget>

namespace keno {

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 8;
constexpr int kSquares = kColumns * kRows;
constexpr char kHintProperty[] = "kenoKeyHint";
constexpr char kMenuKeyProperty[] = "kenoMenuKey";

QKeySequence Key(int key) {
    return QKeySequence(key);
}

QAbstractButton* FindButton(const QWidget* window, const QString& name) {
    return window == nullptr ? nullptr : window->findChild<QAbstractButton*>(name);
}

bool HasAnyButton(const QWidget* window, const GameKey& key) {
    for (const QString& name : key.buttons) {
        if (FindButton(window, name) != nullptr) return true;
    }
    return false;
}

}  // namespace

const std::vector<GameKey>& GameKeys() {
    static const std::vector<GameKey> keys{
        {{Key(Qt::Key_C)}, {QStringLiteral("coinsin")}, QStringLiteral("C"), QStringLiteral("coins")},
        {{Key(Qt::Key_B)}, {QStringLiteral("makbet")}, QStringLiteral("B"), QStringLiteral("make bet")},
        {{Key(Qt::Key_E)}, {QStringLiteral("rubber")}, QStringLiteral("E"), QStringLiteral("erase")},
        {{Key(Qt::Key_A)}, {QStringLiteral("btnautoselect")}, QStringLiteral("A"), QStringLiteral("auto select")},
        {{Key(Qt::Key_Space), Key(Qt::Key_Return), Key(Qt::Key_Enter)},
         {QStringLiteral("start")},
         QStringLiteral("Space or Enter"),
         QStringLiteral("play")},
        {{Key(Qt::Key_X)}, {QStringLiteral("xtraballs"), QStringLiteral("flash")}, QStringLiteral("X"),
         QStringLiteral("extra balls")},
        {{Key(Qt::Key_T)}, {QStringLiteral("takwin")}, QStringLiteral("T"), QStringLiteral("take win")},
        {{Key(Qt::Key_O)}, {QStringLiteral("mnuoptions")}, QStringLiteral("O"), QStringLiteral("options")},
        {{Key(Qt::Key_P)}, {QStringLiteral("mnupayouts")}, QStringLiteral("P"), QStringLiteral("pay schedule")},
        {{Key(Qt::Key_G)}, {QStringLiteral("btn20ball"), QStringLiteral("btkeno22")}, QStringLiteral("G"),
         QStringLiteral("switch game")},
    };
    return keys;
}

QString GameKeysHelp(const QWidget* window) {
    bool gameWindow = false;
    for (const GameKey& key : GameKeys()) gameWindow = gameWindow || HasAnyButton(window, key);
    QStringList parts;
    for (const GameKey& key : GameKeys()) {
        if (!gameWindow || HasAnyButton(window, key)) parts << key.label + QLatin1Char(' ') + key.action;
    }
    if (window != nullptr) {
        for (const QAction* action : window->findChildren<QAction*>()) {
            const QString menuKey = action->property(kMenuKeyProperty).toString();
            if (!menuKey.isEmpty()) parts << menuKey;
        }
    }
    return QStringLiteral("Keys: ") + parts.join(QStringLiteral(", ")) +
           QStringLiteral(". Tab walks the board and the buttons; on the board the arrow keys move "
                          "and Space marks a number; Esc leaves them.");
}

void KeyboardPlay::AddMenuKey(QAction& action, const QString& label, const QString& what) {
    action.setProperty(kMenuKeyProperty, label + QLatin1Char(' ') + what);
    action.setProperty(kKeyProperty, label);
}

KeyboardPlay* KeyboardPlay::Install(QWidget& window) {
    InstallKenoAccessibility();
    if (auto* existing = window.findChild<KeyboardPlay*>(QString(), Qt::FindDirectChildrenOnly)) return existing;
    return new KeyboardPlay(window);
}

KeyboardPlay::KeyboardPlay(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("keyboardplay"));
    AddShortcuts();
    LabelButtons();
    AdoptBoard();
    // Nothing focused at first, so that Space plays until the player tabs into the controls.
    window_.setFocus(Qt::OtherFocusReason);
}

void KeyboardPlay::AddShortcuts() {
    for (const GameKey& key : GameKeys()) {
        if (!HasAnyButton(&window_, key)) continue;
        for (const QKeySequence& sequence : key.keys) {
            auto* shortcut = new QShortcut(sequence, &window_);
            shortcut->setAutoRepeat(false);  // a held key is one press, as a held mouse button is
            connect(shortcut, &QShortcut::activated, this, [this, &key] { Press(key); });
        }
    }
    auto* leave = new QShortcut(Key(Qt::Key_Escape), &window_);
    connect(leave, &QShortcut::activated, this, [this] { window_.setFocus(Qt::OtherFocusReason); });
}

// The key is shown after the control's own tooltip when the tooltip comes up; the tooltip text
// itself stays as the window set it.
void KeyboardPlay::LabelButtons() {
    for (const GameKey& key : GameKeys()) {
        for (const QString& name : key.buttons) {
            QAbstractButton* button = FindButton(&window_, name);
            if (button == nullptr) continue;
            button->setProperty(kKeyProperty, key.label);
            button->setProperty(kHintProperty, QStringLiteral("(%1)").arg(key.label));
            button->installEventFilter(this);
        }
    }
}

QString KeyboardPlay::ShownToolTip(const QWidget& control) {
    const QString hint = control.property(kHintProperty).toString();
    if (hint.isEmpty()) return control.toolTip();
    return control.toolTip().isEmpty() ? hint : control.toolTip() + QLatin1Char(' ') + hint;
}

void KeyboardPlay::AdoptBoard() {
    for (int number = 1; number <= kSquares; ++number) {
        auto* square = window_.findChild<BoardSquare*>(QStringLiteral("a_%1").arg(number));
        squares_[static_cast<std::size_t>(number)] = square;
        if (square == nullptr) continue;
        square->installEventFilter(this);
        square->setFocusPolicy(number == current_ ? Qt::TabFocus : Qt::NoFocus);
        square->setProperty(kHintProperty, QStringLiteral("(arrow keys, Space)"));
    }
}

void KeyboardPlay::Press(const GameKey& key) const {
    for (const QString& name : key.buttons) {
        QAbstractButton* button = FindButton(&window_, name);
        if (button != nullptr && button->isVisible() && button->isEnabled()) {
            button->click();
            return;
        }
    }
}

bool KeyboardPlay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        auto* control = static_cast<QWidget*>(watched);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ShownToolTip(*control), control);
        return true;
    }
    auto* square = qobject_cast<BoardSquare*>(watched);
    if (square == nullptr) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Focus may also come from assistive technology or a click; the ring follows it.
        MakeCurrent(square->number());
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    switch (key->key()) {
    case Qt::Key_Left: MoveOnBoard(-1, 0); return true;
    case Qt::Key_Right: MoveOnBoard(1, 0); return true;
    case Qt::Key_Up: MoveOnBoard(0, -1); return true;
    case Qt::Key_Down: MoveOnBoard(0, 1); return true;
    default: return false;
    }
}

void KeyboardPlay::MoveOnBoard(int columns, int rows) {
    const int column = (current_ - 1) % kColumns + columns;
    const int row = (current_ - 1) / kColumns + rows;
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return;  // the edge stops the ring
    const int target = row * kColumns + column + 1;
    BoardSquare* square = squares_[static_cast<std::size_t>(target)];
    if (square == nullptr) return;
    MakeCurrent(target);
    square->setFocus(Qt::OtherFocusReason);
}

// Only the current square is in the Tab chain, so Tab enters and leaves the board in one step.
void KeyboardPlay::MakeCurrent(int number) {
    if (number == current_) return;
    BoardSquare* previous = squares_[static_cast<std::size_t>(current_)];
    BoardSquare* next = squares_[static_cast<std::size_t>(number)];
    if (next == nullptr) return;
    next->setFocusPolicy(Qt::TabFocus);
    if (previous != nullptr) previous->setFocusPolicy(Qt::NoFocus);
    current_ = number;
}

bool HandleHoverAndSpace(QWidget& control, QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave) control.update();
    if (event->type() != QEvent::ShortcutOverride) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Space || key->modifiers() != Qt::NoModifier) return false;
    event->accept();
    return true;
}

}  // namespace keno
