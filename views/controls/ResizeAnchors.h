#pragma once
// Keeps a form's controls attached to its right edge while the form grows, and
// never shrinks them below the size they have in the form's design. The form
// places its controls down the page itself.

#include "platform/Types.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <vector>

enum : UINT {
    ANCHOR_MOVE_X = 1, // left and right edge follow the parent's right edge
    ANCHOR_SIZE_X = 2, // the right edge follows
};

class CResizeAnchors {
public:
    CResizeAnchors() = default;
    CResizeAnchors(const CResizeAnchors&) = delete;
    CResizeAnchors& operator=(const CResizeAnchors&) = delete;
    // Forgets the entries; the controls stay.
    virtual ~CResizeAnchors();

    // The parent's current size becomes the design size.
    void Attach(QWidget* parent);
    // The controls stand where designSize puts them, whatever the parent's
    // size is now; the next Reposition brings them to the parent's size.
    void Attach(QWidget* parent, const QSize& designSize);
    // FALSE, adding nothing, without a parent or when control is not its child.
    BOOL AddControl(QWidget* control, UINT flags);

    // Moves the controls by the growth beyond the design width since the last call.
    virtual void Reposition();
    virtual void RememberSize();

    QSize DesignSize() const { return m_sizeDesign; }

private:
    struct Entry {
        QPointer<QWidget> control;
        UINT flags;
    };

    QPointer<QWidget> m_pParent;
    QSize m_sizeLast{0, 0};
    QSize m_sizeDesign{0, 0};
    std::vector<Entry> m_entries;
};
