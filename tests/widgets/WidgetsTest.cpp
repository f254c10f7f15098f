// The painted controls: drawn at any size and pixel ratio, states told apart, clicks, twip layout.
#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"
#include "widgets/MeterLabel.h"
#include "widgets/PaintKit.h"
#include "widgets/TwipFace.h"

#include <QImage>
#include <QMap>
#include <QPainter>
#include <QSet>
#include <QTest>
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
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            differing += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                             std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha()) > 60;
        }
    return static_cast<double>(differing) / (a.width() * a.height());
}

// One of each painted control with something to show; the squares and buttons in several states.
QWidget* Make(const QString& kind) {
    if (kind == "ball") return new BallWidget(55);
    if (kind == "lit") return new LitLabel(QStringLiteral("2500"));
    if (kind == "meter") return new MeterLabel(QStringLiteral("CREDIT"));  // the caption alone shades it
    if (kind == "face") {
        auto* face = new TwipFace(QSize(9600, 6400));
        face->setTitle(QStringLiteral("K E N O"), QRect(600, 100, 6000, 700));
        face->addPanel(QRect(100, 1000, 4000, 3000));
        return face;
    }
    if (kind == "button" || kind == "flashing" || kind == "disabled") {
        auto* button = new ImageButton(QStringLiteral("PAY SCHEDULE"), QColor(200, 40, 180));
        button->setFlashAlternate(kind == "flashing");
        button->setEnabled(kind != "disabled");
        return button;
    }
    auto* square = new BoardSquare(42);
    const QMap<QString, SquarePicture> pictures{{"marked", SquarePicture::Marked}, {"hit", SquarePicture::Hit}};
    square->setView({pictures.value(kind, SquarePicture::None), SquareBackground::Black, SquareText::Blue});
    if (kind == "drawn hit") square->setView({SquarePicture::Hit, SquareBackground::White, SquareText::OrangeRed});
    return square;
}

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    // Each control paints shading at every size and ratio, at the full resolution rather than a
    // small picture blown up; a state looks clearly different from the one before it.
    void paints_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("differsFrom");
        const char* rows[][2] = {{"square", ""},   {"marked", "square"},   {"hit", "marked"},
                                 {"drawn hit", ""}, {"ball", ""},       {"button", ""},
                                 {"flashing", "button"}, {"disabled", "flashing"}, {"meter", ""},
                                 {"lit", ""},      {"face", ""}};
        for (const auto& [kind, differsFrom] : rows) QTest::newRow(kind) << kind << differsFrom;
    }
    void paints() {
        QFETCH(QString, kind);
        QFETCH(QString, differsFrom);
        std::unique_ptr<QWidget> widget(Make(kind)), before(differsFrom.isEmpty() ? nullptr : Make(differsFrom));
        for (const QSize size : {QSize(49, 42), QSize(160, 120)}) {
            widget->resize(size);
            for (const qreal ratio : {1.0, 2.0}) {
                const QImage image = Render(*widget, ratio);
                QCOMPARE(image.size(), size * ratio);
                QSet<QRgb> colours;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
                QVERIFY2(colours.size() >= 12, "expected shading, not a flat fill");
            }
            const QImage doubled = Render(*widget).scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            QVERIFY(DifferentShare(Render(*widget, 2.0), doubled) > 0.01);
            if (before) {
                before->resize(size);
                QVERIFY(DifferentShare(Render(*before), Render(*widget)) > 0.05);
            }
        }
    }

    // Past its budget the shared cache lets the least recently used pictures go.
    void sharedCacheKeepsToItsBudget() {
        paint::ClearSharedCache();
        constexpr qint64 kPicture = 1024 * 1024 * 4;  // 1024 x 1024 at ratio 1
        int paints = 0;
        const auto paintOne = [&paints](QPainter& painter) {
            ++paints;
            painter.fillRect(QRect(0, 0, 8, 8), Qt::red);
        };
        const auto get = [&](int i) { return paint::Cached(QStringLiteral("test/%1").arg(i), {1024, 1024}, 1.0, paintOne); };
        for (int i = 0; i < 30; ++i) QVERIFY(!get(i).isNull());
        QCOMPARE(paint::SharedCacheUse().pictures, static_cast<int>(paint::kSharedCacheBytes / kPicture));
        QVERIFY(paint::SharedCacheUse().bytes <= paint::kSharedCacheBytes);
        paints = 0;
        get(29);  // the newest stayed
        QCOMPARE(paints, 0);
        get(0);  // the oldest went
        QCOMPARE(paints, 1);
        paint::ClearSharedCache();
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
        twipFace.place(square, QRect(150, 60, 780, 690));
        twipFace.resize(window);
        twipFace.show();  // a hidden widget gets its resize event when shown
        QCOMPARE(square->geometry(), expected);
        QCOMPARE(twipFace.faceRect(), face);
        twipFace.moveTo(square, QPoint(8130, 1));
        QCOMPARE(square->geometry(), twipFace.toPixels(QRect(8130, 1, 780, 690)));
        for (int left = 0; left + 1560 <= 9600; left += 130) {  // neighbours share edges at any scale
            const QRect a = twipFace.toPixels(QRect(left, 60, 780, 690));
            QCOMPARE(a.right() + 1, twipFace.toPixels(QRect(left + 780, 60, 780, 690)).left());
        }
    }
};

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
