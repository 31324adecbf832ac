#pragma once
// The options sheet's search page.

#include "platform/Types.h"

#include <QWidget>

class QCheckBox;

class COptFindPage : public QWidget {
    Q_OBJECT
public:
    explicit COptFindPage(QWidget* parent = nullptr);

    BOOL UpdateData(BOOL bSaveAndValidate);

    BOOL m_bMatchCase = FALSE;

private:
    QCheckBox* m_pMatchCase;
};
