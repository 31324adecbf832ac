#pragma once
// Label pages on a QPrinter, for printing and for the print preview: the
// printer takes the layout's paper and orientation with the whole sheet as its
// page, and one label painter draws every page.

#include "print/LabelPainter.h"

#include <vector>

class QPrinter;

// The layout's paper (upright size) and orientation, no margins: the painter's
// origin is the corner of the paper, as the layout measures it.
void SetUpPrinterForLayout(QPrinter& printer, const CPageLayout& layout);

// Draws the pages of plan (counted from 0) with one painter. For the preview, every cell is
// outlined and the cell of a label that did not fit is marked red. unfit receives the cards whose
// labels did not fit, in print order. False when the printer could not be started. Every page of
// the plan.
std::vector<int> AllPages(const CPagePlan& plan);

// offset moves every page: the printer's calibration, none in the preview.
bool DrawLabelPages(QPrinter& printer, const CPageLayout& layout, const LabelFonts& fonts,
                    const CPagePlan& plan, const std::vector<int>& pages, bool preview,
                    std::vector<const CAddrCard*>& unfit, PrintOffset offset = {});

// The calibration page of sheet (print/CalibrationPage.h), moved by offset, as
// one page on printer; false when the printer could not be started.
bool PrintCalibrationPage(QPrinter& printer, const CPageLayout& sheet, PrintOffset offset);
