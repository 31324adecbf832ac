#pragma once
// The calibration page: on the paper of a page layout, the outlines of its
// cells, a cross 30 mm in from the top-left corner with millimetre rulers
// along its arms, numbered by their distance from the paper's edges, and a
// second cross 30 mm in from the bottom-right corner. The user measures where
// the printer put the first cross and corrects the printer's offset by the
// difference (print/PrinterOffset.h); the second shows a paper fed askew.

#include "print/LabelPainter.h"
#include "print/PrinterOffset.h"

inline constexpr double kCalibrationCrossMm = 30.0;

// Draws the page as the label painter draws one: device pixels from the
// paper's top-left corner, scale of them to the millimetre, everything moved
// by offset.
void DrawCalibrationPage(QPainter& painter, PxPerMm scale, const CPageLayout& layout,
                         PrintOffset offset);
