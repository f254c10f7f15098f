#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/MeterLabel.h"
#include "widgets/TwipFace.h"

#include <QImage>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

using namespace keno;

namespace {

QImage Render(QWidget& widget, qreal ratio) {
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);  // no palette fill behind it
    return image;
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

// Share of pixels that differ clearly between two images of the same size.
double DifferentShare(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            const int delta = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                              std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha());
            differing += delta > 60 ? 1 : 0;
        }
    }
    return static_cast<double>(differing) / (a.width() * a.height());
}

using Factory = std::function<QWidget*()>;

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void paintsAtEverySizeAndRatio_data();
    void paintsAtEverySizeAndRatio();
    void statesLookDifferent();
    void buttonClicksOnlyWhenEnabled_data();
    void buttonClicksOnlyWhenEnabled();
    void buttonReleaseOutsideDoesNotClick();
    void buttonWithHiddenImageStillCompletesItsClick();
    void buttonActivatesFromKeyboard_data();
    void buttonActivatesFromKeyboard();
    void squareEmitsClicked();
    void faceMapsTwipsKeepingAspect_data();
    void faceMapsTwipsKeepingAspect();
    void faceNeighboursShareEdges();
    void faceMoveKeepsSizeAndVisibility();
    void ballColoursFollowDecades_data();
    void ballColoursFollowDecades();
    void squareColoursAreTheDesignColours();
};

void WidgetsTest::paintsAtEverySizeAndRatio_data() {
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    const std::vector<std::pair<const char*, Factory>> kinds{
        {"square", [] { return new BoardSquare(17); }},
        {"square-hit",
         [] {
             auto* s = new BoardSquare(42);
             s->setView({SquarePicture::Hit, SquareBackground::White, SquareText::OrangeRed});
             return s;
         }},
        {"ball", [] { return new BallWidget(55); }},
        {"button", [] { return new ImageButton(QStringLiteral("PAY SCHEDULE"), QColor(200, 40, 180)); }},
        {"meter",
         [] {
             auto* m = new MeterLabel(QStringLiteral("CREDIT"));
             m->setText(QStringLiteral("1240"));
             return m;
         }},
        {"lit", [] { return new LitLabel(QStringLiteral("2500")); }},
        {"face",
         [] {
             auto* f = new TwipFace(QSize(9600, 6400));
             f->setTitle(QStringLiteral("K E N O"), QRect(600, 100, 6000, 700));
             f->addPanel(QRect(100, 1000, 4000, 3000));
             return f;
         }},
    };
    for (const auto& [name, make] : kinds) {
        for (const QSize size : {QSize(49, 42), QSize(160, 120)}) {
            for (const qreal ratio : {1.0, 2.0}) {
                QTest::addRow("%s-%dx%d-dpr%g", name, size.width(), size.height(), ratio) << make << size << ratio;
            }
        }
    }
}

void WidgetsTest::paintsAtEverySizeAndRatio() {
    QFETCH(Factory, make);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    std::unique_ptr<QWidget> widget(make());
    widget->resize(size);
    const QImage image = Render(*widget, ratio);
    QCOMPARE(image.size(), size * ratio);
    QVERIFY2(DistinctColours(image) >= 12, "expected shading, not a flat fill");
    if (ratio > 1.0) {
        // Painted at the full resolution, not a low-resolution picture blown up.
        const QImage low = Render(*widget, 1.0).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage doubled = low.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QVERIFY(DifferentShare(image.convertToFormat(QImage::Format_ARGB32_Premultiplied), doubled) > 0.01);
    }
}

void WidgetsTest::statesLookDifferent() {
    BoardSquare square(7);
    square.resize(60, 52);
    const QImage plain = Render(square, 1.0);
    square.setView({SquarePicture::Marked, SquareBackground::Black, SquareText::Blue});
    const QImage marked = Render(square, 1.0);
    square.setView({SquarePicture::Hit, SquareBackground::Black, SquareText::Blue});
    const QImage hit = Render(square, 1.0);
    QVERIFY(DifferentShare(plain, marked) > 0.05);
    QVERIFY(DifferentShare(marked, hit) > 0.05);

    ImageButton button(QStringLiteral("PLAY"), QColor(20, 200, 60));
    button.resize(120, 60);
    const QImage lit = Render(button, 1.0);
    button.setFlashAlternate(true);
    const QImage flashing = Render(button, 1.0);
    button.setFlashAlternate(false);
    button.setEnabled(false);
    const QImage dim = Render(button, 1.0);
    QVERIFY(DifferentShare(lit, flashing) > 0.05);
    QVERIFY(DifferentShare(lit, dim) > 0.05);

    MeterLabel meter(QStringLiteral("WIN"));
    meter.resize(100, 50);
    const QImage empty = Render(meter, 1.0);
    meter.setText(QStringLiteral("45"));
    QVERIFY(DifferentShare(empty, Render(meter, 1.0)) > 0.01);
}

