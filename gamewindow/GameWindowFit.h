#pragma once
#include <QObject>
#include <QSize>

#include <string>

class QWidget;

namespace keno {

class ViewModel;

// What a game window's caption says before the player's name: the words and seven blanks.
inline constexpr const char* kGameCaptionPrefix = "Current Player       ";

// A window comes back into view: when its caption does not name the player now loaded (the other
// game's first load went back to slot 1), it names that player again, as a window's load does.
// A caption the options dialog upper-cased for the same player is kept.
void CaptionFollowsPlayer(ViewModel& view, const std::string& player);

// Keeps a game window at its design size (its face at one pixel per 15 twips, with the menu bar)
// where that fits the screen's available area, and scaled down to fit, aspect kept, where it does
// not; again whenever the screen changes size (the 800 x 600 switch and back).
class ScreenFit : public QObject {
    Q_OBJECT
public:
    ScreenFit(QWidget& window, QSize facePixels);

    // The client size the window takes on a screen whose available area is `available`, with
    // `frame` the extra size of the window's frame and `menu` the height of its menu bar.
    static QSize FittedSize(QSize facePixels, int menu, QSize available, QSize frame);
    void Fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch();

    QWidget& window_;
    QSize face_;
    bool shown_ = false;
};

}  // namespace keno
