#pragma once
// Helpers that act on a control of a dialog given as the dialog and the
// control's id, so dialog code needs no control objects, and a history that
// keeps a combo box's entries in the settings store between runs.
//
// A control is found by the object name its id maps to (ZkDlg_ControlName).
// When there is no such control, or it is of another kind, a helper does
// nothing and returns its failure value: FALSE, or -1 where it returns a value.

#include "platform/CString.h"
#include "platform/Types.h"

#include <QString>

class QComboBox;
class QWidget;

// The object name of the control with this id: the library's dialogs name
// their controls in one table; any other id is named by its decimal digits.
ZKLIB_API QString ZkDlg_ControlName(UINT id);
// The id a control's object name stands for, or 0.
ZKLIB_API UINT ZkDlg_ControlId(const QString& name);
ZKLIB_API QWidget* ZkDlg_GetItem(QWidget* dialog, UINT id);

ZKLIB_API BOOL ZkDlg_SetSpinButtonRange(QWidget* dialog, UINT id, int lower, int upper);
ZKLIB_API BOOL ZkDlg_GetSpinButtonRange(QWidget* dialog, UINT id, int& lower, int& upper);
// The previous position.
ZKLIB_API int ZkDlg_SetSpinButtonPos(QWidget* dialog, UINT id, int pos);
ZKLIB_API int ZkDlg_GetSpinButtonPos(QWidget* dialog, UINT id);

ZKLIB_API BOOL ZkDlg_SetSliderRange(QWidget* dialog, UINT id, int min, int max,
                                    BOOL redraw = FALSE);
ZKLIB_API BOOL ZkDlg_GetSliderRange(QWidget* dialog, UINT id, int& min, int& max);
ZKLIB_API BOOL ZkDlg_SetSliderPos(QWidget* dialog, UINT id, int pos);
ZKLIB_API int ZkDlg_GetSliderPos(QWidget* dialog, UINT id);
// Kept on the slider as the properties "selectionStart" and "selectionEnd":
// the platform's slider draws no selection.
ZKLIB_API BOOL ZkDlg_SetSliderSelection(QWidget* dialog, UINT id, int start, int end);

// The image of resource ":/bitmaps/<id>" or ":/icons/<id>" on a button;
// nothing when it cannot be loaded.
ZKLIB_API BOOL ZkDlg_SetButtonBitmap(QWidget* dialog, UINT id, UINT bitmap);
ZKLIB_API BOOL ZkDlg_SetButtonIcon(QWidget* dialog, UINT id, UINT icon);
// 0 unchecked, 1 checked, 2 partly checked.
ZKLIB_API BOOL ZkDlg_SetButtonCheck(QWidget* dialog, UINT id, int state);
ZKLIB_API int ZkDlg_GetButtonCheck(QWidget* dialog, UINT id);

// Adds the program's string; its index.
ZKLIB_API int ZkDlg_AddComboBoxString(QWidget* dialog, UINT id, UINT stringId);
ZKLIB_API BOOL ZkDlg_SetComboBoxCurSel(QWidget* dialog, UINT id, int index);
ZKLIB_API int ZkDlg_GetComboBoxCurSel(QWidget* dialog, UINT id);
// The previous state.
ZKLIB_API BOOL ZkDlg_EnableDlgItem(QWidget* dialog, UINT id, BOOL enable = TRUE);
// The number as the control's text, painted at once.
ZKLIB_API BOOL ZkDlg_SetDlgItemIntImmediate(QWidget* dialog, UINT id, UINT value,
                                            BOOL isSigned = TRUE);

// Gives every control whose id is also the id of a string of the program's
// table that string as its tool tip; the number of tips set.
ZKLIB_API int ZkDlg_InitToolTip(QWidget* dialog);
// Tool tips need no relaying here; kept so dialog code written for it builds.
inline void ZkDlg_TranslateToolTipMessage(QWidget*, const void*) {}

// Keys "Item0", "Item1", ... or "<prefix>-0", ...; max -1 means no limit.
// Save writes the last max entries and removes the keys after them, so a
// shorter history stays shorter.
ZKLIB_API BOOL ZkDlg_SaveComboBoxContents(const char* section, QComboBox* box, int max);
ZKLIB_API BOOL ZkDlg_SaveComboBoxContents(const char* section, const char* prefix, QComboBox* box,
                                          int max);
// Adds the values up to the first missing or empty key and selects the last entry.
ZKLIB_API BOOL ZkDlg_LoadComboBoxContents(const char* section, QComboBox* box, int max);
ZKLIB_API BOOL ZkDlg_LoadComboBoxContents(const char* section, const char* prefix, QComboBox* box,
                                          int max);
// Removes the keys (with max -1 up to the first missing one) and empties the box.
ZKLIB_API BOOL ZkDlg_ClearComboBoxContents(const char* section, QComboBox* box, int max);
// Removes an entry equal to text (case not told apart), adds text at the end
// and selects it.
ZKLIB_API BOOL ZkDlg_AddUniqueString(QComboBox* box, const char* text);
