#pragma once
#include <QDialog>

#include <array>

#include "autoplay/AutoplayPlan.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace keno {

// "Autoplay": how many games, when to stop, and (22 balls) what to do at an extra-ball offer.
// Window-modal over the game window; opened with open(), never exec().
class AutoplayDialog : public QDialog {
    Q_OBJECT
public:
    // spots and bet describe the ticket it will play; withOffer: the game has the extra-ball offer.
    AutoplayDialog(const AutoplaySettings& settings, bool withOffer, int spots, int bet, QWidget* parent);

    AutoplaySettings Settings() const;

private:
    std::array<QRadioButton*, AutoplaySettings::kGameCounts.size()> games_{};
    QCheckBox* stopBelowBet_;
    QCheckBox* stopOnWin_;
    QSpinBox* winAmount_;
    std::array<QRadioButton*, 3> offer_{};  // ask me, take the win, buy
};

}  // namespace keno
