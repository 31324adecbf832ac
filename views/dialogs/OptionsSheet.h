#pragma once
// The options sheet: a general page and a search page over a copy of the
// options. OK takes the values only when the general page accepts them.

#include "doc/Options.h"

#include <QDialog>

class COptFindPage;
class COptGenericPage;
class QTabWidget;

class COptionsSheet : public QDialog {
    Q_OBJECT
public:
    explicit COptionsSheet(const COptions& values, QWidget* parent = nullptr);

    // The values the pages have taken so far; after OK the accepted ones.
    const COptions& Values() const { return m_values; }

    COptGenericPage& GenericPage() const { return *m_pGeneric; }
    COptFindPage& FindPage() const { return *m_pFind; }
    QTabWidget& Tabs() const { return *m_pTabs; }

    void accept() override;

private:
    void OnPageChanged(int index);

    COptions m_values;
    COptGenericPage* m_pGeneric;
    COptFindPage* m_pFind;
    QTabWidget* m_pTabs;
    int m_nCurrentPage = 0;
};

// What pressing OK changed, for the owners to react to.
struct COptionsResult {
    bool bAccepted = false;
    bool bMaxMruChanged = false;    // the recent-file list keeps its length until the next start
    bool bMatchCaseChanged = false; // the caller has the card list refilled (HINT_REBUILD_LIST)
};

// The options command: runs the sheet on a copy of values. On OK the new values
// replace values and, when the number of recent files changed, the user is
// told that it takes effect at the next start. Cancel changes nothing.
COptionsResult RunOptionsSheet(COptions& values, QWidget* parent);
