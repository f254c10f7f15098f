#include "gamewindow/GameWindowFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QString>

#include <algorithm>

#include "core/ViewModel.h"

namespace keno {

namespace {

QString Upper(const std::string& text) { return QString::fromStdString(text).toUpper(); }

}  // namespace

void CaptionFollowsPlayer(ViewModel& view, const std::string& player) {
    const std::string prefix = kGameCaptionPrefix;
    const std::string caption = view.Text("caption");
    const bool namesPlayer = caption.starts_with(prefix) && Upper(caption.substr(prefix.size())) == Upper(player);
    if (!namesPlayer) view.SetText("caption", prefix + player);
}

ScreenFit::ScreenFit(QWidget& window, QSize facePixels) : QObject(&window), window_(window), face_(facePixels) {
    setObjectName(QStringLiteral("screenfit"));
    Watch();
    connect(qApp, &QGuiApplication::screenAdded, this, &ScreenFit::Watch);
    window.installEventFilter(this);
    Fit();
}

// Fitted again once it is first shown: its menu bar has its style then, and the frame is known.
bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Show && !shown_) {
        shown_ = true;
        Fit();
    }
    return QObject::eventFilter(watched, event);
}

void ScreenFit::Watch() {
    for (QScreen* screen : QGuiApplication::screens()) {
        connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFit::Fit, Qt::UniqueConnection);
    }
}

QSize ScreenFit::FittedSize(QSize facePixels, int menu, QSize available, QSize frame) {
    const double room = std::min((available.width() - frame.width()) / double(facePixels.width()),
                                 (available.height() - frame.height() - menu) / double(facePixels.height()));
    const double scale = std::clamp(room, 0.25, 1.0);
    return {static_cast<int>(facePixels.width() * scale), static_cast<int>(facePixels.height() * scale) + menu};
}

void ScreenFit::Fit() {
    QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    auto* main = qobject_cast<QMainWindow*>(&window_);
    const int menu = main && main->menuBar() ? std::max(main->menuBar()->sizeHint().height(), main->menuBar()->height()) : 0;
    // The frame is known once the window manager has framed the window; before, a guess of none.
    const QSize frame = window_.isVisible() ? window_.frameGeometry().size() - window_.geometry().size() : QSize();
    window_.resize(FittedSize(face_, menu, available.size(), frame));
    // A window pushed past the edge by the smaller screen comes back inside it.
    const QRect shown = window_.frameGeometry();
    if (window_.isVisible() && !available.contains(shown)) {
        window_.move(std::max(available.left(), std::min(shown.left(), available.right() + 1 - shown.width())),
                     std::max(available.top(), std::min(shown.top(), available.bottom() + 1 - shown.height())));
    }
}

}  // namespace keno
