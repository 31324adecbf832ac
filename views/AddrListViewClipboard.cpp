// Copy, cut and paste of whole cards. The clipboard gets one data object
// holding the cards and the book's contact methods in the program's own
// formats and the cards' copy text as plain text; whatever the clipboard
// holds under those names is read as untrusted bytes.

#include "views/AddrListView.h"

#include "doc/KolvaneDoc.h"
#include "doc/UpdateHints.h"
#include "model/CardRules.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "transfer/CardClipboard.h"
#include "views/CardListModel.h"
#include "views/dialogs/CopySetupSheet.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <unordered_set>

namespace {

constexpr UINT IDS_CUT_NOT_TAKEN = 276;

QByteArray Bytes(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

} // namespace

bool CAddrListView::OnEditCopy() {
    const std::vector<const CAddrCard*> cards = SelectedCards();
    if (cards.empty())
        return false;
    std::string text;
    for (const CAddrCard* card : cards) {
        (card->IsEnglish() ? m_copyEnglish : m_copyJapanese).AppendCopyText(*card, text);
        text += "\r\n";
    }
    const QByteArray block = Bytes(WriteCardBlock(cards));
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kCardsMimeName), block);
    data->setData(QString::fromLatin1(kMethodsMimeName),
                  Bytes(WriteMethodBlock(m_doc.GetBook().m_methods)));
    data->setText(qtext::FromSjis(text));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(data);
    // Another program may hold on to the clipboard, or the display refuse it.
    const QMimeData* now = clipboard->mimeData();
    return now && now->data(QString::fromLatin1(kCardsMimeName)) == block;
}

void CAddrListView::OnEditCut() {
    if (GetSelectedCount() == 0)
        return;
    if (!OnEditCopy()) {
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_CUT_NOT_TAKEN));
        return;
    }
    DeleteSelected();
}

void CAddrListView::OnEditPaste() {
    DeselectAll();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString cardsName = QString::fromLatin1(kCardsMimeName);
    const QString methodsName = QString::fromLatin1(kMethodsMimeName);
    if (!data || !data->hasFormat(cardsName))
        return;
    std::vector<std::unique_ptr<CAddrCard>> cards;
    if (const std::optional<CFileError> error = ReadCardBlock(View(data->data(cardsName)), cards)) {
        error->Show();
        return;
    }
    CAddrBook& book = m_doc.GetBook();
    bool methodsAdded = false;
    // Without the copying book's methods the ids keep their numbers.
    if (data->hasFormat(methodsName)) {
        CContactMethodTable source;
        if (const std::optional<CFileError> error =
                ReadMethodBlock(View(data->data(methodsName)), source)) {
            error->Show();
            return;
        }
        methodsAdded = MapMethodIds(cards, source, book.m_methods, book);
    }
    if (cards.empty())
        return;
    std::vector<CAddrCard*> added;
    added.reserve(cards.size());
    for (const auto& card : cards)
        added.push_back(card.get());
    book.AddCards(std::move(cards));
    if (methodsAdded)
        m_doc.UpdateAllViews(this, HINT_CONTACT_METHODS_CHANGED);
    InsertPastedCards(added);
    m_doc.SetCurrentCard(added.back());
    m_doc.SetModifiedFlag();
    UpdateCount();
}

void CAddrListView::InsertPastedCards(const std::vector<CAddrCard*>& cards) {
    m_filter.Invalidate();
    std::vector<CAddrCard*> rows = m_pModel->Rows();
    const size_t before = rows.size();
    for (CAddrCard* card : cards)
        if (IsListed(*card))
            rows.push_back(card);
    if (rows.size() == before)
        return;
    const CAddrCard* last = rows.back();
    const std::unordered_set<const CAddrCard*> pasted(rows.begin() + static_cast<long>(before),
                                                      rows.end());
    SortCards(rows, GetSortKey());
    m_pModel->SetRows(std::move(rows));
    // One range per run of pasted rows: selecting is not a step per card.
    QItemSelection selection;
    const std::vector<CAddrCard*>& shown = m_pModel->Rows();
    const int count = static_cast<int>(shown.size());
    const auto isPasted = [&](int row) {
        return pasted.count(shown[static_cast<size_t>(row)]) != 0;
    };
    for (int row = 0; row < count; ++row) {
        if (!isPasted(row))
            continue;
        const int first = row;
        while (row + 1 < count && isPasted(row + 1))
            ++row;
        selection.select(m_pModel->index(first, 0),
                         m_pModel->index(row, m_pModel->columnCount() - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QModelIndex current = m_pModel->index(m_pModel->RowOf(last), 0);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    scrollTo(current);
}

void CAddrListView::OnCopySettings() {
    RunCopySetupSheet(window(), m_copyJapanese, m_copyEnglish);
}
