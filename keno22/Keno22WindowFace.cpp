// The face of the 22-ball window: board, ball rack, meters, buttons, menu and timers.
#include <QMenuBar>

#include "keno22/Keno22WindowImpl.h"
#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/MeterLabel.h"
#include "widgets/PaintKit.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace keno22face {

QRect SquareTwips(int number) {
    const auto row = static_cast<std::size_t>((number - 1) / 10);
    const auto column = static_cast<std::size_t>((number - 1) % 10);
    return {kColumns[column], kRows[row] + kFaceTop, kSquareWidth, kSquareHeight};
}

QRect BallTwips(int left, int top) { return {left, top + kFaceTop, kBallSize, kBallSize}; }

}  // namespace keno22face

namespace {

using namespace keno22face;

const QRect kTitle(300, 90, 7500, 760);
const QRect kPlayer(8100, 230, 3750, 460);
const QRect kBoardPanel(90, kFaceTop - 30, 7875, 6030);
const QRect kRackPanel(8040, kFaceTop - 30, 1230, 6030);
const QRect kOfferPanel(9450, 4250, 2400, 2620);

struct ButtonSpec {
    const char* name;
    const char* caption;
    QColor colour;
    const char* tooltip;
};

// The row under the board, left to right.
const std::array<ButtonSpec, 8> kButtonRow{{
    {"coinsin", "COINS", QColor(255, 186, 0), "Insert Coins"},
    {"makbet", "MAKE BET", QColor(255, 110, 0), nullptr},
    {"rubber", "ERASE", QColor(235, 30, 40), "Erase numbers"},
    {"btnautoselect", "AUTO SELECT", QColor(160, 60, 255), "Select number automatically"},
    {"start", "PLAY", QColor(20, 200, 60), "Play the game"},
    {"btn20ball", "20 BALL", QColor(0, 170, 235), "20 Ball keno Game"},
    {"mnuoptions", "OPTIONS", QColor(40, 90, 255), "Options Menu"},
    {"mnupayouts", "PAY SCHEDULE", QColor(225, 40, 190), "Pay Schedule"},
}};
constexpr int kRowTop = 7150;
constexpr int kRowLeft = 180;
constexpr int kRowPitch = 1470;
constexpr int kRowWidth = 1350;
constexpr int kRowHeight = 1050;

const char* const kOfferTip = "When flashing , cluick for extra balls ( costs an extra bet )";

}  // namespace

ImageButton* Keno22Window::Impl::AddButton(const char* name, const QString& caption, const QColor& colour,
                                           const QRect& twips, const char* tooltip) {
    auto* button = new ImageButton(caption, colour);
    button->setObjectName(QString::fromLatin1(name));
    if (tooltip != nullptr) button->setToolTip(QString::fromLatin1(tooltip));
    face->place(button, twips);
    buttons.emplace(name, button);
    return button;
}

MeterLabel* Keno22Window::Impl::AddMeter(const char* name, const QString& caption, const QRect& twips,
                                         const QColor& digits, int cells) {
    auto* meter = new MeterLabel(caption);
    meter->setObjectName(QString::fromLatin1(name));
    meter->setDigitColour(digits);
    meter->setCells(cells);
    face->place(meter, twips);
    meters.emplace(name, meter);
    return meter;
}

