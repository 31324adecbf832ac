#pragma once
// Taking numbers out of edit boxes the way the framework's dialog data
// exchange does: a refusal shows the framework's message and puts the focus on
// the edit with its text selected.

#include "platform/Types.h"

class QLineEdit;

// An unsigned decimal number (blanks around it allowed).
BOOL DdxUnsigned(QLineEdit* edit, int& value);
// min <= value <= max.
BOOL DdvMinMax(QLineEdit* edit, int value, int min, int max);
// Focus on the edit, its text selected.
void FocusRefusedEdit(QLineEdit* edit);
