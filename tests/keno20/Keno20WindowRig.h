#pragma once
// The machine started and switched to the 20-ball window, with the helpers its tests share.
#include <QMessageBox>
#include <QPushButton>  // the answerer clicks a box's default button
#include <QTest>

#include <map>
#include <memory>
#include <vector>

#include "tests/support/UiTestSupport.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

namespace keno::uitest {

class Keno20Rig {
public:
    explicit Keno20Rig(std::vector<int> draw = {}, const std::map<QString, QString>& slot1 = {})
        : rig_(draw.empty() ? nullptr : std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{draw})) {
        if (!slot1.empty()) rig_.PutRecord(1, slot1);
    }
    // Starts the machine and switches to the 20-ball window with its button.
    bool Open() { return rig_.Start() && To20(); }
    bool To20() { return ClickNamed(rig_.K22(), "btn20ball") && rig_.K20() && QTest::qWaitForWindowExposed(rig_.K20()); }
    bool To22() { return ClickNamed(Window(), "btkeno22") && rig_.K22()->isVisible(); }

    AppRig& Machine() { return rig_; }
    MachineState& State() { return rig_.State(); }
    Keno20Window* Window() const { return rig_.K20(); }
    QString Text(const QString& name) const { return TextOf(Window(), name); }
    ImageButton* Button(const QString& name) const { return Find<ImageButton>(Window(), name); }
    BoardSquare* Square(int number) const { return Find<BoardSquare>(Window(), QStringLiteral("a_%1").arg(number)); }
    bool Marked(int number) const { return Square(number)->view().picture != SquarePicture::None; }
    bool TimerActive(const char* name) const { return Find<QTimer>(Window(), name)->isActive(); }

    // COINS acts on the press and puts its picture back 100 ms later.
    void Coins(int presses = 1) {
        for (int i = 0; i < presses; ++i) PressNamed(Window(), QStringLiteral("coinsin"));
    }
    // MAKE BET (on its press) and ERASE (on its click) act once their picture is back; waits for that.
    bool Bet() { return PressNamed(Window(), "makbet") && PressOver(); }
    bool Erase() { return ClickNamed(Window(), "rubber") && PressOver(); }
    bool Mark(const std::vector<int>& numbers) { return ClickSquares(Window(), numbers); }
    // PLAY, then waits until the game has settled.
    bool Play() { return ClickNamed(Window(), QStringLiteral("start")) && rig_.WaitSettled(); }

    // The rows of the pay table as "hits:coins" texts, empty rows as ":".
    QStringList PayTable() const {
        QStringList rows;
        for (int row = 1; row <= 7; ++row)
            rows << Text(QStringLiteral("spotshit_%1").arg(row)) + u':' + Text(QStringLiteral("winns_%1").arg(row));
        return rows;
    }
    // The credit and bet shown, and the meters of the machine.
    QString Meters() {
        const MachineState& s = rig_.State();
        return QStringLiteral("%1/%2 bank %3 wager %4 games %5 total %6")
            .arg(Text("lblcredit"), Text("betpan")).arg(s.bank).arg(s.wager).arg(s.games).arg(s.total);
    }
    BoxAnswerer& Boxes() { return boxes_; }

private:
    bool PressOver() {
        auto* delay = Find<QTimer>(Window(), QStringLiteral("pressdelay"));
        return delay && QTest::qWaitFor([delay] { return !delay->isActive(); }, 5000);
    }
    AppRig rig_;
    BoxAnswerer boxes_;
};

}  // namespace keno::uitest
