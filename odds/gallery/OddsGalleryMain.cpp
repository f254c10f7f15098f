// Shows the odds screen or the extra-ball advisor for a ticket, for looking at them.
//   odds_gallery [--game 22|20] [--spots N] [--bet B] [--size WxH] [--shot FILE.png]
//   odds_gallery --offer SPOTS/HITS [--bet B] [--size WxH] [--shot FILE.png]
// With --shot the widget is grabbed after its first paint, saved, and the program ends.
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "odds/ExtraBallAdvisor.h"
#include "odds/OddsWindow.h"

namespace {

QString Option(const QStringList& args, const char* name, const QString& fallback = QString()) {
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

QSize SizeOption(const QStringList& args, QSize fallback) {
    const QStringList parts = Option(args, "--size").split(QLatin1Char('x'));
    return parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int bet = Option(args, "--bet", QStringLiteral("1")).toInt();
    const QString offer = Option(args, "--offer");

    std::unique_ptr<QWidget> shown;
    if (!offer.isEmpty()) {
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