void WidgetsTest::buttonClicksOnlyWhenEnabled_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("expected");
    QTest::newRow("enabled") << true << 1;
    QTest::newRow("disabled") << false << 0;
}

void WidgetsTest::buttonClicksOnlyWhenEnabled() {
    QFETCH(bool, enabled);
    QFETCH(int, expected);
    ImageButton button(QStringLiteral("COINS"));
    button.resize(100, 50);
    button.setEnabled(enabled);
    QSignalSpy pressed(&button, &ImageButton::pressed);
    QSignalSpy released(&button, &ImageButton::released);
    QSignalSpy clicked(&button, &ImageButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(50, 25));
    QCOMPARE(pressed.count(), expected);
    QCOMPARE(released.count(), expected);
    QCOMPARE(clicked.count(), expected);
}

void WidgetsTest::buttonReleaseOutsideDoesNotClick() {
    ImageButton button(QStringLiteral("MAKE BET"));
    button.resize(100, 50);
    QSignalSpy released(&button, &ImageButton::released);
    QSignalSpy clicked(&button, &ImageButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 25));
    QTest::mouseMove(&button, QPoint(300, 25));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(300, 25));
    QCOMPARE(released.count(), 1);
    QCOMPARE(clicked.count(), 0);
}

void WidgetsTest::buttonWithHiddenImageStillCompletesItsClick() {
    ImageButton button(QStringLiteral("ERASE"));
    button.resize(100, 50);
    connect(&button, &ImageButton::pressed, &button, [&button] { button.setImageHidden(true); });
    connect(&button, &ImageButton::released, &button, [&button] { button.setImageHidden(false); });
    QSignalSpy clicked(&button, &ImageButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 25));
    QVERIFY(button.imageHidden());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 25));
    QVERIFY(!button.imageHidden());
    QCOMPARE(clicked.count(), 1);
}

void WidgetsTest::buttonActivatesFromKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("space") << static_cast<int>(Qt::Key_Space);
    QTest::newRow("return") << static_cast<int>(Qt::Key_Return);
    QTest::newRow("enter") << static_cast<int>(Qt::Key_Enter);
}

void WidgetsTest::buttonActivatesFromKeyboard() {
    QFETCH(int, key);
    ImageButton button(QStringLiteral("PLAY"));
    button.resize(100, 50);
    QCOMPARE(button.focusPolicy(), Qt::TabFocus);
    QSignalSpy pressed(&button, &ImageButton::pressed);
    QSignalSpy clicked(&button, &ImageButton::clicked);
    QTest::keyPress(&button, static_cast<Qt::Key>(key));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(clicked.count(), 0);
    QTest::keyRelease(&button, static_cast<Qt::Key>(key));
    QCOMPARE(clicked.count(), 1);
}

void WidgetsTest::squareEmitsClicked() {
    BoardSquare square(80);
    square.resize(49, 42);
    QSignalSpy clicked(&square, &BoardSquare::clicked);
    QTest::mouseClick(&square, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(square.number(), 80);
}

void WidgetsTest::faceMapsTwipsKeepingAspect_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QRect>("face");
    // A 780 x 690 twip square at (150, 60) on a 9600 x 6400 face.
    QTest::newRow("design size") << QSize(640, 427) << QRect(10, 4, 52, 46) << QRect(0, 0, 640, 427);
    QTest::newRow("wide window") << QSize(1280, 640) << QRect(175, 6, 78, 69) << QRect(160, 0, 960, 640);
    QTest::newRow("tall window") << QSize(960, 1000) << QRect(15, 186, 78, 69) << QRect(0, 180, 960, 640);
}

