#include "shell/MODchangeResSwitch.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#include "shell/DisplayModes.h"

namespace keno {

void MODchangeResSwitch::ChangeDisplayMode(int width, int height) {
    MODchangeRes::ChangeDisplayMode(width, height);
}

void MODchangeResSwitch::RestoreDisplayMode() { MODchangeRes::RestoreDisplayMode(); }

std::pair<int, int> MODchangeResSwitch::ScreenSizePixels() {
    if (const auto size = MODchangeRes::CurrentScreenSize()) return {size->width, size->height};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {0, 0};
    const QSize logical = screen->size();
    const double ratio = screen->devicePixelRatio();
    return {static_cast<int>(std::lround(logical.width() * ratio)),
            static_cast<int>(std::lround(logical.height() * ratio))};
}

}  // namespace keno
