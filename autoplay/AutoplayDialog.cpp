#include "autoplay/AutoplayDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace keno {

namespace {

constexpr int kLargestWin = 50000;  // the largest win of either pay schedule

const char* const kLook = R"(
QDialog#autoplaydialog {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0b0d1e, stop:1 #020207);
}
QWidget { font-family: "DejaVu Sans"; font-size: 13px; color: #ffe9a8; }
QLabel#autoplayticket { color: #c8d2ff; }
QGroupBox {
    border: 2px solid #00beff; border-radius: 8px; margin-top: 11px;
    background: rgba(0, 40, 80, 70); font-weight: bold;
}
QGroupBox::title {
    subcontrol-origin: margin; subcontrol-position: top left; left: 14px; padding: 0 6px;
    color: #6fe2ff; font-size: 14px;
}
QGroupBox#autoplayoffer { border-color: #ff3cd2; background: rgba(80, 0, 60, 60); }
QGroupBox#autoplayoffer::title { color: #ff8ee6; }
QRadioButton, QCheckBox { color: #ffffff; font-weight: bold; spacing: 8px; padding: 2px 4px; }
QRadioButton:checked, QCheckBox:checked { color: #ffd84a; }
QRadioButton::indicator, QCheckBox::indicator {
    width: 14px; height: 14px; border: 2px solid #6a7bb8; background: #05060d;
}
QRadioButton::indicator { border-radius: 8px; }
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator:hover, QCheckBox::indicator:hover { border-color: #00e6ff; }
QRadioButton::indicator:checked, QCheckBox::indicator:checked {
    border-color: #ffd84a;
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.4,
                                stop:0 #fffbe0, stop:0.45 #ffd020, stop:1 #a05a00);
}
QSpinBox {
    background: #000000; color: #ffffff; border: 2px solid #00beff; border-radius: 5px;
    padding: 2px 4px; font-weight: bold;
}
QSpinBox:disabled { color: #6a7090; border-color: #304060; }
QPushButton {
    color: #ffffff; font-weight: bold; padding: 7px 18px; border-radius: 7px;
    border: 2px solid #00beff;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1c3f7a, stop:1 #07142e);
}
QPushButton:hover { border-color: #8af0ff; }
QPushButton#autoplaystart {
    border-color: #3cff6a;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0f7a2a, stop:1 #032a0c);
}
)";

}  // namespace

AutoplayDialog::AutoplayDialog(const AutoplaySettings& settings, bool withOffer, int spots, int bet, QWidget* parent)
    : QDialog(parent),
      stopBelowBet_(new QCheckBox(QStringLiteral("Stop when the credit would fall below the bet"))),
      stopOnWin_(new QCheckBox(QStringLiteral("Stop on a win of at least"))),
      winAmount_(new QSpinBox) {
    setObjectName(QStringLiteral("autoplaydialog"));
    setWindowTitle(QStringLiteral("Autoplay"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QString::fromLatin1(kLook));

    auto* ticket = new QLabel(
        QStringLiteral("Plays your %1 marked numbers at the bet of %2, game after game, as PLAY does by hand. "
                       "Any key or click on the game stops it once the game in progress is over.")
            .arg(spots)
            .arg(bet));
    ticket->setObjectName(QStringLiteral("autoplayticket"));
    ticket->setWordWrap(true);

    auto* gamesBox = new QGroupBox(QStringLiteral("Number of games"));
    auto* gamesRow = new QHBoxLayout(gamesBox);
    auto* gamesGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < games_.size(); ++i) {
        const int count = AutoplaySettings::kGameCounts[i];
        games_[i] = new QRadioButton(QString::number(count));
        games_[i]->setObjectName(QStringLiteral("autoplaygames_%1").arg(count));
        games_[i]->setChecked(count == settings.games);
        gamesGroup->addButton(games_[i]);
        gamesRow->addWidget(games_[i]);
    }
    if (!gamesGroup->checkedButton()) games_[1]->setChecked(true);

    stopBelowBet_->setObjectName(QStringLiteral("autoplaystopbelowbet"));
    stopBelowBet_->setChecked(settings.stopBelowBet);
    stopOnWin_->setObjectName(QStringLiteral("autoplaystoponwin"));
    stopOnWin_->setChecked(settings.stopOnWin > 0);
    winAmount_->setObjectName(QStringLiteral("autoplaywin"));
    winAmount_->setRange(1, kLargestWin);
    winAmount_->setValue(settings.stopOnWin > 0 ? settings.stopOnWin : 100);
    winAmount_->setSuffix(QStringLiteral(" coins"));
    winAmount_->setAccessibleName(QStringLiteral("Win that stops autoplay"));
    winAmount_->setEnabled(stopOnWin_->isChecked());
    connect(stopOnWin_, &QCheckBox::toggled, winAmount_, &QSpinBox::setEnabled);
    auto* winRow = new QHBoxLayout;
    winRow->addWidget(stopOnWin_);
    winRow->addWidget(winAmount_);
    winRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(10);
    column->addWidget(ticket);
    column->addWidget(gamesBox);
    column->addWidget(stopBelowBet_);
    column->addLayout(winRow);

    if (withOffer) {
        auto* offerBox = new QGroupBox(QStringLiteral("At an extra-ball offer"));
        offerBox->setObjectName(QStringLiteral("autoplayoffer"));
        auto* offerColumn = new QVBoxLayout(offerBox);
        const std::pair<const char*, const char*> answers[] = {
            {"autoplayask", "Ask me (autoplay goes on after my answer)"},
            {"autoplaytake", "Take the win"},
            {"autoplaybuy", "Buy the extra balls"}};
        for (std::size_t i = 0; i < offer_.size(); ++i) {
            offer_[i] = new QRadioButton(QString::fromLatin1(answers[i].second));
            offer_[i]->setObjectName(QString::fromLatin1(answers[i].first));
            offer_[i]->setChecked(static_cast<std::size_t>(settings.offer) == i);
            offerColumn->addWidget(offer_[i]);
        }
        column->addWidget(offerBox);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* start = buttons->addButton(QStringLiteral("Start"), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("autoplaystart"));
    start->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("autoplaycancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    setFixedWidth(440);
}

AutoplaySettings AutoplayDialog::Settings() const {
    AutoplaySettings settings;
    for (std::size_t i = 0; i < games_.size(); ++i) {
        if (games_[i]->isChecked()) settings.games = AutoplaySettings::kGameCounts[i];
    }
    settings.stopBelowBet = stopBelowBet_->isChecked();
    settings.stopOnWin = stopOnWin_->isChecked() ? winAmount_->value() : 0;
    for (std::size_t i = 0; i < offer_.size(); ++i) {
        if (offer_[i] && offer_[i]->isChecked()) settings.offer = static_cast<OfferAnswer>(i);
    }
    return settings;
}

}  // namespace keno
