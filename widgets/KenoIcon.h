#pragma once
#include <QIcon>
#include <QPixmap>

namespace keno {

// The program's icon: a glossy green keno ball numbered 22, drawn at 16 to 256 pixels.
QIcon KenoIcon();

// One picture of the icon, size x size logical pixels at the given device-pixel ratio.
QPixmap KenoIconPixmap(int size, qreal devicePixelRatio = 1.0);

}  // namespace keno
