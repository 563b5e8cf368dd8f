#pragma once

#include <QStringList>

class QWidget;

// What a shown window draws wrong: each caption that its control cuts (labels, buttons, check
// boxes, option buttons, group boxes, tool buttons, the drawn labels), measured in the control's
// own font against the room its margins and indicator leave and its containers show, and each
// pair of sibling controls drawn over each other (a drawn control counts by what it draws, a
// movable bar by its grip), and each control under a bar stacked above it, which takes its clicks.
// Empty when every caption shows whole.
namespace CaptionCheck {

QStringList Faults(const QWidget *window);

} // namespace CaptionCheck
