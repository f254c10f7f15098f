// The controls of the options dialog, their names, texts and places, and the dialog's look.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "options/OptionsDialog.h"

namespace keno {
namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    // Plain text keeps every blank of the texts; no wrapping, so nothing is elided or folded.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    // Enter belongs to the name box; no button of this dialog is pressed by it.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QGroupBox* NewFrame(QWidget* parent, const char* name, const QString& title) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

}  // namespace

void OptionsDialog::BuildControls() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(14, 12, 14, 14);
    page->setSpacing(12);
    page->setSizeConstraint(QLayout::SetFixedSize);

    // Player slots, name entry and statistics.
    ui_.framemain = NewFrame(this, "Framemain", QStringLiteral("Keno Options"));
    auto* mainGrid = new QGridLayout(ui_.framemain);
    mainGrid->setContentsMargins(14, 20, 14, 14);
    mainGrid->setHorizontalSpacing(18);
    mainGrid->setVerticalSpacing(6);

    // One column of slots keeps the dialog narrow enough for an 800 x 600 screen.
    auto* slotColumn = new QVBoxLayout;
    slotColumn->setSpacing(6);
    ui_.machines = new QButtonGroup(this);
    ui_.machines->setExclusive(true);
    for (int slot = 1; slot <= 6; ++slot) {
        auto* button = new QRadioButton(QStringLiteral("Vacant"), ui_.framemain);
        button->setObjectName(QStringLiteral("machine_%1").arg(slot));
        ui_.machine[static_cast<std::size_t>(slot)] = button;
        ui_.machines->addButton(button, slot);
        slotColumn->addWidget(button);
    }
    slotColumn->addStretch(1);
    mainGrid->addLayout(slotColumn, 0, 0);

    auto* statistics = new QFrame(ui_.framemain);
    statistics->setObjectName(QStringLiteral("statistics"));
    auto* statisticsColumn = new QVBoxLayout(statistics);
    statisticsColumn->setContentsMargins(14, 10, 14, 10);
    statisticsColumn->setSpacing(5);
    const std::pair<QLabel**, const char*> statisticLabels[] = {
        {&ui_.lblcurrentplayer, "lblcurrentplayer"}, {&ui_.lblgames, "lblgames"},
        {&ui_.lblwager, "lblwager"},                 {&ui_.lbltotalwon, "lbltotalwon"},
        {&ui_.lblwinlose, "lblwinlose"},             {&ui_.lblreturned, "lblreturned"},
        {&ui_.lblinvested, "lblinvested"},           {&ui_.lbllastbet, "lbllastbet"}};
    for (const auto& [member, name] : statisticLabels) {
        *member = NewLabel(statistics, name);
        statisticsColumn->addWidget(*member);
    }
    ui_.lblcurrentplayer->setProperty("headline", true);
    mainGrid->addWidget(statistics, 0, 1);
    mainGrid->setColumnStretch(1, 1);

    mainGrid->setRowMinimumHeight(1, 6);
    ui_.lblplayername = NewLabel(ui_.framemain, "lblplayername",
                                 QStringLiteral("Input Player Name                                  Then Enter"));
    mainGrid->addWidget(ui_.lblplayername, 2, 0, 1, 2);
    ui_.player1 = new QLineEdit(ui_.framemain);
    ui_.player1->setObjectName(QStringLiteral("player1"));
    mainGrid->addWidget(ui_.player1, 3, 0, 1, 2);
    page->addWidget(ui_.framemain);

    auto* lowerRow = new QHBoxLayout;
    lowerRow->setSpacing(12);

    ui_.framespeed = NewFrame(this, "Framespeed", QStringLiteral("Reel Speed"));
    auto* speedColumn = new QVBoxLayout(ui_.framespeed);
    speedColumn->setContentsMargins(14, 20, 14, 12);
    speedColumn->setSpacing(6);
    auto* speedButtons = new QHBoxLayout;
    ui_.speeds = new QButtonGroup(this);
    ui_.speeds->setExclusive(true);
    for (int index = 0; index < 3; ++index) {
        auto* button = new QRadioButton(QString::number(index + 1), ui_.framespeed);
        button->setObjectName(QStringLiteral("setspeed_%1").arg(index));
        ui_.setspeed[static_cast<std::size_t>(index)] = button;
        ui_.speeds->addButton(button, index);
        if (index > 0) speedButtons->addStretch(1);
        speedButtons->addWidget(button);
    }
    speedColumn->addLayout(speedButtons);
    ui_.fastslow = NewLabel(ui_.framespeed, "fastslow", QStringLiteral("<<<Faster                       Slower>>>"));
    ui_.fastslow->setAlignment(Qt::AlignCenter);
    speedColumn->addWidget(ui_.fastslow);
    ui_.speedlab = NewLabel(ui_.framespeed, "speedlab");
    ui_.speedlab->setAlignment(Qt::AlignCenter);
    speedColumn->addWidget(ui_.speedlab);
    lowerRow->addWidget(ui_.framespeed);

    ui_.frame1 = NewFrame(this, "Frame1", QStringLiteral("Screen Size"));
    auto* screenRow = new QHBoxLayout(ui_.frame1);
    screenRow->setContentsMargins(14, 20, 14, 12);
    screenRow->setSpacing(12);
    auto* screenButtons = new QVBoxLayout;
    screenButtons->setSpacing(8);
    ui_.cmdlargescreen = NewButton(ui_.frame1, "cmdlargescreen", QStringLiteral("Large Size 800X600"),
                                   QStringLiteral("Set Screen Size To LARGE"));
    ui_.cmdorigonal = NewButton(ui_.frame1, "cmdorigonal", QStringLiteral("Origonal Screen Size"),
                                QStringLiteral("Set Screen Size To SMALL"));
    screenButtons->addWidget(ui_.cmdlargescreen);
    screenButtons->addWidget(ui_.cmdorigonal);
    screenRow->addLayout(screenButtons);
    ui_.text1 = new QPlainTextEdit(ui_.frame1);
    ui_.text1->setObjectName(QStringLiteral("Text1"));
    ui_.text1->setReadOnly(true);
    ui_.text1->setFocusPolicy(Qt::NoFocus);
    ui_.text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui_.text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui_.text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui_.text1->setPlainText(QStringLiteral("Note :- Some machines \nmay not support this \noption."));
    screenRow->addWidget(ui_.text1);
    lowerRow->addWidget(ui_.frame1, 1);
    page->addLayout(lowerRow);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(12);
    ui_.btndeletedetails = NewButton(this, "Btndeletedetails", QStringLiteral("Delete Current Player"),
                                     QStringLiteral("This Button Will Delete All Current Players Details."));
    ui_.btnokplayer = NewButton(this, "btnokplayer", QStringLiteral("O.K. Close and save changes"),
                                QStringLiteral("Close and Save Your Changes"));
    // Between the player's own buttons, where the row has room: the advice is the player's choice.
    ui_.chkadvisor = new QCheckBox(QStringLiteral("Show extra-ball advice"), this);
    ui_.chkadvisor->setObjectName(QStringLiteral("chkadvisor"));
    ui_.chkadvisor->setToolTip(
        QStringLiteral("While the extra-ball offer is open, show the chances and what buying is worth"));
    buttonRow->addWidget(ui_.btndeletedetails);
    buttonRow->addStretch(1);
    buttonRow->addWidget(ui_.chkadvisor);
    buttonRow->addStretch(1);
    buttonRow->addWidget(ui_.btnokplayer);
    page->addLayout(buttonRow);
    setTabOrder(ui_.btndeletedetails, ui_.chkadvisor);
    setTabOrder(ui_.chkadvisor, ui_.btnokplayer);
}

