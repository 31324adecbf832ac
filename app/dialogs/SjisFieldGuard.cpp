#include "app/dialogs/SjisFieldGuard.h"

#include "app/dialogs/SjisText.h"
#include "platform/UserInteraction.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

namespace {

const QColor kMarkColor(255, 224, 224);

bool Storable(const QString& text, cp932::Error* error = nullptr) {
    CString ignored;
    return QStringToSjis(text, ignored, error);
}

} // namespace

CSjisFieldGuard::CSjisFieldGuard(QObject* parent) : QObject(parent) {}

QString CSjisFieldGuard::FieldText(const QWidget* field) {
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(field))
        return text->toPlainText();
    return {};
}

void CSjisFieldGuard::SetFieldText(QWidget* field, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->setPlainText(text);
}

void CSjisFieldGuard::Watch(QWidget* field) {
    field->installEventFilter(this);
    if (auto* line = qobject_cast<QLineEdit*>(field))
        connect(line, &QLineEdit::textChanged, this, [this, field] { UpdateMark(field); });
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        connect(plain, &QPlainTextEdit::textChanged, this, [this, field] { UpdateMark(field); });
    connect(field, &QObject::destroyed, this, [this, field] { m_marked.remove(field); });
}

void CSjisFieldGuard::UpdateMark(QWidget* field) {
    cp932::Error error;
    const bool storable = Storable(FieldText(field), &error);
    const bool marked = m_marked.contains(field);
    if (storable && marked) {
        const Saved saved = m_marked.take(field);
        field->setPalette(saved.palette);
        field->setToolTip(saved.toolTip);
    } else if (!storable) {
        if (!marked)
            m_marked.insert(field, {field->palette(), field->toolTip()});
        QPalette p = m_marked.value(field).palette;
        p.setColor(QPalette::Base, kMarkColor);
        field->setPalette(p);
        field->setToolTip(QString::fromStdString(UnstorableCharMessage(error)));
    }
}

bool CSjisFieldGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that goes to another window (a message box, another program)
        // or away with a hidden form is not the user leaving the field.
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason: {
            auto* field = static_cast<QWidget*>(watched);
            if (m_marked.contains(field))
                QTimer::singleShot(0, this, [this, f = QPointer<QWidget>(field)] { CheckLeft(f); });
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CSjisFieldGuard::CheckLeft(QPointer<QWidget> field) {
    if (!field || m_bRefusing || !field->isVisible() || field->hasFocus())
        return;
    const QString text = FieldText(field);
    if (!Storable(text))
        Refuse(field, text);
}

BOOL CSjisFieldGuard::Convert(QWidget* field, CString& out) {
    const QString text = FieldText(field);
    if (QStringToSjis(text, out))
        return TRUE;
    Refuse(field, text);
    return FALSE;
}

void CSjisFieldGuard::Refuse(QWidget* field, const QString& text) {
    cp932::Error error;
    Storable(text, &error);
    UpdateMark(field);
    m_bRefusing = true;
    AfxMessageBoxUtf8(UnstorableCharMessage(error), MB_OK | MB_ICONEXCLAMATION);
    m_bRefusing = false;
    // Back into the field, with the character selected so that it can be replaced.
    const qsizetype at = UnstorablePosition(text, error);
    const qsizetype length = at < text.size() && text.at(at).isHighSurrogate() ? 2 : 1;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setSelection(static_cast<int>(at), static_cast<int>(length));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        QTextCursor cursor = plain->textCursor();
        cursor.setPosition(static_cast<int>(at));
        cursor.setPosition(static_cast<int>(at + length), QTextCursor::KeepAnchor);
        plain->setTextCursor(cursor);
    }
}
