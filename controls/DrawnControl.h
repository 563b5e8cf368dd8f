#pragma once

// Base of the drawn controls: each shows one shape in one colour over whatever lies behind it.
// The shape is drawn on a white surface in any other colour; the non-white pixels become the
// shape, everything else of the control stays transparent.
#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRegion>
#include <QVector>
#include <QWidget>

class DrawnControl : public QWidget
{
    Q_OBJECT
public:
    // The native handle of the window that shows the control (the control makes none of its own).
    WId WindowHandle() const;
    QColor shapeColor() const { return m_shapeColor; }
    QRegion shape() const { return m_shape; }

protected:
    DrawnControl(const QColor &designColor, QWidget *parent);

    void setShapeColor(const QColor &color);
    // Takes the non-white pixels of surface, placed at origin inside the control, as the shape.
    void takeShapeMask(const QImage &surface, const QPoint &origin);
    void clearShapeMask();

    // A white drawing surface of the given size in pixels.
    static QImage blankSurface(const QSize &size);
    // Draws lines given in twips onto a surface with a one-pixel pen.
    static void drawTwipLines(QImage &surface, const QVector<QLineF> &lines);

    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_shapeColor;
    QRegion m_shape;
};
