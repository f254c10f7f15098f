#include "widgets/KenoIcon.h"

#include <QPainter>
#include <cmath>

#include "widgets/BallArt.h"
#include "widgets/BallWidget.h"

namespace keno {

QPixmap KenoIconPixmap(int size, qreal devicePixelRatio) {
    const int pixels = static_cast<int>(std::lround(size * devicePixelRatio));
    QPixmap picture(pixels, pixels);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        // Tiny icons get a bigger disc: at 16 pixels the digits are all that tells the ball apart.
        const qreal disc = pixels <= 24 ? 0.72 : pixels <= 48 ? 0.64 : 0.58;
        PaintGlossyBall(painter, QRectF(0, 0, size, size), BallColourFor(22), QStringLiteral("22"), disc);
    }
    // The icon keeps its pictures for good; a painted picture would keep its paint engine too.
    QPixmap kept = picture.copy();
    kept.setDevicePixelRatio(devicePixelRatio);
    return kept;
}

QIcon KenoIcon() {
    QIcon icon;
    for (int size : {16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256}) {
        icon.addPixmap(KenoIconPixmap(size));
    }
    return icon;
}

}  // namespace keno
