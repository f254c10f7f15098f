// The face of the 20-ball window: board, meters, the pay table and the button row.
#include <QFrame>

#include "keno20/Keno20Window.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/TwipFace.h"

namespace keno {

namespace {

// The same cabinet as the 22-ball window: title over the board, the player top right, meters on
// the right and one row of lit buttons under the board. The board keeps its own twip geometry,
// moved down as a whole to make room for the title.
constexpr QSize kFaceTwips(12000, 9000);
constexpr QPoint kBoardOrigin(0, 900);
constexpr int kSquareWidth = 735;
constexpr int kSquareHeight = 700;
constexpr int kColumnLeft = 150;
constexpr int kColumnStep = 780;
constexpr std::array<int, 8> kRowTops{60, 820, 1580, 2340, 3510, 4270, 5030, 5790};

const QRect kTitle(300, 90, 7500, 760);
const QRect kPlayer(8100, 230, 3750, 460);

// Right-hand column: meters above, the pay table below, ending level with the board.
constexpr int kSideLeft = 8250;
constexpr int kSideWidth = 3600;
constexpr int kHalfWidth = 1750;
constexpr int kPayTop = 4250;
constexpr int kPayRowTop = 4700;
constexpr int kPayRowHeight = 385;

constexpr int kButtonTop = 7650;
constexpr int kButtonWidth = 1350;
constexpr int kButtonHeight = 1050;
constexpr int kButtonPitch = 1650;

const QColor kBoardEdge(0, 190, 255);
const QColor kPayEdge(255, 190, 0);
const QColor kPayHeading(0, 210, 255);

QRect BoardRect(int number) {
    const int row = (number - 1) / 10;
    const int column = (number - 1) % 10;
    return {kBoardOrigin.x() + kColumnLeft + kColumnStep * column,
            kBoardOrigin.y() + kRowTops[static_cast<std::size_t>(row)], kSquareWidth, kSquareHeight};
}

}  // namespace

QRect Keno20Window::PayRowRect(int row) {
    return {kSideLeft + 90, kPayRowTop + kPayRowHeight * (row - 1), kSideWidth - 180, kPayRowHeight};
}

void Keno20Window::BuildFace() {
    MakeFace(kFaceTwips, QStringLiteral("K E N O"), kTitle);
    BuildBoard();
    AddPlayerLabel(kPlayer);
    BuildMeters();
    BuildPayTable();
    BuildButtons();
}

void Keno20Window::BuildBoard() {
    const QRect first = BoardRect(1);
    const QRect last = BoardRect(80);
    Face().addPanel(QRect(first.topLeft() - QPoint(90, 80), last.bottomRight() + QPoint(90, 80)), kBoardEdge);
    for (int number = 1; number <= ViewModel::kSquares; ++number) AddSquare(number, BoardRect(number));
    // The gap between the board's two halves, under 31..40 and over 41..50.
    SetStatusTwips(QRect(QPoint(BoardRect(41).left(), BoardRect(40).bottom() + 1),
                         QPoint(BoardRect(50).right(), BoardRect(41).top() - 1)));
}

void Keno20Window::BuildMeters() {
    const int right = kSideLeft + kSideWidth - kHalfWidth;
    AddMeter("lblcredit", "CREDIT", QRect(kSideLeft, 900, kSideWidth, 1000), QColor(255, 40, 30), 7);
    AddMeter("betpan", "BET", QRect(kSideLeft, 2000, kHalfWidth, 1000), QColor(255, 40, 30), 1);
    AddMeter("winnings", "WIN", QRect(right, 2000, kHalfWidth, 1000), QColor(40, 255, 90), 5);
    AddMeter("spts", "SPOTS", QRect(kSideLeft, 3100, kHalfWidth, 1000), QColor(255, 190, 0), 2);
    AddMeter("hts", "HITS", QRect(right, 3100, kHalfWidth, 1000), QColor(0, 200, 255), 2);
}

void Keno20Window::BuildPayTable() {
    const int bottom = BoardRect(80).bottom() + 80;
    Face().addPanel(QRect(kSideLeft, kPayTop, kSideWidth, bottom - kPayTop), kPayEdge);
    const int hitsLeft = kSideLeft + 150;
    const int hitsWidth = 1200;
    const int winLeft = kSideLeft + 1500;
    const int winWidth = kSideWidth - 1500 - 200;

    auto* headHits = new LitLabel(QStringLiteral("HITS"), kPayHeading);
    auto* headPays = new LitLabel(QStringLiteral("PAYS"), kPayHeading);
    headHits->setObjectName(QStringLiteral("payhead_hits"));
    headPays->setObjectName(QStringLiteral("payhead_pays"));
    headHits->setAlignment(Qt::AlignCenter);
    headPays->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Face().place(headHits, QRect(hitsLeft, kPayTop + 80, hitsWidth, 360));
    Face().place(headPays, QRect(winLeft, kPayTop + 80, winWidth, 360));

    // A lit bar behind the winning row; it goes out and comes back with the row.
    winningBar_ = new QFrame();
    winningBar_->setObjectName(QStringLiteral("winningbar"));
    winningBar_->setStyleSheet(QStringLiteral(
        "QFrame { background: rgba(40, 255, 90, 38); border: 1px solid rgba(40, 255, 90, 150);"
        " border-radius: 5px; }"));
    winningBar_->setAttribute(Qt::WA_TransparentForMouseEvents);
    Face().place(winningBar_, PayRowRect(1));
    winningBar_->hide();

    for (int row = 1; row <= Keno20PaySchedule::kRows; ++row) {
        const int top = kPayRowTop + kPayRowHeight * (row - 1);
        auto* hits = new LitLabel();
        hits->setObjectName(QStringLiteral("spotshit_%1").arg(row));
        hits->setMonospace(true);
        hits->setTextScale(0.72);
        hits->setAlignment(Qt::AlignCenter);
        auto* win = new LitLabel();
        win->setObjectName(QStringLiteral("winns_%1").arg(row));
        win->setMonospace(true);
        win->setTextScale(0.72);
        win->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Face().place(hits, QRect(hitsLeft, top, hitsWidth, kPayRowHeight));
        Face().place(win, QRect(winLeft, top, winWidth, kPayRowHeight));
        hitLabels_[static_cast<std::size_t>(row)] = hits;
        winLabels_[static_cast<std::size_t>(row)] = win;
    }
}

void Keno20Window::BuildButtons() {
    struct Spec {
        const char* name;
        const char* caption;
        const char* tip;
        QColor colour;
    };
    const std::array<Spec, 7> specs{{
        {"coinsin", "COINS", "Insert coins", QColor(255, 186, 0)},
        {"makbet", "MAKE BET", "Increase or decrease your Bet", QColor(255, 110, 0)},
        {"rubber", "ERASE", "Erase old numbers", QColor(235, 30, 40)},
        {"btnautoselect", "AUTO SELECT", "Select numbers automatically", QColor(160, 60, 255)},
        {"start", "PLAY", "Play Game", QColor(20, 200, 60)},
        {"btkeno22", "22 BALL", "22 ball keno game", QColor(0, 170, 235)},
        {"mnuoptions", "OPTIONS", "Options Menu", QColor(40, 90, 255)},
    }};
    const int left = (kFaceTwips.width() - (kButtonPitch * 6 + kButtonWidth)) / 2;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        AddButton(specs[i].name, specs[i].caption, specs[i].colour,
                  QRect(left + static_cast<int>(i) * kButtonPitch, kButtonTop, kButtonWidth, kButtonHeight), specs[i].tip);
    }
}

}  // namespace keno
