#include "views/dialogs/SjisFieldGuard.h"

#include "platform/UserInteraction.h"
#include "views/dialogs/SjisText.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <limits>

namespace {

const QColor kMarkColor(255, 224, 224);

bool Storable(const QString& text, cp932::Error* error = nullptr) {
    CString ignored;
    return QStringToSjis(text, ignored, error);
}

bool IsMultiLine(const QWidget* field) {
    return qobject_cast<const QPlainTextEdit*>(field) != nullptr;
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

void CSjisFieldGuard::Watch(QWidget* field) {
    field->installEventFilter(this);
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        // Card texts have no length limit of their own.
        line->setMaxLength(std::numeric_limits<int>::max());
        connect(line, &QLineEdit::textChanged, this, [this, field] { UpdateMark(field); });
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        connect(plain, &QPlainTextEdit::textChanged, this, [this, field] { UpdateMark(field); });
    }
    connect(field, &QObject::destroyed, this, [this, field] {
        m_marked.remove(field);
        m_shown.remove(field);
    });
}

void CSjisFieldGuard::Show(QWidget* field, const CString& sjis) {
    QString text = SjisToQString(sjis);
    if (IsMultiLine(field))
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_bShowing = true;
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->setPlainText(text);
    m_bShowing = false;
    // What the field made of the text is what an untouched field shows.
    m_shown.insert(field, {FieldText(field), sjis});
    UpdateMark(field);
}

bool CSjisFieldGuard::IsUnchanged(const QWidget* field, const QString& text) const {
    const auto shown = m_shown.constFind(field);
    return shown != m_shown.constEnd() && shown->text == text;
}

bool CSjisFieldGuard::IsAcceptable(const QWidget* field, const QString& text) const {
    return IsUnchanged(field, text) || Storable(text);
}

BOOL CSjisFieldGuard::Take(QWidget* field, CString& out) {
    const QString text = FieldText(field);
    if (IsUnchanged(field, text)) {
        out = m_shown.value(field).bytes;
        return TRUE;
    }
    CString converted;
    if (!QStringToSjis(text, converted)) {
        Refuse(field, text);
        return FALSE;
    }
    if (IsMultiLine(field))
        converted.Replace("\n", "\r\n");
    m_shown.insert(field, {text, converted});
    out = converted;
    return TRUE;
}

void CSjisFieldGuard::UpdateMark(QWidget* field) {
    if (m_bShowing)
        return;
    const QString text = FieldText(field);
    const bool acceptable = IsAcceptable(field, text);
    const bool marked = m_marked.contains(field);
    if (acceptable && marked) {
        const Saved saved = m_marked.take(field);
        field->setPalette(saved.palette);
        field->setToolTip(saved.toolTip);
    } else if (!acceptable) {
        if (!marked)
            m_marked.insert(field, {field->palette(), field->toolTip()});
        QPalette p = m_marked.value(field).palette;
        p.setColor(QPalette::Base, kMarkColor);
        field->setPalette(p);
        cp932::Error error;
        Storable(text, &error);
        field->setToolTip(QString::fromStdString(UnstorableCharMessage(error)));
    }
}

bool CSjisFieldGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that goes to another window (a message box, another program)
        // is not the user leaving the field.
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
    // A hidden field was not left by the user: its form was put away.
    if (!field || m_bRefusing || !field->isVisible() || field->hasFocus())
        return;
    const QString text = FieldText(field);
    if (!IsAcceptable(field, text))
        Refuse(field, text);
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
