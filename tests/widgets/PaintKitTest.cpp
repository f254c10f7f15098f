// The painting shortcuts against the long way round: gradient glows against layered strokes,
// numbers put together from digits against shaped text, the shared glow canvas against a fresh
// one, and a face repainted in part against the whole face.
#include "widgets/PaintKit.h"
#include "widgets/TwipFace.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

using namespace keno;

namespace {

QImage Blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

template <typename Paint>
QImage Painted(QSize size, Paint paint) {
    QImage image = Blank(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

int Alpha(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)); }

}  // namespace

class PaintKitTest : public QObject {
    Q_OBJECT
private slots:
    // The gradients follow the layers' fall-off, within what smoothing the steps takes off.
    void roundedRectGlowFollowsTheStrokeGlow_data() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("on the top edge") << QPoint(150, 40);
        QTest::newRow("just outside the top edge") << QPoint(150, 37);
        QTest::newRow("inside the left edge") << QPoint(44, 100);
        QTest::newRow("outside the left edge") << QPoint(36, 100);
        QTest::newRow("round a corner, outside") << QPoint(38, 38);
        QTest::newRow("round a corner, inside") << QPoint(45, 45);
        QTest::newRow("beyond its reach") << QPoint(20, 100);
        QTest::newRow("well inside") << QPoint(150, 100);
    }
    void roundedRectGlowFollowsTheStrokeGlow() {
        QFETCH(QPoint, at);
        const QRectF rect(40, 40, 220, 120);
        const qreal corner = 14, width = 2, radius = 6;
        const QColor colour(0, 190, 255, 200);
        const QImage strokes = Painted(QSize(300, 200), [&](QPainter& p) {
            QPainterPath outline;
            outline.addRoundedRect(rect, corner, corner);
            paint::DrawStrokeGlow(p, outline, width, colour, radius);
        });
        const QImage gradients = Painted(QSize(300, 200), [&](QPainter& p) {
            paint::DrawRoundedRectGlow(p, rect, corner, width, colour, radius);
        });
        QVERIFY2(std::abs(Alpha(strokes, at.x(), at.y()) - Alpha(gradients, at.x(), at.y())) <= 24,
                 qPrintable(QStringLiteral("%1 against %2").arg(Alpha(gradients, at.x(), at.y())).arg(Alpha(strokes, at.x(), at.y()))));
    }

    // Where a straight run meets a corner nothing is painted twice or left out: along a line
    // parallel to the edge the glow is even right through the join.
    void roundedRectGlowHasNoSeams_data() {
        QTest::addColumn<qreal>("corner");
        QTest::newRow("a wide corner") << 30.0;
        QTest::newRow("a corner just wider than the glow's reach") << 7.5;
    }
    void roundedRectGlowHasNoSeams() {
        QFETCH(qreal, corner);
        const QRectF rect(40.3, 40.6, 220.2, 120.5);
        const QImage glow = Painted(QSize(300, 200), [&](QPainter& p) {
            paint::DrawRoundedRectGlow(p, rect, corner, 2, QColor(255, 64, 214, 220), 6);
        });
        for (const int y : {36, 38, 40, 42, 44}) {
            for (int x = 75; x < 226; ++x) {
                QVERIFY2(std::abs(Alpha(glow, x, y) - Alpha(glow, x + 1, y)) <= 2,
                         qPrintable(QStringLiteral("row %1 steps at %2").arg(y).arg(x)));
            }
        }
    }

    // A number put together from its digits is the shaped number.
    void numbersMatchTheirShapedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("mono");
        for (const char* number : {"1", "10", "47", "80", "2500", "1234567"}) {
            QTest::newRow(number) << QString::fromLatin1(number) << false;
            QTest::newRow(qPrintable(QStringLiteral("mono %1").arg(QLatin1String(number)))) << QString::fromLatin1(number) << true;
        }
    }
    void numbersMatchTheirShapedText() {
        QFETCH(QString, text);
        QFETCH(bool, mono);
        const QFont font = mono ? paint::MeterFont(31) : paint::FaceFont(23, true);
        const QRectF box(0, 0, 200, 60);
        const QPainterPath composed = paint::TextPath(box, Qt::AlignLeft, text, font);
        QPainterPath shaped;
        QFont reference(font);
        reference.setPixelSize(200);
        shaped.addText(QPointF(0, 0), reference, text);
        const QRectF a = composed.boundingRect();
        const QRectF b = shaped.boundingRect();
        const qreal scale = font.pixelSize() / 200.0;
        QCOMPARE(composed.elementCount(), shaped.elementCount());
        QVERIFY(std::abs(a.width() - b.width() * scale) < 0.01);
        QVERIFY(std::abs(a.height() - b.height() * scale) < 0.01);
        QVERIFY(std::abs(a.left() - b.left() * scale) < 0.01);
    }

    // The glow canvas is shared: a glow after a larger one shows nothing of it.
    void glowsDoNotShowEachOther() {
        QPainterPath small;
        small.addEllipse(QRectF(20, 20, 16, 12));
        QPainterPath large;
        large.addRect(QRectF(10, 10, 180, 120));
        const auto glowOf = [&](const QPainterPath& path, QColor colour) {
            return Painted(QSize(220, 160), [&](QPainter& p) { paint::DrawGlow(p, path, colour, 8); });
        };
        const QImage first = glowOf(small, QColor(255, 0, 0, 230));
        (void)glowOf(large, QColor(0, 255, 0, 255));
        const QImage again = glowOf(small, QColor(255, 0, 0, 230));
        QCOMPARE(again, first);
        QCOMPARE(Alpha(again, 150, 100), 0);
    }

    // The face leaves out what a repaint does not reach; what it does paint matches the whole face.
    void partRepaintMatchesTheWholeFace_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("part");
        const QSize small(640, 427);
        QTest::newRow("inside a panel") << small << QRect(120, 150, 40, 30);
        QTest::newRow("across a panel's edge") << small << QRect(2, 60, 30, 40);
        QTest::newRow("across the bezel") << small << QRect(0, 0, 40, 40);
        QTest::newRow("just inside the neon") << small << QRect(6, 300, 10, 30);
        QTest::newRow("on the title") << small << QRect(200, 10, 60, 30);
        QTest::newRow("between panels") << small << QRect(300, 200, 50, 50);
        // Large enough for the neon's rounded corner to curve well in from the straight runs.
        QTest::newRow("inside the neon's corner, large face") << QSize(2880, 1920) << QRect(33, 33, 8, 8);
        QTest::newRow("letterboxed, across the bezel") << QSize(900, 427) << QRect(120, 0, 40, 40);
    }
    void partRepaintMatchesTheWholeFace() {
        QFETCH(QSize, size);
        QFETCH(QRect, part);
        TwipFace face(QSize(9600, 6400));
        face.setTitle(QStringLiteral("K E N O"), QRect(600, 100, 6000, 700));
        face.addPanel(QRect(100, 1000, 4000, 3000));
        face.addPanel(QRect(5000, 1000, 4000, 3000), QColor(255, 64, 214));
        face.resize(size);
        QImage whole = Blank(face.size());
        face.render(&whole);
        QImage piece = Blank(face.size());
        face.render(&piece, QPoint(), QRegion(part));
        // Gradients step along each span from where it starts, so a clipped span may land one
        // level off; anything more is a part left out or painted differently.
        const QImage a = piece.copy(QRect(QPoint(0, 0), part.size()));
        const QImage b = whole.copy(part);
        int worst = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            }
        }
        QVERIFY2(worst <= 2, qPrintable(QStringLiteral("differs by %1").arg(worst)));
    }
};

QTEST_MAIN(PaintKitTest)
#include "PaintKitTest.moc"
