#include "views/forms/AddrCardEnView.h"

#include "views/forms/SlotMethodList.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

CAddrCardEnView::CAddrCardEnView(CKolvaneDoc& doc, QWidget* parent)
    : CAddrCardForm(NOTATION_ENGLISH, doc, parent) {
    AddCaption("nameCaption", "Name", {6, 8, 44, 8});
    AddCaption("titleCaption", "Title", {6, 24, 44, 8});
    AddCaption("companyCaption", "Company", {6, 39, 44, 8});
    AddCaption("addressCaption", "Address", {6, 57, 44, 8});
    QLineEdit* name = AddLineEdit("nameEdit", {53, 7, 170, 12}, m_strName, &CAddrCard::m_strName);
    QLineEdit* title =
        AddLineEdit("titleEdit", {53, 23, 170, 12}, m_strTitle, &CAddrCard::m_strTitle);
    QLineEdit* company =
        AddLineEdit("companyEdit", {53, 39, 170, 12}, m_strCompany, &CAddrCard::m_strCompany);
    QPlainTextEdit* address =
        AddTextBox("addressEdit", {53, 55, 170, 36}, false, m_strAddress, &CAddrCard::m_strAddress);
    QFrame* line1092 = AddLine("line1092", 19);
    QFrame* line1093 = AddLine("line1093", 35);
    QFrame* line1094 = AddLine("line1094", 51);
    QFrame* line1095 = AddLine("line1095", 91);

    AddSlots({6, 44, 2, 49, 53, 170, 96, {107, 124, 140, 156, 172, 189, 204, 220}});
    QToolButton* plus = AddSlotButtonAt({229, 95, 9, 10});

    CCaptionLabel* otherCaption = AddCaption("otherCaption", "Other", {6, 225, 44, 8});
    QPlainTextEdit* other =
        AddTextBox("otherEdit", {53, 223, 185, 32}, true, m_strOther, &CAddrCard::m_strOther);
    CCaptionLabel* notesCaption = AddCaption("notesCaption", "Notes", {6, 260, 44, 8});
    QPlainTextEdit* notes =
        AddTextBox("notesEdit", {53, 258, 185, 55}, true, m_strNotes, &CAddrCard::m_strNotes);
    QFrame* line1111 = AddLine("line1111", 257);
    AddOtherAndNotes(other, otherCaption, notes, notesCaption, line1111);
    SetFirstField(name);

    Anchor({name, line1092, title, line1093, company, line1094, address, line1095}, ANCHOR_SIZE_X);
    AnchorCommonControls();

    ChainTabOrder({name, title, company, address});
    QWidget* previous = address;
    for (int i = 0; i < kSlotCount; ++i) {
        ChainTabOrder({previous, SlotList(i), SlotEdit(i)});
        previous = SlotEdit(i);
    }
    ChainTabOrder({previous, other, notes, plus});
}
