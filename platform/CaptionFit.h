#pragma once

#include <initializer_list>

class QWidget;

// The forms place their controls in twips measured for the design's narrower font. Here a
// caption that the platform's font makes wider gets the room it needs: it grows to the right,
// and what stands beside it gives way, so that no control comes to lie over another.
namespace CaptionFit {

// Widens a control whose caption does not fit, keeping its left edge; returns the pixels added.
int Widen(QWidget *control);
// Widens the captions of one column to the widest caption's width and moves the left edges of
// the controls beside them on their right as far as needed to keep the gap between the columns
// as designed; those controls keep their right edges, and both columns stay aligned.
void WidenBeside(std::initializer_list<QWidget *> captions, std::initializer_list<QWidget *> beside);

} // namespace CaptionFit
