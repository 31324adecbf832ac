// The edit menu's undo, cut, copy and paste. With the keyboard focus in a text
// box they are the box's own operations; anywhere else they work on whole
// cards of the list, and only while the list shows. There is no undo of card
// operations. The keys of these commands are the window's, so they act the
// same on every platform, whatever a box or the list would make of them.

#include "views/MainFrame.h"

#include "views/AddrListView.h"
#include "views/ClipboardState.h"
#include "views/CommandIds.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The text box that a focus widget is, or edits through; null for any other.
QWidget* TextBoxOf(QWidget* focus) {
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
        qobject_cast<QTextEdit*>(focus))
        return focus;
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus))
        return spin->findChild<QLineEdit*>();
    return nullptr;
}

bool CanUndo(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->isUndoAvailable();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return !plain->isReadOnly() && plain->document()->isUndoAvailable();
    const auto* text = qobject_cast<const QTextEdit*>(box);
    return text && !text->isReadOnly() && text->document()->isUndoAvailable();
}

bool HasSelection(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->hasSelectedText();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return plain->textCursor().hasSelection();
    const auto* text = qobject_cast<const QTextEdit*>(box);
    return text && text->textCursor().hasSelection();
}

const char* BoxSlot(int id) {
    switch (id) {
    case ID_EDIT_UNDO:
        return "undo";
    case ID_EDIT_CUT:
        return "cut";
    case ID_EDIT_COPY:
        return "copy";
    default:
        return "paste";
    }
}

} // namespace

QWidget* CMainFrame::FocusTextBox() const {
    QWidget* focus = focusWidget();
    return focus && focus != this ? TextBoxOf(focus) : nullptr;
}

void CMainFrame::ConnectEditCommands() {
    m_pClipboard = new CClipboardState(this);
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        OnCommand(id, [this, id] { OnEditCommand(id); });
    connect(m_pClipboard, &CClipboardState::changed, this, &CMainFrame::UpdateEditCommandUI);
    // The rules follow the box that has the focus: its selection, its text
    // and with that what it can undo.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        for (const QMetaObject::Connection& c : m_boxConnections)
            disconnect(c);
        m_boxConnections.clear();
        QWidget* box = FocusTextBox();
        const auto follow = [this](const auto* sender, auto signal) {
            m_boxConnections.push_back(
                connect(sender, signal, this, &CMainFrame::UpdateEditCommandUI));
        };
        if (const auto* line = qobject_cast<QLineEdit*>(box)) {
            follow(line, &QLineEdit::selectionChanged);
            follow(line, &QLineEdit::textChanged);
        } else if (const auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
            follow(plain, &QPlainTextEdit::selectionChanged);
            follow(plain, &QPlainTextEdit::undoAvailable);
        } else if (const auto* text = qobject_cast<QTextEdit*>(box)) {
            follow(text, &QTextEdit::selectionChanged);
            follow(text, &QTextEdit::undoAvailable);
        }
        UpdateEditCommandUI();
    });
}

bool CMainFrame::IsEditEnabled(int id) const {
    if (const QWidget* box = FocusTextBox()) {
        switch (id) {
        case ID_EDIT_UNDO:
            return CanUndo(box);
        case ID_EDIT_PASTE:
            return m_pClipboard->HasText();
        default:
            return HasSelection(box);
        }
    }
    if (id == ID_EDIT_UNDO || m_nActiveSlot != SLOT_LIST)
        return false;
    return id == ID_EDIT_PASTE ? m_pClipboard->HasCards() : m_pList->GetSelectedCount() > 0;
}

void CMainFrame::UpdateEditCommandUI() {
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        Action(id)->setEnabled(IsEnabled(id));
}

void CMainFrame::OnEditCommand(int id) {
    if (QWidget* box = FocusTextBox()) {
        QMetaObject::invokeMethod(box, BoxSlot(id));
        return;
    }
    if (m_nActiveSlot != SLOT_LIST)
        return;
    switch (id) {
    case ID_EDIT_CUT:
        m_pList->OnEditCut();
        break;
    case ID_EDIT_COPY:
        m_pList->OnEditCopy();
        break;
    case ID_EDIT_PASTE:
        m_pList->OnEditPaste();
        break;
    default:
        break;
    }
}
