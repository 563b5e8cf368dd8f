#pragma once

#include <QFrame>
#include <QRectF>
#include <QString>
#include <QWidget>

// Hosted controls placed in twips (15 to a pixel), as both browser windows lay them out.
namespace TwipsControls {

int ToPixels(double twips);

// Moves a control to a rectangle in twips relative to its container; a negative size is
// refused, as the platform refuses it, and the control stays where it was.
void Move(QWidget *control, double left, double top, double width, double height);
QRectF Rect(const QWidget *control);

template <class T>
T *Make(QWidget *container, const char *name, double left, double top, double width, double height)
{
    auto *control = new T(container);
    control->setObjectName(QString::fromLatin1(name));
    Move(control, left, top, width, height);
    return control;
}

QFrame *MakeFrame(QWidget *container, const char *name, bool border, double left, double top, double width,
                  double height);

} // namespace TwipsControls
