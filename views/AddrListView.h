#pragma once
// The card list: one row per card of the book that passes the current filter
// or search text, sorted by the column the user picked. Selecting a row makes
// its card current; the list is where cards are removed from the book.

#include "app/KolvaneView.h"
#include "model/CardFilter.h"

#include <QTreeView>

#include <vector>

class CKolvaneDoc;
class CCardListModel;

class CAddrListView : public QTreeView, public IKolvaneView {
    Q_OBJECT
public:
    CAddrListView(CKolvaneDoc& doc, QWidget* parent = nullptr);
    ~CAddrListView() override;

    // Neither refills the list; RebuildList does.
    void SetSearchText(const char* text);
    // The search text holds a character no card can hold: nothing is listed.
    void SetSearchUnmatchable();
    void SetFilter(int filterId);
    void RebuildList();

    void SelectPrevious();
    void SelectNext();
    void SelectFirst();
    void DeselectAll();
    int GetSelectedCount() const;
    BOOL HasMultipleSelection() const { return GetSelectedCount() >= 2; }
    // Deletes every selected card; the callers ask first.
    void DeleteSelected();

    int GetRowCount() const;
    int GetSortKey() const { return m_filter.GetSortKey(); }
    int GetFilter() const { return m_filter.GetFilter(); }
    CCardListModel& Model() const { return *m_pModel; }

    void OnInitialUpdate() override;
    void OnUpdate(IKolvaneView* sender, int hint, CAddrCard* card) override;

signals:
    // A command for the main window (show the list, show the card form).
    void commandRequested(int id);
    void countChanged(int listed, int total);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnHeaderClicked(int column);
    void OnSelectionChanged(const QItemSelection& selected);
    void OnDoubleClicked(const QModelIndex& index);
    void OnCardChanged(CAddrCard* card);
    void OnCardDeleted(CAddrCard* card);
    void RemoveCards(const std::vector<CAddrCard*>& cards);
    bool IsListed(const CAddrCard& card) const;
    int InsertCard(CAddrCard* card);
    int UpdateCard(CAddrCard* card, int row);
    int FirstSelectedRow() const;
    // Selects and focuses the row, other rows keeping their state.
    void SelectRow(int row);
    void ShowSortIndicator();
    void UpdateCount();

    CKolvaneDoc& m_doc;
    CCardListModel* m_pModel;
    CCardFilter m_filter;
    bool m_bUnmatchable = false;
};