void WidgetsTest::faceMapsTwipsKeepingAspect() {
    QFETCH(QSize, window);
    QFETCH(QRect, expected);
    QFETCH(QRect, face);
    TwipFace twipFace(QSize(9600, 6400));
    auto* square = new BoardSquare(1);
    twipFace.place(square, QRect(150, 60, 780, 690));
    twipFace.resize(window);  // placed before the resize: the face must follow
    twipFace.show();          // a hidden widget gets its resize event when shown
    QCOMPARE(square->geometry(), expected);
    QCOMPARE(twipFace.faceRect(), face);
    QCOMPARE(TwipFace::twipRect(square), QRect(150, 60, 780, 690));
    const QPointF back = twipFace.toTwips(twipFace.toPixels(QPointF(150, 60)));
    QVERIFY(std::abs(back.x() - 150) < 1e-6 && std::abs(back.y() - 60) < 1e-6);
}

void WidgetsTest::faceNeighboursShareEdges() {
    TwipFace face(QSize(9600, 6400));
    face.resize(997, 701);  // an awkward scale
    for (int left = 0; left + 1560 <= 9600; left += 130) {
        const QRect a = face.toPixels(QRect(left, 60, 780, 690));
        const QRect b = face.toPixels(QRect(left + 780, 60, 780, 690));
        QCOMPARE(a.right() + 1, b.left());
    }
}

void WidgetsTest::faceMoveKeepsSizeAndVisibility() {
    TwipFace face(QSize(9600, 6400));
    face.resize(640, 427);
    auto* ball = new BallWidget(9);
    auto* hidden = new BallWidget(10);
    hidden->hide();
    face.place(ball, QRect(8130, 5000, 480, 480));
    face.place(hidden, QRect(8700, 5000, 480, 480));
    QVERIFY(!ball->isHidden());
    QVERIFY(hidden->isHidden());
    face.moveTo(ball, QPoint(8130, 1));
    QCOMPARE(TwipFace::twipRect(ball), QRect(8130, 1, 480, 480));
    QCOMPARE(ball->geometry(), face.toPixels(QRect(8130, 1, 480, 480)));
    QVERIFY(!TwipFace::twipRect(&face).isValid());
}

void WidgetsTest::ballColoursFollowDecades_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("sameAs");
    QTest::newRow("red") << 1 << 10 << 1;
    QTest::newRow("mauve") << 11 << 20 << 11;
    QTest::newRow("green") << 21 << 30 << 21;
    QTest::newRow("blue") << 31 << 40 << 31;
    QTest::newRow("grey") << 41 << 50 << 41;
    QTest::newRow("yellow") << 51 << 60 << 51;
    QTest::newRow("light green") << 61 << 70 << 61;
    QTest::newRow("green again") << 71 << 80 << 21;
}

void WidgetsTest::ballColoursFollowDecades() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, sameAs);
    for (int n = first; n <= last; ++n) {
        QCOMPARE(BallColourFor(n), BallColourFor(sameAs));
    }
    if (first > 1) {
        QVERIFY(BallColourFor(first) != BallColourFor(first - 1));
    }
    QSet<QRgb> seven;
    for (int decade = 0; decade < 7; ++decade) {
        seven.insert(BallColourFor(decade * 10 + 1).rgb());
    }
    QCOMPARE(seven.size(), 7);
    const auto hue = [](int n) { return BallColourFor(n).hslHue(); };
    QVERIFY(hue(1) < 15 || hue(1) > 345);    // red
    QVERIFY(hue(31) > 200 && hue(31) < 250);  // blue
    QVERIFY(hue(51) > 40 && hue(51) < 65);    // yellow
    QVERIFY(BallColourFor(41).hslSaturation() < 40);  // grey
}

void WidgetsTest::squareColoursAreTheDesignColours() {
    QCOMPARE(BoardSquare::backgroundColour(SquareBackground::NearBlack), QColor(8, 8, 8));
    QCOMPARE(BoardSquare::backgroundColour(SquareBackground::LightGrey), QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(BoardSquare::textColour(SquareText::Blue), QColor(0, 0, 0xFF));
    QCOMPARE(BoardSquare::textColour(SquareText::OrangeRed), QColor(0xFF, 0x0F, 0x00));
}

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