void Keno22Window::Impl::BuildFace() {
    face = new TwipFace(kDesign, &window);
    face->setObjectName(QStringLiteral("face"));
    face->setTitle(QStringLiteral("K E N O 22"), kTitle);
    face->addPanel(kBoardPanel, QColor(0, 190, 255));
    face->addPanel(kRackPanel, QColor(255, 60, 210));
    face->addPanel(kOfferPanel, QColor(255, 190, 0));
    window.setCentralWidget(face);

    for (int number = 1; number <= ViewModel::kSquares; ++number) {
        auto* square = new BoardSquare(number);
        square->setObjectName(QStringLiteral("a_%1").arg(number));
        square->setToolTip(QStringLiteral("Click to select this number"));
        face->place(square, SquareTwips(number));
        squares[static_cast<std::size_t>(number)] = square;
    }
    for (int position = 1; position <= ViewModel::kBalls; ++position) {
        auto* ball = new BallWidget(0);
        ball->setObjectName(QStringLiteral("ball_%1").arg(position));
        ball->setAttribute(Qt::WA_TransparentForMouseEvents);
        ball->hide();
        const int left = position % 2 == 1 ? Keno22Game::kLeftOdd : Keno22Game::kLeftEven;
        face->place(ball, BallTwips(left, 0));
        balls[static_cast<std::size_t>(position)] = ball;
    }

    // The foot of the rack, under the bottom row of balls.
    auto* rackLegend = new LitLabel(QStringLiteral("DRAW"), QColor(255, 90, 220));
    rackLegend->setObjectName(QStringLiteral("racklegend"));
    rackLegend->setAlignment(Qt::AlignCenter);
    face->place(rackLegend, QRect(kRackPanel.left() + 60, kRackPanel.bottom() - 420, kRackPanel.width() - 120, 330));

    playerLabel = new LitLabel(QString(), QColor(120, 230, 255));
    playerLabel->setObjectName(QStringLiteral("player"));
    playerLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    face->place(playerLabel, kPlayer);

    AddMeter("panelbank", QStringLiteral("CREDIT"), QRect(9450, 900, 2400, 1000), QColor(255, 40, 30), 6);
    AddMeter("betpan", QStringLiteral("BET"), QRect(9450, 2000, 1150, 1000), QColor(255, 40, 30), 1);
    AddMeter("winnings", QStringLiteral("WIN"), QRect(10700, 2000, 1150, 1000), QColor(40, 255, 90), 5);
    AddMeter("spts", QStringLiteral("SPOTS"), QRect(9450, 3100, 1150, 1000), QColor(255, 190, 0), 2);
    AddMeter("hts", QStringLiteral("HITS"), QRect(10700, 3100, 1150, 1000), QColor(0, 200, 255), 2);

    for (std::size_t i = 0; i < kButtonRow.size(); ++i) {
        const ButtonSpec& spec = kButtonRow[i];
        const QRect twips(kRowLeft + static_cast<int>(i) * kRowPitch, kRowTop, kRowWidth, kRowHeight);
        AddButton(spec.name, QString::fromLatin1(spec.caption), spec.colour, twips, spec.tooltip);
    }

    auto* legend = new LitLabel(QStringLiteral("EXTRA BALL OFFER"), QColor(255, 206, 60));
    legend->setObjectName(QStringLiteral("offerlegend"));
    legend->setAlignment(Qt::AlignCenter);
    face->place(legend, QRect(9530, 4330, 2240, 330));
    // Two pictures of one button at one place: the engine shows one or the other while it flashes.
    const QRect offerTwips(9600, 4730, 2100, 1050);
    ImageButton* flash = AddButton("flash", QStringLiteral("EXTRA BALLS"), QColor(255, 40, 110), offerTwips, kOfferTip);
    flash->setFlashAlternate(true);
    ImageButton* extra = AddButton("xtraballs", QStringLiteral("EXTRA BALLS"), QColor(255, 40, 110), offerTwips,
                                   kOfferTip);
    extra->raise();
    AddButton("takwin", QStringLiteral("TAKE WIN"), QColor(150, 215, 0), QRect(9600, 5880, 2100, 850),
              "Take win instead of paying for extra balls");
}

void Keno22Window::Impl::BuildMenu() {
    QMenuBar* bar = window.menuBar();
    bar->setStyleSheet(paint::GameMenuBarStyle());
    const auto add = [&](const char* name, const QString& text) {
        auto* action = new QAction(text, &window);
        action->setObjectName(QString::fromLatin1(name));
        bar->addAction(action);
        actions.emplace(name, action);
        return action;
    };
    add("mnexit", QStringLiteral("Exit"));
    add("mnabout", QStringLiteral("About"));
    add("MNUhelp", QStringLiteral("Help"));
}

void Keno22Window::Impl::BuildTimers() {
    const auto make = [&](const char* name, int ms) {
        auto* timer = new QTimer(&window);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(ms);
        return timer;
    };
    timer1 = make("Timer1", 200);
    tmrflash = make("tmrflash", 200);
    tmrshowbuttons = make("tmrshowbuttons", 100);
    pending = new PendingPress(window);
}

}  // namespace keno
