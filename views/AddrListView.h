#pragma once
// The card list: one row per card of the book that passes the current filter
// or search text, sorted by the column the user picked. Selecting a row makes
// its card current; the list is where cards are removed from the book. It
// owns the current page layout and the two print fonts, and prints its rows as
// labels; it owns the two copy layouts and copies, cuts and pastes cards.

#include "doc/KolvaneView.h"
#include "model/CardFilter.h"
#include "print/PageLayout.h"
#include "print/PrintFonts.h"
#include "transfer/CopyLayout.h"

#include <QTreeView>

#include <vector>

class CKolvaneDoc;
class CCardListModel;
class CPagePlan;

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
    // Selects the card's row alone, makes the card current and scrolls to it;
    // false when the list does not show the card.
    bool SelectCard(CAddrCard* card);
    void DeselectAll();
    int GetSelectedCount() const;
    BOOL HasMultipleSelection() const { return GetSelectedCount() >= 2; }
    // Deletes every selected card; the callers ask first.
    void DeleteSelected();

    int GetRowCount() const;
    int GetSortKey() const { return m_filter.GetSortKey(); }
    int GetFilter() const { return m_filter.GetFilter(); }
    CCardListModel& Model() const { return *m_pModel; }

    // AddrListViewPrint.cpp. Pages are counted from the cards that print: the
    // rows of the list, or the selected rows in list order.
    void OnFilePrint();
    void OnFilePrintPreview();
    // Addresses the selected cards when more than one is selected, else the
    // listed ones, on postcards or envelopes.
    void OnFilePostcards();
    void OnFilePrintSetup();
    void OnFilePageSetup();
    const CPageLayout& PageLayout() const { return m_pageLayout; }
    void SetPageLayout(const CPageLayout& layout) { m_pageLayout.CopyFrom(layout); }
    const CPrintFonts& PrintFonts() const { return m_printFonts; }
    // The export command: the export dialog over all, the listed or the
    // selected cards, and the cards written as it chose.
    void OnFileExport();
    // The vCard export command (AddrListViewVCard.cpp): the same choice of cards.
    void OnFileVCardExport();

    // AddrListViewClipboard.cpp. Copy puts the selected cards on the clipboard
    // as cards, with the book's contact methods, and as text made by the copy
    // layout of each card's notation; false when the clipboard did not take
    // them. Cut deletes the cards only once the clipboard holds them. Paste
    // appends the clipboard's cards to the book and selects them, or shows why
    // the clipboard's content was refused and adds nothing.
    bool OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // The copy settings sheet on the two copy layouts.
    void OnCopySettings();
    // Read from the settings when the list is made, written when it goes.
    CCopyLayout& JapaneseCopyLayout() { return m_copyJapanese; }
    CCopyLayout& EnglishCopyLayout() { return m_copyEnglish; }

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
    std::vector<const CAddrCard*> ListedCards() const;
    std::vector<const CAddrCard*> SelectedCards() const;
    // The cards an export dialog's range names: 0 every card in book order,
    // 1 the listed ones, 2 the selected ones, in row order.
    std::vector<const CAddrCard*> CardsOfExportRange(int range) const;
    void PrintLabels(const CPagePlan& plan, const std::vector<int>& pages);
    // Rows for those of the new cards the filter lets through, one sort, and
    // the rows selected.
    void InsertPastedCards(const std::vector<CAddrCard*>& cards);

    CKolvaneDoc& m_doc;
    CCardListModel* m_pModel;
    CCardFilter m_filter;
    bool m_bUnmatchable = false;
    CPageLayout m_pageLayout;
    CPrintFonts m_printFonts;
    CCopyLayout m_copyJapanese;
    CCopyLayout m_copyEnglish;
};