void OptionsDialog::ApplyLook() {
    setStyleSheet(QStringLiteral(R"(
QDialog#frmkeno22options {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0b0d1e, stop:1 #020207);
}
QWidget { font-family: "DejaVu Sans"; font-size: 13px; color: #ffe9a8; }
QGroupBox {
    border: 2px solid #00beff; border-radius: 8px; margin-top: 11px;
    background: rgba(0, 40, 80, 70); font-weight: bold;
}
QGroupBox::title {
    subcontrol-origin: margin; subcontrol-position: top left; left: 14px; padding: 0 6px;
    color: #6fe2ff; font-size: 14px;
}
QGroupBox#Framespeed { border-color: #ff3cd2; background: rgba(80, 0, 60, 60); }
QGroupBox#Framespeed::title { color: #ff8ee6; }
QGroupBox#Frame1 { border-color: #ffc21a; background: rgba(80, 60, 0, 50); }
QGroupBox#Frame1::title { color: #ffd866; }
QFrame#statistics {
    border: 1px solid #2a6cff; border-radius: 6px; background: #000000;
}
QFrame#statistics QLabel { color: #7ff0ff; font-family: "DejaVu Sans"; font-size: 13px; }
QFrame#statistics QLabel[headline="true"] { color: #ffd84a; font-weight: bold; }
QRadioButton { color: #ffffff; font-weight: bold; spacing: 8px; padding: 2px 4px; }
QRadioButton::indicator {
    width: 14px; height: 14px; border-radius: 8px; border: 2px solid #6a7bb8; background: #05060d;
}
QRadioButton::indicator:hover { border-color: #00e6ff; }
QRadioButton::indicator:checked {
    border-color: #ffd84a;
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.4,
                                stop:0 #fffbe0, stop:0.45 #ffd020, stop:1 #a05a00);
}
QRadioButton:checked { color: #ffd84a; }
QCheckBox#chkadvisor { color: #c8d2ff; font-weight: bold; spacing: 8px; padding: 2px 4px; }
QCheckBox#chkadvisor::indicator {
    width: 14px; height: 14px; border-radius: 3px; border: 2px solid #6a7bb8; background: #05060d;
}
QCheckBox#chkadvisor::indicator:hover { border-color: #00e6ff; }
QCheckBox#chkadvisor::indicator:checked {
    border-color: #ffd84a;
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.4,
                                stop:0 #fffbe0, stop:0.45 #ffd020, stop:1 #a05a00);
}
QCheckBox#chkadvisor:checked { color: #ffd84a; }
QLabel#lblplayername, QLabel#fastslow { color: #c8d2ff; }
QLabel#speedlab { color: #ffd84a; font-weight: bold; }
QLineEdit {
    background: #000000; color: #ffffff; border: 2px solid #00beff; border-radius: 5px;
    padding: 4px 6px; font-size: 14px; font-weight: bold; selection-background-color: #00607f;
}
QLineEdit:focus { border-color: #ffd84a; }
QPlainTextEdit#Text1 {
    background: #000000; color: #ffd866; border: 1px solid #806010; border-radius: 4px;
    font-size: 12px; padding: 2px;
}
QPushButton {
    color: #ffffff; font-weight: bold; padding: 7px 14px; border-radius: 7px;
    border: 2px solid #00beff;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1c3f7a, stop:1 #07142e);
}
QPushButton:hover { border-color: #8af0ff; }
QPushButton:pressed { background: #04101f; padding-top: 8px; padding-bottom: 6px; }
QPushButton#Btndeletedetails {
    border-color: #ff4040;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8a1010, stop:1 #2a0404);
}
QPushButton#Btndeletedetails:hover { border-color: #ff9090; }
QPushButton#btnokplayer {
    border-color: #3cff6a;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0f7a2a, stop:1 #032a0c);
}
QPushButton#btnokplayer:hover { border-color: #a0ffb8; }
QPushButton#cmdlargescreen, QPushButton#cmdorigonal {
    border-color: #ffc21a;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6a4a00, stop:1 #211500);
}
QPushButton#cmdlargescreen:hover, QPushButton#cmdorigonal:hover { border-color: #ffe58a; }
)"));

    // Widths that hold the longest texts each control can get, so nothing is ever cut.
    ensurePolished();
    const QFontMetrics slotMetrics(ui_.machine[1]->font());
    for (int slot = 1; slot <= 6; ++slot) {
        ui_.machine[static_cast<std::size_t>(slot)]->setMinimumWidth(
            slotMetrics.horizontalAdvance(QStringLiteral("WWWWWWWWWWWW")) + 34);
    }
    const QFontMetrics statisticsMetrics(ui_.lblgames->font());
    int statisticsWidth = 0;
    for (const char* widest : {"Games Played            2147483647", "Total Won                   2147483647",
                               "Winning/Losing           -4294967295", "Returned To Player     % 214748364700",
                               "Total Invested             2147483647", "Last Bet            -32768"}) {
        statisticsWidth = std::max(statisticsWidth, statisticsMetrics.horizontalAdvance(QString::fromLatin1(widest)));
    }
    for (QLabel* label : {ui_.lblgames, ui_.lblwager, ui_.lbltotalwon, ui_.lblwinlose, ui_.lblreturned,
                          ui_.lblinvested, ui_.lbllastbet}) {
        label->setMinimumWidth(statisticsWidth);
    }
    const QFontMetrics headlineMetrics(ui_.lblcurrentplayer->font());
    ui_.lblcurrentplayer->setMinimumWidth(
        headlineMetrics.horizontalAdvance(QStringLiteral("Current Player    WWWWWWWWWWWW")));
    const QFontMetrics noteMetrics(ui_.text1->font());
    ui_.text1->setFixedSize(noteMetrics.horizontalAdvance(QStringLiteral("Note :- Some machines ")) + 24,
                            noteMetrics.lineSpacing() * 3 + 16);
}

}  // namespace keno
