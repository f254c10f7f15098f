// The face of the 22-ball window: board, ball rack, meters, buttons and the offer; and the rack
// drawn from the view.
#include "keno22/Keno22Window.h"
#include "widgets/BallWidget.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace keno22face {

namespace {
constexpr std::array<int, 10> kColumns{150, 930, 1710, 2490, 3270, 4050, 4830, 5610, 6390, 7170};
constexpr std::array<int, 8> kRows{60, 750, 1440, 2130, 3270, 3960, 4650, 5340};
constexpr int kSquareWidth = 735;
constexpr int kSquareHeight = 630;
}  // namespace

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

void Keno22Window::BuildFace() {
    MakeFace(kDesign, QStringLiteral("K E N O 22"), kTitle);
    Face().addPanel(kBoardPanel, QColor(0, 190, 255));
    Face().addPanel(kRackPanel, QColor(255, 60, 210));
    Face().addPanel(kOfferPanel, QColor(255, 190, 0));

    for (int number = 1; number <= ViewModel::kSquares; ++number) AddSquare(number, SquareTwips(number));
    // The gap between the board's two halves, under 31..40 and over 41..50.
    SetStatusTwips(QRect(QPoint(SquareTwips(41).left(), SquareTwips(40).bottom() + 1),
                         QPoint(SquareTwips(50).right(), SquareTwips(41).top() - 1)));
    for (int position = 1; position <= ViewModel::kBalls; ++position) {
        auto* ball = new BallWidget(0);
        ball->setObjectName(QStringLiteral("ball_%1").arg(position));
        ball->setAttribute(Qt::WA_TransparentForMouseEvents);
        ball->hide();
        const int left = position % 2 == 1 ? Keno22Game::kLeftOdd : Keno22Game::kLeftEven;
        Face().place(ball, BallTwips(left, 0));
        balls_[static_cast<std::size_t>(position)] = ball;
    }

    // The foot of the rack, under the bottom row of balls.
    auto* rackLegend = new LitLabel(QStringLiteral("DRAW"), QColor(255, 90, 220));
    rackLegend->setObjectName(QStringLiteral("racklegend"));
    rackLegend->setAlignment(Qt::AlignCenter);
    Face().place(rackLegend, QRect(kRackPanel.left() + 60, kRackPanel.bottom() - 420, kRackPanel.width() - 120, 330));

    AddPlayerLabel(kPlayer);
    AddMeter("panelbank", "CREDIT", QRect(9450, 900, 2400, 1000), QColor(255, 40, 30), 6);
    AddMeter("betpan", "BET", QRect(9450, 2000, 1150, 1000), QColor(255, 40, 30), 1);
    AddMeter("winnings", "WIN", QRect(10700, 2000, 1150, 1000), QColor(40, 255, 90), 5);
    AddMeter("spts", "SPOTS", QRect(9450, 3100, 1150, 1000), QColor(255, 190, 0), 2);
    AddMeter("hts", "HITS", QRect(10700, 3100, 1150, 1000), QColor(0, 200, 255), 2);

    for (std::size_t i = 0; i < kButtonRow.size(); ++i) {
        const ButtonSpec& spec = kButtonRow[i];
        AddButton(spec.name, spec.caption, spec.colour,
                  QRect(kRowLeft + static_cast<int>(i) * kRowPitch, kRowTop, kRowWidth, kRowHeight), spec.tooltip);
    }

    auto* legend = new LitLabel(QStringLiteral("EXTRA BALL OFFER"), QColor(255, 206, 60));
    legend->setObjectName(QStringLiteral("offerlegend"));
    legend->setAlignment(Qt::AlignCenter);
    Face().place(legend, QRect(9530, 4330, 2240, 330));
    // Two pictures of one button at one place: the engine shows one or the other while it flashes.
    const QRect offerTwips(9600, 4730, 2100, 1050);
    const QColor offerColour(255, 40, 110);
    AddButton("flash", "EXTRA BALLS", offerColour, offerTwips, kOfferTip)->setFlashAlternate(true);
    AddButton("xtraballs", "EXTRA BALLS", offerColour, offerTwips, kOfferTip)->raise();
    TakeTurns({"flash", "xtraballs"});
    AddButton("takwin", "TAKE WIN", QColor(150, 215, 0), QRect(9600, 5880, 2100, 850),
              "Take win instead of paying for extra balls");
}

void Keno22Window::SyncGame(bool everything) {
    for (int i = 1; i <= ViewModel::kBalls; ++i) {
        const BallView& ball = view_.Ball(i);
        BallView& was = ballsShown_[static_cast<std::size_t>(i)];
        if (!everything && ball == was) continue;
        BallWidget* widget = balls_[static_cast<std::size_t>(i)];
        if (everything || ball.number != was.number) widget->setNumber(ball.number);
        if (everything || ball.left != was.left || ball.top != was.top) {
            Face().moveTo(widget, BallTwips(ball.left, ball.top).topLeft());
        }
        if (everything || ball.visible != was.visible) widget->setVisible(ball.visible);
        was = ball;
    }
}

}  // namespace keno
