#pragma once
// A window that shows a message and a progress bar, and optionally an abort
// button, while a long loop runs on the user-interface thread. The loop moves
// the bar (SetPos, StepIt) and lets the window live (PeekAndPump); it stops
// when IsAborted says so. The window is modal to its parent window only while
// shown, so the parent never has to be disabled and enabled again by hand.
// Every setter may be called before Create: the value is kept and shown then.

#include "platform/CString.h"
#include "platform/Types.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class ZKLIB_API CZkProgressDlg : public QDialog {
    Q_OBJECT
public:
    CZkProgressDlg();
    ~CZkProgressDlg() override;

    // Shows the window over parent (or alone) without blocking the caller.
    BOOL Create(QWidget* parent = nullptr);
    void Destroy();
    void Show();
    void Hide();

    // printf-style, Shift_JIS; the text is cut to 511 bytes on a character boundary.
    void SetText(const char* format, ...);
    // A string of the program's table.
    void SetText(UINT id);
    void SetRange(int lower, int upper);
    void SetPos(int pos);
    void OffsetPos(int delta);
    void SetStep(int step);
    void StepIt();
    void SetAbortable(BOOL abortable);
    // Handles the events waiting; FALSE once the application is quitting.
    BOOL PeekAndPump();
    BOOL IsAborted() const { return m_bAborted; }

    int GetPos() const { return m_nPos; }

public slots:
    // Escape and the close box leave the window open: only the abort button stops.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowText();
    void ShowRange();

    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 1;
    int m_nPos = 0;
    int m_nLastShown = 0;
    CString m_strText;
    BOOL m_bAbortable = FALSE;
    BOOL m_bAborted = FALSE;
    bool m_bCreated = false;

    QLabel* m_pText;
    QProgressBar* m_pBar;
    QLabel* m_pLower;
    QLabel* m_pUpper;
    QPushButton* m_pAbort;
};
