#pragma once
// What the Japanese and the English card form share: the controls placed at
// their design positions in dialog units, the exchange between controls and
// the current card, the eight contact slots, and resizing with anchors. A form
// shows the document's current card, never owns it, and writes it back only when
// committed (SaveToCard).

#include "doc/KolvaneDoc.h"
#include "views/CardForm.h"
#include "views/controls/DialogUnits.h"
#include "views/controls/ResizeAnchors.h"

#include <QWidget>

#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

class CCaptionLabel;
class CSjisFieldGuard;
class CSlotMethodList;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// A control's place in dialog units.
struct DluRect {
    int x;
    int y;
    int w;
    int h;
};

class CAddrCardForm : public QWidget, public ICardForm {
    Q_OBJECT
public:
    static constexpr int kSlotCount = 8;
    // A slot that stands for no particular method: its caption is looked up.
    static constexpr int kNoMethod = std::numeric_limits<int>::min();

    ~CAddrCardForm() override;

    QWidget* Widget() override { return this; }
    int Notation() const override { return m_nNotation; }
    QSize DesignSize() const override;
    QSize FullSize() const override;
    // The design width, and the height the shown slots need with the other
    // and the notes box at their design heights.
    QSize minimumSizeHint() const override;
    void SetupControls() override;
    // Shows the current card (empty fields when there is none) and sets the
    // card's notation to the form's.
    void LoadFromCard() override;
    // FALSE, with the card untouched, when a field holds a character code page
    // 932 cannot hold (the user has been told and the field has the focus).
    // Otherwise writes the form into the current card, creating one when there
    // is none and the form holds something, and announces it: hint 100, or
    // hints 101 and 102 when the card is left empty.
    BOOL SaveToCard() override;
    void OnUpdate(IKolvaneView* sender, int hint, CAddrCard* card) override;

    void LoadSlotCaptions();
    void LayoutSlots();
    void AddSlot();
    void OpenSlotList(int i);
    void CloseSlotList(int i);

    int VisibleSlots() const { return m_nVisibleSlots; }
    CCaptionLabel* SlotCaption(int i) const { return m_slots[static_cast<size_t>(i)].caption; }
    CSlotMethodList* SlotList(int i) const { return m_slots[static_cast<size_t>(i)].list; }
    QLineEdit* SlotEdit(int i) const { return m_slots[static_cast<size_t>(i)].edit; }
    QToolButton* AddSlotButton() const { return m_pAddSlot; }
    QPlainTextEdit* OtherEdit() const { return m_pOther; }
    QPlainTextEdit* NotesEdit() const { return m_pNotes; }
    // Shown while the card has more contact entries than the eight slots.
    QLabel* MoreContactsNotice() const { return m_pMoreContacts; }
    const CDialogUnits& DialogUnits() const { return m_dlu; }

protected:
    CAddrCardForm(int notation, CKolvaneDoc& doc, QWidget* parent);

    // Building blocks for the forms' templates, in template order.
    CCaptionLabel* AddCaption(const char* name, const char* text, DluRect place);
    QLineEdit* AddLineEdit(const char* name, DluRect place, CString& member,
                           CZkString CAddrCard::*field);
    QPlainTextEdit* AddTextBox(const char* name, DluRect place, bool scrollBar, CString& member,
                               CZkString CAddrCard::*field);
    QFrame* AddLine(const char* name, int y);
    struct SlotPlaces {
        int captionX, captionWidth, listX, listWidth, editX, editWidth;
        int firstCaptionY;                  // slot k's controls stand 16(k-1) lower
        std::array<int, kSlotCount> lineYs; // the separator below each slot
    };
    void AddSlots(const SlotPlaces& places);
    void AddOtherAndNotes(QPlainTextEdit* other, CCaptionLabel* otherCaption, QPlainTextEdit* notes,
                          CCaptionLabel* notesCaption, QFrame* notesLine);
    QToolButton* AddSlotButtonAt(DluRect place);
    void Anchor(std::initializer_list<QWidget*> controls, UINT flags);
    // The "+" button, the slots, other and notes, anchored alike in both forms.
    void AnchorCommonControls();
    // The focus moves through the controls in this order.
    void ChainTabOrder(std::initializer_list<QWidget*> controls);
    void SetFirstField(QWidget* field) { m_pFirstField = field; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Field {
        QWidget* edit;
        CString* member;
        CZkString CAddrCard::*cardField;
    };
    struct Slot {
        CCaptionLabel* caption = nullptr;
        CSlotMethodList* list = nullptr;
        QLineEdit* edit = nullptr;
        QFrame* line = nullptr;
    };

    BOOL UpdateData(BOOL bSaveAndValidate);
    BOOL IsFormEmpty() const;
    void CopyIntoCard(CAddrCard& card) const;
    void SaveContacts(CAddrCard& card) const;
    int ResolveSlotMethod(int i) const;
    CString MethodName(int id) const;
    int FindMethod(const char* name) const;
    void RefreshSlotCaptions();
    void UpdateMoreContactsNotice();
    int HeightFor(int shown) const;

    const int m_nNotation;
    CKolvaneDoc& m_doc;
    CDialogUnits m_dlu;
    CSjisFieldGuard* m_pGuard;
    CResizeAnchors m_anchors;
    std::vector<std::pair<QWidget*, UINT>> m_anchorPlan;
    bool m_bSetUp = false;

    std::vector<CCaptionLabel*> m_captions;
    std::vector<Field> m_fields;
    std::array<Slot, kSlotCount> m_slots;
    CCaptionLabel* m_pOtherCaption = nullptr;
    QPlainTextEdit* m_pOther = nullptr;
    CCaptionLabel* m_pNotesCaption = nullptr;
    QPlainTextEdit* m_pNotes = nullptr;
    QFrame* m_pNotesLine = nullptr;
    QToolButton* m_pAddSlot = nullptr;
    QLabel* m_pMoreContacts = nullptr;
    QWidget* m_pFirstField = nullptr;
    int m_nOtherCaptionDrop = 0; // how far a caption stands below its edit in the design
    int m_nNotesCaptionDrop = 0;
    int m_nOtherHeight = 0; // the other and the notes box's heights in the design
    int m_nNotesHeight = 0;

    // The slots: captions (method names in the form's language), texts, and
    // the method each slot stands for (kNoMethod: look the caption up).
    std::array<CString, kSlotCount> m_strSlotCaption;
    std::array<CString, kSlotCount> m_strSlotText;
    std::array<int, kSlotCount> m_nSlotMethod{};
    int m_nVisibleSlots = 2;

    // The card as the form last loaded or saved it, to tell whether a commit
    // changed it; the entries beyond the eighth, kept as they are.
    CAddrCard* m_pShownCard = nullptr;
    std::optional<CAddrCard> m_shownState;
    std::vector<AddrContact> m_extraContacts;
};
