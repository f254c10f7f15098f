#include "widgets/BallWidget.h"

#include "widgets/Accessibility.h"
#include "widgets/BallArt.h"
#include "widgets/PaintKit.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace keno {

QColor BallColourFor(int number) {
    static const QColor kRed(214, 24, 30);
    static const QColor kMauve(176, 82, 196);
    static const QColor kGreen(24, 150, 56);
    static const QColor kBlue(30, 78, 226);
    static const QColor kGrey(150, 152, 160);
    static const QColor kYellow(246, 206, 24);
    static const QColor kLightGreen(120, 222, 84);
    if (number < 1 || number > 80) {
        return kGrey;
    }
    static const QColor* const kByDecade[] = {&kRed,  &kMauve,  &kGreen,      &kBlue,
                                              &kGrey, &kYellow, &kLightGreen, &kGreen};
    return *kByDecade[(number - 1) / 10];
}


BallWidget::BallWidget(int number, QWidget* parent) : QWidget(parent), number_(number) {
    InstallKenoAccessibility();
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BallWidget::setNumber(int number) {
    if (number != number_) {
        number_ = number;
        update();
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

QSize BallWidget::sizeHint() const {
    return {32, 32};  // 480 twips
}

void BallWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = paint::TargetPixelRatio(painter);
    const int n = number_;
    painter.drawPixmap(0, 0, paint::Cached(QStringLiteral("ball/%1").arg(n), size(), ratio,
                                           [n, s = QSizeF(size())](QPainter& p) {
                                               if (n < 1) return;
                                               PaintGlossyBall(p, QRectF(QPointF(0, 0), s), BallColourFor(n),
                                                               QString::number(n), 0.56);
                                           }));
}

}  // namespace keno
