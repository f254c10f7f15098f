// Shows every painted control of the machine face in its usual states.
//   widgets_gallery [--size WxH] [--shot FILE.png]
// With --shot the face is grabbed after its first paint, saved, and the program ends.
#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/MeterLabel.h"
#include "widgets/TwipFace.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <array>

namespace {

using keno::SquareBackground;
using keno::SquarePicture;
using keno::SquareText;
using keno::SquareView;

constexpr int kBoardTop = 900;  // the board's own twips start below the title
constexpr std::array<int, 10> kColumns{150, 930, 1710, 2490, 3270, 4050, 4830, 5610, 6390, 7170};
constexpr std::array<int, 8> kRows{60, 750, 1440, 2130, 3270, 3960, 4650, 5340};

SquareView GalleryView(int number) {
    switch (number) {
    case 3: case 25: case 58: case 66: return {SquarePicture::Marked, SquareBackground::Black, SquareText::Blue};
    case 17: case 42: return {SquarePicture::Hit, SquareBackground::White, SquareText::OrangeRed};
    case 5: case 12: case 33: case 47: case 61: case 70: case 79:
        return {SquarePicture::None, SquareBackground::White, SquareText::OrangeRed};
    case 8: case 29: return {SquarePicture::None, SquareBackground::LightGrey, SquareText::Red};
    case 36: return {SquarePicture::Marked, SquareBackground::LightGrey, SquareText::Red};
    case 51: return {SquarePicture::None, SquareBackground::Black, SquareText::OrangeRed};
    default: break;
    }
    if (number >= 71 && number <= 75) {
        return {SquarePicture::None, SquareBackground::NearBlack, SquareText::Blue};
    }
    return {};
}

void AddBoard(keno::TwipFace& face) {
    face.addPanel(QRect(90, kBoardTop - 30, 7875, 6030), QColor(0, 190, 255));
    for (int number = 1; number <= 80; ++number) {
        auto* square = new keno::BoardSquare(number);
        square->setObjectName(QStringLiteral("a_%1").arg(number));
        square->setToolTip(QStringLiteral("Click to select this number"));
        square->setView(GalleryView(number));
        const int row = (number - 1) / 10;
        const int column = (number - 1) % 10;
        face.place(square, QRect(kColumns[column], kRows[row] + kBoardTop, 735, 630));
    }
}

void AddRack(keno::TwipFace& face) {
    face.addPanel(QRect(8040, 1330, 1230, 5040), QColor(255, 60, 210));
    constexpr std::array<int, 20> kDrawn{5, 17, 33, 42, 47, 61, 70, 79, 12, 24,
                                         55, 38, 2, 66, 80, 19, 44, 52, 71, 9};
    for (int position = 1; position <= 18; ++position) {
        auto* ball = new keno::BallWidget(kDrawn[static_cast<size_t>(position - 1)]);
        ball->setObjectName(QStringLiteral("ball_%1").arg(position));
        const int left = position % 2 == 1 ? 8130 : 8700;
        const int top = 5000 - 500 * ((position - 1) / 2) + kBoardTop;
        face.place(ball, QRect(left, top, 480, 480));
    }
    auto* falling = new keno::BallWidget(kDrawn[18]);  // mid-flight over the rack
    face.place(falling, QRect(8130, 1000, 480, 480));
}

keno::MeterLabel* AddMeter(keno::TwipFace& face, const QString& caption, const QString& value, const QRect& twips,
                           const QColor& digits = QColor(255, 40, 30)) {
    auto* meter = new keno::MeterLabel(caption);
    meter->setText(value);
    meter->setDigitColour(digits);
    face.place(meter, twips);
    return meter;
}

void AddMeters(keno::TwipFace& face) {
    AddMeter(face, QStringLiteral("CREDIT"), QStringLiteral("1240"), QRect(9450, 900, 2400, 1000))
        ->setObjectName(QStringLiteral("panelbank"));
    AddMeter(face, QStringLiteral("BET"), QStringLiteral("5"), QRect(9450, 2000, 1150, 1000))->setCells(1);
    AddMeter(face, QStringLiteral("WIN"), QStringLiteral("45"), QRect(10700, 2000, 1150, 1000),
             QColor(40, 255, 90))->setCells(3);
    AddMeter(face, QStringLiteral("SPOTS"), QStringLiteral("7"), QRect(9450, 3100, 1150, 1000),
             QColor(255, 190, 0))->setCells(2);
    AddMeter(face, QStringLiteral("HITS"), QString(), QRect(10700, 3100, 1150, 1000), QColor(0, 200, 255))
        ->setCells(2);

    face.addPanel(QRect(9450, 4250, 2400, 2640), QColor(255, 190, 0));
    auto* headHits = new keno::LitLabel(QStringLiteral("HITS"), QColor(0, 210, 255));
    auto* headWin = new keno::LitLabel(QStringLiteral("WIN"), QColor(0, 210, 255));
    face.place(headHits, QRect(9550, 4330, 900, 300));
    face.place(headWin, QRect(10550, 4330, 1200, 300));
    const std::array<std::pair<int, int>, 7> rows{{{3, 2}, {4, 5}, {5, 16}, {6, 128}, {7, 2500}, {0, 0}, {0, 0}}};
    for (int i = 0; i < 7; ++i) {
        const auto [hits, win] = rows[static_cast<size_t>(i)];
        auto* hitLabel = new keno::LitLabel(hits ? QString::number(hits) : QString());
        auto* winLabel = new keno::LitLabel(hits ? QString::number(win * 5) : QString());
        hitLabel->setMonospace(true);
        winLabel->setMonospace(true);
        winLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i == 2) {  // the winning row, caught in its lit phase
            hitLabel->setColour(QColor(40, 255, 90));
            winLabel->setColour(QColor(40, 255, 90));
        }
        face.place(hitLabel, QRect(9550, 4700 + 300 * i, 900, 300));
        face.place(winLabel, QRect(10550, 4700 + 300 * i, 1200, 300));
    }
}

