#pragma once
#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

namespace keno {

// The face of a game window: a fixed design area in twips (15 per pixel at scale 1) that scales
// with the widget, keeping its aspect ratio, letterboxed on a dark surround. Children are real
// widgets placed by their twip rectangle; the face repositions them on every resize, so they keep
// their clicks, object names and tooltips. It also paints the cabinet: gradient, bezel, recessed
// panels and the neon title.
class TwipFace : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTwipsPerPixel = 15;

    explicit TwipFace(QSize designTwips, QWidget* parent = nullptr);

    QSize designSize() const { return design_; }

    // Makes child a child of this face and keeps it at twips, scaled.
    void place(QWidget* child, const QRect& twips);
    // Moves a placed child to a new top-left in twips, keeping its twip size (ball animation).
    void moveTo(QWidget* child, const QPoint& twipsTopLeft);
    // The twip rectangle of a placed child; an invalid rectangle for any other widget.
    static QRect twipRect(const QWidget* child);

    // Pixels per twip at the current widget size (1/15 when the face is shown at its design size).
    qreal pixelsPerTwip() const;
    // The part of the widget the design area covers, in widget pixels.
    QRect faceRect() const;
    // Where a twip rectangle lands in widget pixels; neighbours share their edges exactly.
    QRect toPixels(const QRect& twips) const;
    QPointF toPixels(const QPointF& twips) const;

    void setTitle(const QString& text, const QRect& twips, const QColor& neon = QColor(255, 64, 214));
    QString title() const { return titleText_; }
    // A recessed dark panel with a lit edge, painted under the children.
    void addPanel(const QRect& twips, const QColor& edge = QColor(0, 200, 255));
    void clearPanels();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        QRect twips;
        QColor edge;
    };

    void layoutChild(QWidget* child) const;
    void layoutChildren();
    void paintCabinet(QPainter& painter, const QRegion& dirty) const;
    void paintPanel(QPainter& painter, const Panel& panel, const QRegion& dirty) const;
    void paintTitle(QPainter& painter) const;

    QSize design_;
    QString titleText_;
    QRect titleTwips_;
    QColor titleNeon_;
    std::vector<Panel> panels_;
};

}  // namespace keno
