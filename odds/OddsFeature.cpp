#include "odds/OddsFeature.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "gamewindow/GameWindow.h"
#include "odds/ExtraBallAdvisor.h"
#include "odds/OddsWindow.h"

namespace keno {

namespace {

constexpr QSize kScreenSize(800, 580);  // at a game face shown at its design size
constexpr int kTwipsPerPixel = 15;

OddsInput InputOf(const GameWindow& window) {
    return {window.Kind() == GameKind::Keno22 ? OddsGame::Keno22 : OddsGame::Keno20,
            static_cast<int>(window.Picks().size()), window.Bet()};
}

}  // namespace

OddsFeature::OddsFeature(std::function<bool()> adviceWanted, QObject* parent)
    : QObject(parent), adviceWanted_(std::move(adviceWanted)) {}

// The screen is a window of its own, not a child of a game window: it goes with the machine.
OddsFeature::~OddsFeature() { delete screen_.data(); }

// Out of line: a QPointer needs the full type to hand it out.
OddsWindow* OddsFeature::Screen() const { return screen_; }
GameWindow* OddsFeature::Source() const { return source_; }

void OddsFeature::Attach(GameWindow& window) {
    window.AddMenuEntry({"mnuodds", QStringLiteral("Odds"), QKeySequence(Qt::Key_D), QStringLiteral("D"),
                         QStringLiteral("odds"), [this, w = &window] { OpenScreen(*w); }});
    connect(&window, &GameWindow::ticketChanged, this, [this, w = &window] {
        if (w == source_) Feed();
    });
    window.installEventFilter(this);

    if (window.Kind() != GameKind::Keno22) return;
    auto* advisor = new ExtraBallAdvisor;
    window.AddFacePanel(advisor, kAdvisorTwips);
    advisor->hide();
    const auto show = [this, w = &window, advisor] { ShowAdvice(*w, *advisor); };
    connect(&window, &GameWindow::offerOpened, advisor, show);
    connect(&window, &GameWindow::offerChanged, advisor, show);
    connect(&window, &GameWindow::offerClosed, advisor, [advisor] {
        advisor->hide();
        advisor->ClearOffer();
    });
}

void OddsFeature::OpenScreen(GameWindow& window) {
    source_ = &window;
    if (!screen_) {
        screen_ = new OddsWindow(InputOf(window));
        PlaceScreen();
        screen_->show();
    } else {
        Feed();
        if (screen_->isMinimized()) screen_->showNormal();
        screen_->show();
    }
    screen_->raise();
    screen_->activateWindow();
}

void OddsFeature::Feed() {
    if (screen_ && source_) screen_->SetInput(InputOf(*source_));
}

// As large as the game's face is scaled, so it reads as the game does, but never larger than the
// desktop (an 800 x 600 screen); beside the game window where the desktop has room for it,
// otherwise over its middle.
void OddsFeature::PlaceScreen() {
    QScreen* screen = source_->screen() ? source_->screen() : QGuiApplication::primaryScreen();
    const QRect desk = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QRect game = source_->frameGeometry();
    // The frame the window manager adds around the screen, as it adds it around the game window.
    const QSize frame = game.size() - source_->geometry().size();
    const QSizeF face = QSizeF(source_->FaceTwips()) / kTwipsPerPixel;
    const QWidget* shown = source_->centralWidget() ? source_->centralWidget() : source_.data();
    const qreal scale = std::max(1.0, std::min(shown->width() / face.width(), shown->height() / face.height()));
    const QSize size = (QSizeF(kScreenSize) * scale).toSize().boundedTo(desk.size() - frame);
    screen_->resize(size);
    QPoint at = game.right() + 1 + size.width() + frame.width() <= desk.right() + 1
                    ? QPoint(game.right() + 1, game.top())
                    : game.center() - QPoint(size.width() + frame.width(), size.height() + frame.height()) / 2;
    at.setX(std::clamp(at.x(), desk.left(), std::max(desk.left(), desk.right() + 1 - size.width() - frame.width())));
    at.setY(std::clamp(at.y(), desk.top(), std::max(desk.top(), desk.bottom() + 1 - size.height() - frame.height())));
    screen_->move(at);
}

// The other game coming into view takes the screen with it.
bool OddsFeature::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !event->spontaneous() && screen_ && watched != source_) {
        if (auto* window = qobject_cast<GameWindow*>(watched)) {
            source_ = window;
            Feed();
        }
    }
    return QObject::eventFilter(watched, event);
}

void OddsFeature::ShowAdvice(GameWindow& window, ExtraBallAdvisor& advisor) {
    const std::optional<GameWindow::Offer> offer = window.OpenOffer();
    const bool shown = offer && adviceWanted_() &&
                       advisor.SetOffer(offer->spots, offer->hits, offer->bet,
                                        {offer->takeWinOpen, offer->credit >= offer->bet});
    if (!shown) {
        advisor.hide();
        advisor.ClearOffer();
        return;
    }
    advisor.show();
    advisor.raise();
}

}  // namespace keno
