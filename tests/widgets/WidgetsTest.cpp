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

QImage Render(QWidget& widget, qreal ratio = 1.0) {
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);  // no palette fill behind it
    return image;
}

// Share of pixels that differ clearly between two images of the same size.
double DifferentShare(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            differing += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                                 std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha()) > 60;
        }
    }
    return static_cast<double>(differing) / (a.width() * a.height());
}

// One of each painted control, with something to show.
QWidget* Make(const QString& kind) {
    if (kind == "ball") return new BallWidget(55);
    if (kind == "button") return new ImageButton(QStringLiteral("PAY SCHEDULE"), QColor(200, 40, 180));
    if (kind == "lit") return new LitLabel(QStringLiteral("2500"));
    if (kind == "meter") {
        auto* meter = new MeterLabel(QStringLiteral("CREDIT"));
        meter->setText(QStringLiteral("1240"));
        return meter;
    }
    if (kind == "face") {
        auto* face = new TwipFace(QSize(9600, 6400));
        face->setTitle(QStringLiteral("K E N O"), QRect(600, 100, 6000, 700));
        face->addPanel(QRect(100, 1000, 4000, 3000));
        return face;
    }
    auto* square = new BoardSquare(42);
    if (kind == "hit") square->setView({SquarePicture::Hit, SquareBackground::White, SquareText::OrangeRed});
    return square;
}

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void paintsAtEverySizeAndRatio_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        for (const char* kind : {"square", "hit", "ball", "button", "meter", "lit", "face"})
            for (const QSize size : {QSize(49, 42), QSize(160, 120)})
                for (const qreal ratio : {1.0, 2.0})
                    QTest::addRow("%s-%dx%d-dpr%g", kind, size.width(), size.height(), ratio) << kind << size << ratio;
    }
    void paintsAtEverySizeAndRatio() {
        QFETCH(QString, kind);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        std::unique_ptr<QWidget> widget(Make(kind));
        widget->resize(size);
        const QImage image = Render(*widget, ratio);
        QCOMPARE(image.size(), size * ratio);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() >= 12, "expected shading, not a flat fill");
        if (ratio > 1.0) {  // painted at the full resolution, not a low-resolution picture blown up
            const QImage doubled = Render(*widget).scaled(image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            QVERIFY(DifferentShare(image, doubled) > 0.01);
        }
    }

    // Marked and hit squares, flashing and disabled buttons each look clearly different.
    void statesLookDifferent() {
        BoardSquare square(7);
        ImageButton button(QStringLiteral("PLAY"), QColor(20, 200, 60));
        square.resize(60, 52);
        button.resize(120, 60);
        const std::vector<std::pair<QWidget*, std::function<void()>>> changes{
            {&square, [&] { square.setView({SquarePicture::Marked, SquareBackground::Black, SquareText::Blue}); }},
            {&square, [&] { square.setView({SquarePicture::Hit, SquareBackground::Black, SquareText::Blue}); }},
            {&button, [&] { button.setFlashAlternate(true); }},
            {&button, [&] { button.setFlashAlternate(false), button.setEnabled(false); }}};
        for (const auto& [widget, change] : changes) {
            const QImage before = Render(*widget);
            change();
            QVERIFY(DifferentShare(before, Render(*widget)) > 0.05);
        }
    }

    // Mouse and Space/Return/Enter click an enabled button once each, on release; a disabled one never.
    void buttonClicksOnlyWhenEnabled() {
        for (const bool enabled : {true, false}) {
            ImageButton button(QStringLiteral("COINS"));
            button.resize(100, 50);
            button.setEnabled(enabled);
            QSignalSpy pressed(&button, &ImageButton::pressed), clicked(&button, &ImageButton::clicked);
            QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(50, 25));
            for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
                QTest::keyPress(&button, key);
                QCOMPARE(clicked.count(), enabled ? pressed.count() - 1 : 0);
                QTest::keyRelease(&button, key);
            }
            QCOMPARE(pressed.count(), enabled ? 4 : 0);
            QCOMPARE(clicked.count(), enabled ? 4 : 0);
        }
        BoardSquare square(80);
        square.resize(49, 42);
        QSignalSpy squareClicked(&square, &BoardSquare::clicked);
        QTest::mouseClick(&square, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(squareClicked.count(), 1);
    }

    // The press effect hides the picture, not the widget, so the release still completes the click.
    void buttonWithHiddenImageStillCompletesItsClick() {
        ImageButton button(QStringLiteral("ERASE"));
        button.resize(100, 50);
        connect(&button, &ImageButton::pressed, &button, [&button] { button.setImageHidden(true); });
        QSignalSpy clicked(&button, &ImageButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 25));
        QVERIFY(button.imageHidden());
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 25));
        QCOMPARE(clicked.count(), 1);
    }

    // A 780 x 690 twip square at (150, 60) on a 9600 x 6400 face, placed before the resize.
    void faceMapsTwipsKeepingAspect_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<QRect>("face");
        QTest::newRow("design size") << QSize(640, 427) << QRect(10, 4, 52, 46) << QRect(0, 0, 640, 427);
        QTest::newRow("wide window") << QSize(1280, 640) << QRect(175, 6, 78, 69) << QRect(160, 0, 960, 640);
        QTest::newRow("tall window") << QSize(960, 1000) << QRect(15, 186, 78, 69) << QRect(0, 180, 960, 640);
    }
    void faceMapsTwipsKeepingAspect() {
        QFETCH(QSize, window);
        QFETCH(QRect, expected);
        QFETCH(QRect, face);
        TwipFace twipFace(QSize(9600, 6400));
        auto* square = new BoardSquare(1);
        auto* hidden = new BallWidget(10);
        hidden->hide();
        twipFace.place(square, QRect(150, 60, 780, 690));
        twipFace.place(hidden, QRect(8700, 5000, 480, 480));
        twipFace.resize(window);
        twipFace.show();  // a hidden widget gets its resize event when shown
        QCOMPARE(square->geometry(), expected);
        QCOMPARE(twipFace.faceRect(), face);
        QVERIFY(hidden->isHidden());
        const QPointF back = twipFace.toTwips(twipFace.toPixels(QPointF(150, 60)));
        QVERIFY(std::abs(back.x() - 150) < 1e-6 && std::abs(back.y() - 60) < 1e-6);
        twipFace.moveTo(square, QPoint(8130, 1));
        QCOMPARE(TwipFace::twipRect(square), QRect(8130, 1, 780, 690));
        QCOMPARE(square->geometry(), twipFace.toPixels(QRect(8130, 1, 780, 690)));
        for (int left = 0; left + 1560 <= 9600; left += 130) {  // neighbours share edges at any scale
            const QRect a = twipFace.toPixels(QRect(left, 60, 780, 690));
            QCOMPARE(a.right() + 1, twipFace.toPixels(QRect(left + 780, 60, 780, 690)).left());
        }
    }

    // Seven decade colours, 71..80 green again.
    void ballColoursFollowDecades() {
        QSet<QRgb> seven;
        for (int n = 1; n <= 80; ++n) {
            QCOMPARE(BallColourFor(n), BallColourFor(n > 70 ? 21 : (n - 1) / 10 * 10 + 1));
            seven.insert(BallColourFor(n).rgb());
        }
        QCOMPARE(seven.size(), 7);
    }
};

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
