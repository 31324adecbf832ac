// The list's printing: its rows, or its selected rows, as labels on the current
// page layout, to the application's printer or into the print preview; and the
// choice of the current page layout.

#include "views/AddrListView.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "print/PagePlan.h"
#include "print/PrintCheck.h"
#include "print/PrintMessages.h"
#include "print/PrinterOffset.h"
#include "views/AppPrinter.h"
#include "views/CardListModel.h"
#include "views/CommandIds.h"
#include "views/LabelPreviewDialog.h"
#include "views/LabelPrinter.h"
#include "views/PageSetupDlg.h"

#include <QPrinter>

#include <algorithm>

namespace {

constexpr const char* kCannotStartPrinting = "印刷を開始できませんでした。";

} // namespace

std::vector<const CAddrCard*> CAddrListView::ListedCards() const {
    const std::vector<CAddrCard*>& rows = m_pModel->Rows();
    return {rows.begin(), rows.end()};
}

std::vector<const CAddrCard*> CAddrListView::SelectedCards() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<const CAddrCard*> cards;
    cards.reserve(rows.size());
    for (int row : rows)
        cards.push_back(m_pModel->CardAt(row));
    return cards;
}

void CAddrListView::OnFilePrint() {
    const std::vector<const CAddrCard*> listed = ListedCards();
    if (!CheckCanPrint(m_pageLayout, static_cast<int>(listed.size())))
        return;
    const int cells = m_pageLayout.GetCellCount();
    std::vector<const CAddrCard*> selected = SelectedCards();
    PrintPrompt prompt;
    prompt.lastPage = CPagePlan(listed, cells).GetPageCount();
    prompt.selectionEnabled = !selected.empty();
    const std::optional<PrintChoice> choice = AfxGetUserInteraction().PromptPrint(prompt);
    if (!choice)
        return;

    QPrinter& printer = AfxGetAppPrinter();
    if (!choice->outputFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qtext::FromPath(choice->outputFile));
    } else if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setOutputFileName(QString());
    }
    const bool selection = choice->range == PrintChoice::Range::selection && !selected.empty();
    const CPagePlan plan(selection ? std::move(selected) : listed, cells);
    std::vector<int> pages;
    if (choice->range == PrintChoice::Range::pages) {
        for (const PrintChoice::Pages& range : choice->pages)
            for (int page = std::max(range.from, 1);
                 page <= std::min(range.to, plan.GetPageCount()); ++page)
                pages.push_back(page - 1);
    } else {
        pages = AllPages(plan);
    }
    if (pages.empty()) {
        AfxMessageBoxUtf8(printmsg::kNoCards, MB_ICONINFORMATION);
        return;
    }
    PrintLabels(plan, pages);
}

void CAddrListView::PrintLabels(const CPagePlan& plan, const std::vector<int>& pages) {
    QPrinter& printer = AfxGetAppPrinter();
    SetUpPrinterForLayout(printer, m_pageLayout);
    std::vector<const CAddrCard*> unfit;
    // The printer's calibration moves its pages; a PDF file is not moved.
    const PrintOffset offset = printer.outputFormat() == QPrinter::NativeFormat
                                   ? LoadPrinterOffset(printer.printerName())
                                   : PrintOffset{};
    if (!DrawLabelPages(printer, m_pageLayout, MakeLabelFonts(m_printFonts, kDefaultFontDpi), plan,
                        pages, false, unfit, offset)) {
        AfxMessageBoxUtf8(kCannotStartPrinting, MB_ICONSTOP);
        return;
    }
    ReportUnfitLabels(unfit);
}

void CAddrListView::OnFilePrintPreview() {
    const std::vector<const CAddrCard*> listed = ListedCards();
    if (!CheckCanPrint(m_pageLayout, static_cast<int>(listed.size())))
        return;
    QPrinter& printer = AfxGetAppPrinter();
    SetUpPrinterForLayout(printer, m_pageLayout);
    auto* preview = new CLabelPreviewDialog(printer, window());
    preview->setAttribute(Qt::WA_DeleteOnClose);
    const CPagePlan plan(listed, m_pageLayout.GetCellCount());
    connect(preview, &CLabelPreviewDialog::paintRequested, preview,
            [plan, layout = CPageLayout(m_pageLayout),
             fonts = MakeLabelFonts(m_printFonts, kDefaultFontDpi)](QPrinter* device) {
                std::vector<const CAddrCard*> unfit;
                DrawLabelPages(*device, layout, fonts, plan, AllPages(plan), true, unfit);
            });
    connect(preview, &CLabelPreviewDialog::printRequested, this,
            [this] { emit commandRequested(ID_FILE_PRINT); });
    // The pages show the rows as they were; once the list changes they are stale
    // and their cards may be gone.
    connect(this, &CAddrListView::countChanged, preview, &QWidget::close);
    preview->open();
}

void CAddrListView::OnFilePrintSetup() {
    AfxGetUserInteraction().PromptPrinterSetup();
}

void CAddrListView::OnFilePageSetup() {
    CPageSetupDlg dialog(m_pageLayout, m_printFonts, window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_pageLayout.CopyFrom(dialog.Layout());
    m_printFonts = dialog.Fonts();
    // Kept at once, not only when the window closes.
    m_pageLayout.SaveToProfile();
    m_printFonts.SaveToProfile();
}