QList<keno::ImageButton*> AddButtons(keno::TwipFace& face) {
    struct Spec {
        const char* caption;
        const char* name;
        QColor colour;
        bool enabled;
    };
    const std::array<Spec, 10> specs{{
        {"COINS", "coinsin", QColor(255, 186, 0), true},
        {"MAKE BET", "makbet", QColor(255, 110, 0), true},
        {"ERASE", "rubber", QColor(235, 30, 40), false},
        {"AUTO SELECT", "btnautoselect", QColor(160, 60, 255), true},
        {"PLAY", "start", QColor(20, 200, 60), true},
        {"20 BALL", "btn20ball", QColor(0, 170, 235), true},
        {"OPTIONS", "mnuoptions", QColor(40, 90, 255), true},
        {"PAY SCHEDULE", "mnupayouts", QColor(225, 40, 190), true},
        {"TAKE WIN", "takwin", QColor(150, 215, 0), false},
        {"EXTRA BALLS", "xtraballs", QColor(255, 40, 110), true},
    }};
    QList<keno::ImageButton*> buttons;
    for (size_t i = 0; i < specs.size(); ++i) {
        auto* button = new keno::ImageButton(QString::fromLatin1(specs[i].caption), specs[i].colour);
        button->setObjectName(QString::fromLatin1(specs[i].name));
        button->setEnabled(specs[i].enabled);
        face.place(button, QRect(150 + static_cast<int>(i) * 1170, 7150, 1130, 1050));
        buttons.append(button);
    }
    return buttons;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString shot;
    QSize size(1100, 790);
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--shot")) {
            shot = args[i + 1];
        } else if (args[i] == QLatin1String("--size")) {
            const QStringList parts = args[i + 1].split(QLatin1Char('x'));
            if (parts.size() == 2) {
                size = QSize(parts[0].toInt(), parts[1].toInt());
            }
        }
    }

    keno::TwipFace face(QSize(12000, 8500));
    face.setObjectName(QStringLiteral("gallery"));
    face.setWindowTitle(QStringLiteral("K E N O 22"));
    face.setTitle(QStringLiteral("K E N O 22"), QRect(600, 80, 7000, 780));
    AddBoard(face);
    AddRack(face);
    AddMeters(face);
    const QList<keno::ImageButton*> buttons = AddButtons(face);
    keno::ImageButton* extra = buttons.last();
    extra->setFlashAlternate(true);
    face.resize(size);
    face.show();
    face.activateWindow();
    buttons[4]->setFocus(Qt::TabFocusReason);
    buttons[0]->setDown(true);  // the pressed look

    QTimer flash;
    QObject::connect(&flash, &QTimer::timeout, extra, [extra] { extra->setFlashAlternate(!extra->flashAlternate()); });
    if (shot.isEmpty()) {
        flash.start(200);
    } else {
        QTimer::singleShot(300, &face, [&face, shot] {
            face.grab().save(shot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
