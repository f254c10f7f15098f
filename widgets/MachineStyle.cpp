#include "widgets/MachineStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace keno {

namespace {

// A double chevron pointing along the bar, towards its end for a horizontal one (left in a
// right-to-left layout) and down for a vertical one, in the gold of the game windows' menu entries.
QPixmap OverflowArrow(int size, qreal ratio, bool down, bool leftwards) {
    QPixmap picture(QSize(size, size) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        if (down) {
            painter.translate(size, 0);
            painter.rotate(90);
        } else if (leftwards) {
            painter.translate(size, 0);
            painter.scale(-1, 1);
        }
        QPainterPath chevrons;
        for (const qreal left : {0.22, 0.5}) {
            chevrons.moveTo(size * left, size * 0.25);
            chevrons.lineTo(size * (left + 0.24), size * 0.5);
            chevrons.lineTo(size * left, size * 0.75);
        }
        painter.setPen(QPen(QColor(0xff, 0xd2, 0x4a), size / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(chevrons);
    }
    return picture;
}

QIcon OverflowIcon(bool down, bool leftwards) {
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) icon.addPixmap(OverflowArrow(16, ratio, down, leftwards));
    return icon;
}

}  // namespace

MachineStyle::MachineStyle() = default;

QIcon MachineStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton) {
        const bool leftwards = widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft();
        return OverflowIcon(which == SP_ToolBarVerticalExtensionButton, leftwards);
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

void MachineStyle::Install() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QApplication::setStyle(new MachineStyle);
}

}  // namespace keno
