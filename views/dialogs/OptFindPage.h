#pragma once
// The options sheet's search page.

#include "platform/Types.h"

#include <QWidget>

struct COptions;
class QCheckBox;

class COptFindPage : public QWidget {
    Q_OBJECT
public:
    // Shows and takes the search options of values, which outlives the page.
    explicit COptFindPage(COptions& values, QWidget* parent = nullptr);

    BOOL UpdateData(BOOL bSaveAndValidate);

private:
    COptions& m_values;
    QCheckBox* m_pMatchCase;
};
