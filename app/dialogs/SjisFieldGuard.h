#pragma once
// Guards text fields against characters that code page 932 cannot hold: such a
// field is marked while it holds one, cannot be left until it is fixed, and
// the message names the character. The typed text is never changed.

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
    // The field's text in Shift_JIS. FALSE, with out untouched, after the
    // message and with the focus on the field and the character selected.
    BOOL Convert(QWidget* field, CString& out);
    bool IsMarked(const QWidget* field) const { return m_marked.contains(field); }

    static QString FieldText(const QWidget* field);
    static void SetFieldText(QWidget* field, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateMark(QWidget* field);
    void CheckLeft(QPointer<QWidget> field);
    void Refuse(QWidget* field, const QString& text);

    struct Saved {
        QPalette palette;
        QString toolTip;
    };
    QHash<const QWidget*, Saved> m_marked;
    bool m_bRefusing = false;
};
