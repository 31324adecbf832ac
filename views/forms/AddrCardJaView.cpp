#include "views/forms/AddrCardJaView.h"

#include "doc/PostalTable.h"
#include "res/AppStrings.h"
#include "views/dialogs/SjisText.h"
#include "views/forms/SlotMethodList.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QToolButton>

namespace {

constexpr UINT IDS_POSTAL_UNKNOWN = 431;
constexpr UINT IDS_POSTAL_OFFER = 432;
constexpr UINT IDS_POSTAL_SEARCH = 433;
constexpr UINT IDS_POSTAL_CHOOSE_TITLE = 434;
constexpr UINT IDS_POSTAL_CHOOSE = 435;

QString AppText(UINT id) {
    return SjisToQString(LoadAppString(id));
}

// Replaces the whole text as one step that the box's undo takes back.
void ReplaceUndoably(QPlainTextEdit* box, const QString& text) {
    QTextCursor cursor(box->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}

} // namespace

CAddrCardJaView::CAddrCardJaView(CKolvaneDoc& doc, QWidget* parent)
    : CAddrCardForm(NOTATION_JAPANESE, doc, parent), m_pPostalTable(&BundledPostalTable()) {
    AddCaption("furiganaCaption", "ふりがな", {6, 8, 47, 8});
    AddCaption("nameCaption", "名前", {6, 24, 47, 8});
    AddCaption("companyCaption", "会社名", {6, 40, 47, 8});
    AddCaption("titleCaption", "部署", {6, 56, 47, 8});
    AddCaption("zipCaption", "郵便番号", {6, 72, 47, 8});
    AddCaption("addressCaption", "住所", {6, 88, 47, 8});
    QLineEdit* furigana =
        AddLineEdit("furiganaEdit", {57, 7, 170, 12}, m_strFurigana, &CAddrCard::m_strFurigana);
    QLineEdit* name = AddLineEdit("nameEdit", {57, 23, 170, 12}, m_strName, &CAddrCard::m_strName);
    QLineEdit* company =
        AddLineEdit("companyEdit", {57, 39, 170, 12}, m_strCompany, &CAddrCard::m_strCompany);
    QLineEdit* title =
        AddLineEdit("titleEdit", {57, 55, 170, 12}, m_strTitle, &CAddrCard::m_strTitle);
    QLineEdit* zip = AddLineEdit("zipEdit", {57, 71, 170, 12}, m_strZip, &CAddrCard::m_strZip);
    QPlainTextEdit* address =
        AddTextBox("addressEdit", {57, 87, 170, 36}, false, m_strAddress, &CAddrCard::m_strAddress);
    m_pZip = zip;
    m_pCompany = company;
    m_pAddress = address;
    m_pAddressSearch = new QToolButton(this);
    m_pAddressSearch->setObjectName(QStringLiteral("addressSearch"));
    m_pAddressSearch->setText(QStringLiteral("〒"));
    m_pAddressSearch->setAutoRaise(true);
    m_pAddressSearch->setToolTip(AppText(IDS_POSTAL_SEARCH).section(QLatin1Char('\n'), 1));
    m_pAddressSearch->setStatusTip(AppText(IDS_POSTAL_SEARCH).section(QLatin1Char('\n'), 0, 0));
    m_pAddressSearch->setFocusPolicy(Qt::NoFocus);
    m_pAddressSearch->setGeometry(DialogUnits().Rect(229, 72, 9, 10));
    connect(m_pAddressSearch, &QToolButton::clicked, this,
            [this] { FillAddressFromPostalCode(true); });
    // Only a code the user changed is looked up on leaving it, so that moving
    // through the fields of a card never offers anything; a form being hidden
    // has been committed already and asks nothing.
    connect(zip, &QLineEdit::editingFinished, this, [this] {
        if (!m_pZip->isModified() || !isVisible())
            return;
        m_pZip->setModified(false);
        FillAddressFromPostalCode(false);
    });
    QFrame* line1115 = AddLine("line1115", 19);
    QFrame* line1092 = AddLine("line1092", 35);
    QFrame* line1094 = AddLine("line1094", 51);
    QFrame* line1093 = AddLine("line1093", 67);
    QFrame* line1097 = AddLine("line1097", 84);
    QFrame* line1095 = AddLine("line1095", 123);

    AddSlots({6, 47, 2, 54, 57, 170, 126, {137, 153, 169, 185, 201, 217, 233, 249}});
    QToolButton* plus = AddSlotButtonAt({229, 126, 9, 10});

    CCaptionLabel* otherCaption = AddCaption("otherCaption", "備考", {6, 254, 47, 8});
    QPlainTextEdit* other =
        AddTextBox("otherEdit", {56, 253, 182, 32}, true, m_strOther, &CAddrCard::m_strOther);
    CCaptionLabel* notesCaption = AddCaption("notesCaption", "ﾒﾓ", {6, 290, 47, 8});
    QPlainTextEdit* notes =
        AddTextBox("notesEdit", {56, 289, 182, 24}, true, m_strNotes, &CAddrCard::m_strNotes);
    QFrame* line1111 = AddLine("line1111", 285);
    AddOtherAndNotes(other, otherCaption, notes, notesCaption, line1111);
    SetFirstField(furigana);

    Anchor({furigana, line1115, name, line1092, company, line1094, title, line1093, zip, line1097,
            address, line1095},
           ANCHOR_SIZE_X);
    Anchor({m_pAddressSearch}, ANCHOR_MOVE_X);
    AnchorCommonControls();

    // The method lists come first, as in the form's template; they are hidden
    // until a caption is clicked, so the focus starts with the reading.
    QWidget* previous = SlotList(0);
    for (int i = 1; i < kSlotCount; ++i) {
        ChainTabOrder({previous, SlotList(i)});
        previous = SlotList(i);
    }
    ChainTabOrder({previous, furigana, name, company, title, zip, address});
    previous = address;
    for (int i = 0; i < kSlotCount; ++i) {
        ChainTabOrder({previous, SlotEdit(i)});
        previous = SlotEdit(i);
    }
    ChainTabOrder({previous, other, notes, plus});
}

void CAddrCardJaView::FillAddressFromPostalCode(bool explicitRequest) {
    const QString typed = m_pZip->text();
    CString code;
    if (typed.trimmed().isEmpty()) {
        ShowPostalHint(QString());
        return;
    }
    // A character the book cannot hold is no code; the field is marked for it.
    if (!QStringToSjis(typed, code))
        return;
    if (const auto error = m_pPostalTable->Load()) {
        ShowPostalHint(QString::fromStdString(error->GetText()).trimmed());
        return;
    }
    const std::vector<CPostalRow> rows = m_pPostalTable->Find(code.view());
    if (rows.empty()) {
        ShowPostalHint(AppText(IDS_POSTAL_UNKNOWN).arg(typed.trimmed()));
        return;
    }
    const bool addressTyped = !m_pAddress->toPlainText().trimmed().isEmpty();
    if (addressTyped && !explicitRequest) {
        // A typed address that already fits the code is left without a word.
        CString typedAddress;
        if (QStringToSjis(m_pAddress->toPlainText(), typedAddress) &&
            m_pPostalTable->CheckAddress(code.view(), typedAddress.view()) ==
                CPostalCodeTable::Check::kPlausible) {
            ShowPostalHint(QString());
            return;
        }
        ShowPostalHint(AppText(IDS_POSTAL_OFFER).arg(SjisToQString(rows.front().Address())));
        return;
    }
    const CPostalRow* row = ChooseRow(rows, typed.trimmed());
    if (!row)
        return;
    ShowPostalHint(QString());
    ReplaceUndoably(m_pAddress, SjisToQString(row->Address()));
    if (!row->strOffice.IsEmpty() && m_pCompany->text().isEmpty()) {
        m_pCompany->selectAll();
        m_pCompany->insert(SjisToQString(row->strOffice)); // undoable, unlike setText
    }
}

const CPostalRow* CAddrCardJaView::ChooseRow(const std::vector<CPostalRow>& rows,
                                             const QString& code) {
    if (rows.size() == 1)
        return &rows.front();
    QStringList items;
    for (const CPostalRow& row : rows) {
        QString item = SjisToQString(row.Address());
        if (!row.strOffice.IsEmpty())
            item += QStringLiteral("　") + SjisToQString(row.strOffice);
        items << item;
    }
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(this, AppText(IDS_POSTAL_CHOOSE_TITLE),
                              AppText(IDS_POSTAL_CHOOSE).arg(code), items, 0, false, &ok);
    const qsizetype index = ok ? items.indexOf(chosen) : -1;
    return index < 0 ? nullptr : &rows[static_cast<size_t>(index)];
}

void CAddrCardJaView::ShowPostalHint(const QString& text) {
    m_pZip->setToolTip(text);
    // The main window shows a status tip in its status bar.
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(this, &tip);
}
