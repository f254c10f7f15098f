#include "widgets/BallWidget.h"

#include "widgets/Accessibility.h"
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

namespace {

void PaintBall(QPainter& painter, QSizeF size, int number) {
    const qreal diameter = std::min(size.width(), size.height()) - 1.0;
    if (diameter <= 2) {
        return;
    }
    const qreal radius = diameter / 2;
    const QPointF centre(size.width() / 2, size.height() / 2);
    const QColor colour = BallColourFor(number);

    QRadialGradient shade(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.45);
    shade.setColorAt(0.0, paint::Mix(colour, Qt::white, 0.55));
    shade.setColorAt(0.35, colour);
    shade.setColorAt(0.8, paint::Mix(colour, Qt::black, 0.55));
    shade.setColorAt(1.0, paint::Mix(colour, Qt::black, 0.8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);

    // Light bouncing off the cabinet floor onto the lower rim.
    QRadialGradient bounce(centre + QPointF(0, radius * 0.9), radius * 0.7);
    bounce.setColorAt(0.0, paint::WithAlpha(paint::Mix(colour, Qt::white, 0.3), 110));
    bounce.setColorAt(1.0, paint::WithAlpha(colour, 0));
    painter.setBrush(bounce);
    painter.drawEllipse(centre, radius, radius);

    const qreal disc = radius * 0.56;
    QRadialGradient paper(centre + QPointF(-disc * 0.3, -disc * 0.35), disc * 1.4);
    paper.setColorAt(0.0, Qt::white);
    paper.setColorAt(1.0, QColor(214, 214, 220));
    painter.setBrush(paper);
    painter.setPen(QPen(QColor(0, 0, 0, 90), std::max(0.6, radius * 0.04)));
    painter.drawEllipse(centre, disc, disc);

    if (number > 0) {
        const QString digits = QString::number(number);
        const QFont font = paint::FitFont(paint::FaceFont(disc * 1.05), digits, disc * 1.62, disc * 1.05);
        painter.fillPath(paint::TextPath(QRectF(centre.x() - disc, centre.y() - disc, 2 * disc, 2 * disc),
                                         Qt::AlignCenter, digits, font),
                         QColor(12, 12, 16));
    }

    QRadialGradient shine(centre + QPointF(-radius * 0.38, -radius * 0.5), radius * 0.42);
    shine.setColorAt(0.0, QColor(255, 255, 255, 220));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(centre + QPointF(-radius * 0.38, -radius * 0.5), radius * 0.42, radius * 0.3);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 140), std::max(0.6, radius * 0.03)));
    painter.drawEllipse(centre, radius, radius);
}

}  // namespace

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
                                           [n, s = QSizeF(size())](QPainter& p) { PaintBall(p, s, n); }));
}

}  // namespace keno
