#pragma once
// Text fields for Shift_JIS text. A field shows text from its bytes and hands
// back the same bytes while the user leaves it as it is, even bytes the code
// page does not define. A field holding a character that code page 932 cannot
// hold is marked, cannot be left until it is fixed, and the message names the
// character; the typed text is never changed. A multi-line field stores its
// line breaks as CR LF.

#include "platform/CString.h"

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QWidget;

class CSjisFieldGuard : public QObject {
    Q_OBJECT
public:
    explicit CSjisFieldGuard(QObject* parent = nullptr);

    // field is a QLineEdit or a QPlainTextEdit.
    void Watch(QWidget* field);
    // Puts the text of sjis into the field.
    void Show(QWidget* field, const CString& sjis);
    // The field's text in Shift_JIS. FALSE, with out untouched, after the
    // message and with the focus on the field and the character selected.
    BOOL Take(QWidget* field, CString& out);
    bool IsMarked(const QWidget* field) const { return m_marked.contains(field); }

    static QString FieldText(const QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsUnchanged(const QWidget* field, const QString& text) const;
    bool IsAcceptable(const QWidget* field, const QString& text) const;
    void UpdateMark(QWidget* field);
    void CheckLeft(QPointer<QWidget> field);
    void Refuse(QWidget* field, const QString& text);

    struct Shown {
        QString text;
        CString bytes;
    };
    struct Saved {
        QPalette palette;
        QString toolTip;
    };
    QHash<const QWidget*, Shown> m_shown;
    QHash<const QWidget*, Saved> m_marked;
    bool m_bRefusing = false;
    bool m_bShowing = false;
};
