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
    explicit Keno20Rig(std::unique_ptr<RandomSource> random = nullptr,
                       const std::map<QString, QString>& slot1 = {})
        : rig_(std::move(random)) {
        if (!slot1.empty()) rig_.PutRecord(1, slot1);
    }

    // Starts the machine and switches to the 20-ball window with its button.
    bool Open() {
        if (!rig_.Start() || !ClickNamed(rig_.K22(), QStringLiteral("btn20ball"))) return false;
        return rig_.K20() && QTest::qWaitForWindowExposed(rig_.K20());
    }

    AppRig& Machine() { return rig_; }
    MachineState& State() { return rig_.State(); }
    Keno20Window* Window() const { return rig_.K20(); }

    QString Text(const QString& name) const { return TextOf(Window(), name); }
    ImageButton* Button(const QString& name) const { return Find<ImageButton>(Window(), name); }
    BoardSquare* Square(int number) const {
        return Find<BoardSquare>(Window(), QStringLiteral("a_%1").arg(number));
    }
    bool Marked(int number) const { return Square(number)->view().picture != SquarePicture::None; }

    // COINS acts on the press and puts its picture back 100 ms later.
    void Coins(int presses = 1) {
        for (int i = 0; i < presses; ++i) PressNamed(Window(), QStringLiteral("coinsin"));
    }
    // MAKE BET, ERASE and AUTO SELECT act once their picture is back; waits for that.
    bool Bet() { return AfterPress(QStringLiteral("makbet"), true); }
    bool Erase() { return AfterPress(QStringLiteral("rubber"), false); }
    bool AutoSelect() { return AfterPress(QStringLiteral("btnautoselect"), false); }
    bool Mark(const std::vector<int>& numbers) { return ClickSquares(Window(), numbers); }
    // PLAY, then waits until the game has settled.
    bool Play() { return ClickNamed(Window(), QStringLiteral("start")) && rig_.WaitSettled(); }

    // The rows of the pay table as "hits:coins" texts, empty rows as ":".
    QStringList PayTable() const {
        QStringList rows;
        for (int row = 1; row <= 7; ++row) {
            rows << Text(QStringLiteral("spotshit_%1").arg(row)) + u':' + Text(QStringLiteral("winns_%1").arg(row));
        }
        return rows;
    }

    BoxAnswerer& Boxes() { return boxes_; }

private:
    bool AfterPress(const QString& name, bool onPress) {
        ImageButton* button = Button(name);
        if (!button) return false;
        if (onPress) {
            PressAndRelease(button);
        } else {
            Click(button);
        }
        // The operation runs when the press's 100 ms are over.
        auto* delay = Find<QTimer>(Window(), QStringLiteral("pressdelay"));
        return delay && QTest::qWaitFor([delay] { return !delay->isActive(); }, 5000);
    }

    AppRig rig_;
    BoxAnswerer boxes_;
};

}  // namespace keno::uitest
