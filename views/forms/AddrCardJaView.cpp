#include "views/forms/AddrCardJaView.h"

#include "views/forms/SlotMethodList.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

CAddrCardJaView::CAddrCardJaView(CKolvaneDoc& doc, QWidget* parent)
    : CAddrCardForm(NOTATION_JAPANESE, doc, parent) {
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
