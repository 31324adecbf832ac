#pragma once
// The small picture of a label sheet that the page setup dialog and the layout
// editor show: the printed page scaled to fit an area, its shadow, the text
// area of each cell, the cell outlines where printing puts them and the page
// margins as dotted lines.

#include "print/PageLayout.h"

#include <QRect>

class QPainter;

// Draws the sheet centred in area; false, drawing nothing, for a layout that
// is not valid or an area too small to scale the page into.
bool PaintSheet(QPainter& painter, const QRect& area, const CPageLayout& layout);
