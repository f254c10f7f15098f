// Shows the odds screen or the extra-ball advisor for a ticket, for looking at them.
//   odds_gallery [--game 22|20] [--spots N] [--bet B] [--size WxH] [--shot FILE.png]
//   odds_gallery --offer SPOTS/HITS [--bet B] [--size WxH] [--shot FILE.png]
//   odds_gallery --face SPOTS/HITS [--bet B] [--size WxH] [--shot FILE.png]
// --face shows the advisor on a mock of the 22-ball face, as a strip over the row of buttons that
// the open offer disables (COINS, which a refused purchase brings back, stays clear).
// With --shot the widget is grabbed after its first paint, saved, and the program ends.
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "odds/ExtraBallAdvisor.h"
#include "odds/OddsWindow.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/TwipFace.h"

namespace {

QString Option(const QStringList& args, const char* name, const QString& fallback = QString()) {
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

QSize SizeOption(const QStringList& args, QSize fallback) {
    const QStringList parts = Option(args, "--size").split(QLatin1Char('x'));
    return parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : fallback;
}

// The 22-ball face's board, rack and offer panel (twips as in the game window), an offer open
// on the board, the disabled button row, and the advisor over that row from its second button on.
std::unique_ptr<QWidget> MockFace(int spots, int hits, int bet) {
    constexpr int kTop = 900;
    const int columns[] = {150, 930, 1710, 2490, 3270, 4050, 4830, 5610, 6390, 7170};
    const int rows[] = {60, 750, 1440, 2130, 3270, 3960, 4650, 5340};
    auto face = std::make_unique<keno::TwipFace>(QSize(12000, 8500));
    face->setTitle(QStringLiteral("K E N O 22"), QRect(300, 90, 7500, 760));
    face->addPanel(QRect(90, kTop - 30, 7875, 6030), QColor(0, 190, 255));
    face->addPanel(QRect(8040, kTop - 30, 1230, 6030), QColor(255, 60, 210));
    face->addPanel(QRect(9450, 4250, 2400, 2620), QColor(255, 190, 0));
    for (int number = 1; number <= 80; ++number) {
        auto* square = new keno::BoardSquare(number);
        const bool marked = number % 9 == 0 && number / 9 <= spots;
        const bool hit = marked && number / 9 <= hits;
        square->setView({hit ? keno::SquarePicture::Hit : marked ? keno::SquarePicture::Marked : keno::SquarePicture::None,
                         hit || number % 4 == 1 ? keno::SquareBackground::White : keno::SquareBackground::Black,
                         hit || number % 4 == 1 ? keno::SquareText::OrangeRed : keno::SquareText::Blue});
        face->place(square, QRect(columns[(number - 1) % 10], rows[(number - 1) / 10] + kTop, 735, 630));
    }
    auto* legend = new keno::LitLabel(QStringLiteral("EXTRA BALL OFFER"), QColor(255, 206, 60));
    face->place(legend, QRect(9530, 4330, 2240, 330));
    face->place(new keno::ImageButton(QStringLiteral("EXTRA BALLS"), QColor(255, 40, 110)), QRect(9600, 4730, 2100, 1050));
    face->place(new keno::ImageButton(QStringLiteral("TAKE WIN"), QColor(150, 215, 0)), QRect(9600, 5880, 2100, 850));
    const char* captions[] = {"COINS", "MAKE BET", "ERASE", "AUTO SELECT", "PLAY", "20 BALL", "OPTIONS", "PAY SCHEDULE"};
    for (int i = 0; i < 8; ++i) {
        auto* button = new keno::ImageButton(QString::fromLatin1(captions[i]), QColor(255, 186, 0));
        button->setEnabled(false);
        face->place(button, QRect(180 + i * 1470, 7150, 1350, 1050));
    }
    auto* advisor = new keno::ExtraBallAdvisor;
    advisor->SetOffer(spots, hits, bet);
    face->place(advisor, QRect(1590, 7110, 10290, 1130));
    return face;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int bet = Option(args, "--bet", QStringLiteral("1")).toInt();
    const QString offer = Option(args, "--offer");

    std::unique_ptr<QWidget> shown;
    if (const QStringList face = Option(args, "--face").split(QLatin1Char('/')); face.size() == 2) {
        shown = MockFace(face[0].toInt(), face[1].toInt(), bet);
        shown->resize(SizeOption(args, QSize(800, 576)));
    } else if (!offer.isEmpty()) {
        const QStringList pair = offer.split(QLatin1Char('/'));
        auto advisor = std::make_unique<keno::ExtraBallAdvisor>();
        advisor->SetOffer(pair.value(0).toInt(), pair.value(1).toInt(), bet);
        QPalette dark = advisor->palette();
        dark.setColor(QPalette::Window, QColor(7, 13, 52));
        advisor->setPalette(dark);
        advisor->setAutoFillBackground(true);
        advisor->resize(SizeOption(args, QSize(240, 200)));
        shown = std::move(advisor);
    } else {
        const keno::OddsGame game = Option(args, "--game", QStringLiteral("22")) == QLatin1String("20")
                                        ? keno::OddsGame::Keno20
                                        : keno::OddsGame::Keno22;
        auto window = std::make_unique<keno::OddsWindow>(
            keno::OddsInput{game, Option(args, "--spots", QStringLiteral("0")).toInt(), bet});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->resize(SizeOption(args, QSize(800, 580)));
        shown = std::move(window);
    }
    shown->show();

    const QString shot = Option(args, "--shot");
    if (!shot.isEmpty()) {
        QTimer::singleShot(300, shown.get(), [&shown, shot] {
            shown->grab().save(shot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
