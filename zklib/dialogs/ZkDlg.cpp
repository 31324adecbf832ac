#include "zklib/dialogs/ZkDlg.h"

#include "platform/QtText.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <string>

namespace {

// The library's controls by id, as its dialogs name them.
struct NamedId {
    UINT id;
    const char* name;
};
constexpr NamedId kNames[] = {
    {6001, "prompt"},         {6002, "text"},      {6003, "list"},          {6004, "dropList"},
    {6005, "progress"},       {6006, "abort"},     {6007, "progressLower"}, {6008, "progressUpper"},
    {6012, "aboutIcon"},      {6013, "aboutInfo"}, {6014, "aboutVersion"},  {6015, "aboutRights"},
    {6018, "aboutLinkTitle"}, {6019, "aboutLink"},
};

template <class T> T* Item(QWidget* dialog, UINT id) {
    return qobject_cast<T*>(ZkDlg_GetItem(dialog, id));
}

std::string Key(const char* prefix, int i) {
    return prefix ? std::string(prefix) + "-" + std::to_string(i) : "Item" + std::to_string(i);
}

} // namespace

QString ZkDlg_ControlName(UINT id) {
    for (const NamedId& n : kNames)
        if (n.id == id)
            return QString::fromLatin1(n.name);
    return QString::number(id);
}

UINT ZkDlg_ControlId(const QString& name) {
    for (const NamedId& n : kNames)
        if (name == QLatin1String(n.name))
            return n.id;
    bool ok = false;
    const UINT id = name.toUInt(&ok);
    return ok ? id : 0;
}

QWidget* ZkDlg_GetItem(QWidget* dialog, UINT id) {
    return dialog ? dialog->findChild<QWidget*>(ZkDlg_ControlName(id)) : nullptr;
}

BOOL ZkDlg_SetSpinButtonRange(QWidget* dialog, UINT id, int lower, int upper) {
    auto* spin = Item<QSpinBox>(dialog, id);
    if (!spin)
        return FALSE;
    spin->setRange(lower, upper);
    return TRUE;
}

BOOL ZkDlg_GetSpinButtonRange(QWidget* dialog, UINT id, int& lower, int& upper) {
    auto* spin = Item<QSpinBox>(dialog, id);
    if (!spin)
        return FALSE;
    lower = spin->minimum();
    upper = spin->maximum();
    return TRUE;
}

int ZkDlg_SetSpinButtonPos(QWidget* dialog, UINT id, int pos) {
    auto* spin = Item<QSpinBox>(dialog, id);
    if (!spin)
        return -1;
    const int previous = spin->value();
    spin->setValue(pos);
    return previous;
}

int ZkDlg_GetSpinButtonPos(QWidget* dialog, UINT id) {
    auto* spin = Item<QSpinBox>(dialog, id);
    return spin ? spin->value() : -1;
}

BOOL ZkDlg_SetSliderRange(QWidget* dialog, UINT id, int min, int max, BOOL) {
    auto* slider = Item<QAbstractSlider>(dialog, id);
    if (!slider)
        return FALSE;
    slider->setRange(min, max);
    return TRUE;
}

BOOL ZkDlg_GetSliderRange(QWidget* dialog, UINT id, int& min, int& max) {
    auto* slider = Item<QAbstractSlider>(dialog, id);
    if (!slider)
        return FALSE;
    min = slider->minimum();
    max = slider->maximum();
    return TRUE;
}

BOOL ZkDlg_SetSliderPos(QWidget* dialog, UINT id, int pos) {
    auto* slider = Item<QAbstractSlider>(dialog, id);
    if (!slider)
        return FALSE;
    slider->setValue(pos);
    return TRUE;
}

int ZkDlg_GetSliderPos(QWidget* dialog, UINT id) {
    auto* slider = Item<QAbstractSlider>(dialog, id);
    return slider ? slider->value() : -1;
}

BOOL ZkDlg_SetSliderSelection(QWidget* dialog, UINT id, int start, int end) {
    auto* slider = Item<QAbstractSlider>(dialog, id);
    if (!slider)
        return FALSE;
    slider->setProperty("selectionStart", start);
    slider->setProperty("selectionEnd", end);
    return TRUE;
}

namespace {

BOOL SetButtonImage(QWidget* dialog, UINT id, const QString& path) {
    auto* button = Item<QAbstractButton>(dialog, id);
    if (!button)
        return FALSE;
    const QIcon image(path);
    if (image.isNull() || image.availableSizes().isEmpty())
        return FALSE;
    button->setIcon(image);
    return TRUE;
}

} // namespace

BOOL ZkDlg_SetButtonBitmap(QWidget* dialog, UINT id, UINT bitmap) {
    return SetButtonImage(dialog, id, QStringLiteral(":/bitmaps/%1").arg(bitmap));
}

BOOL ZkDlg_SetButtonIcon(QWidget* dialog, UINT id, UINT icon) {
    return SetButtonImage(dialog, id, QStringLiteral(":/icons/%1").arg(icon));
}

BOOL ZkDlg_SetButtonCheck(QWidget* dialog, UINT id, int state) {
    auto* button = Item<QAbstractButton>(dialog, id);
    if (!button || !button->isCheckable() || state < 0 || state > 2)
        return FALSE;
    if (auto* box = qobject_cast<QCheckBox*>(button)) {
        if (state == 2 && !box->isTristate())
            return FALSE;
        box->setCheckState(static_cast<Qt::CheckState>(state));
    } else if (state == 2) {
        return FALSE;
    } else {
        button->setChecked(state == 1);
    }
    return TRUE;
}

int ZkDlg_GetButtonCheck(QWidget* dialog, UINT id) {
    auto* button = Item<QAbstractButton>(dialog, id);
    if (!button)
        return -1;
    if (auto* box = qobject_cast<QCheckBox*>(button))
        return static_cast<int>(box->checkState());
    return button->isChecked() ? 1 : 0;
}

int ZkDlg_AddComboBoxString(QWidget* dialog, UINT id, UINT stringId) {
    auto* box = Item<QComboBox>(dialog, id);
    if (!box)
        return -1;
    box->addItem(qtext::FromSjis(AfxLoadString(stringId)));
    return box->count() - 1;
}

BOOL ZkDlg_SetComboBoxCurSel(QWidget* dialog, UINT id, int index) {
    auto* box = Item<QComboBox>(dialog, id);
    if (!box || index < -1 || index >= box->count())
        return FALSE;
    box->setCurrentIndex(index);
    return TRUE;
}

int ZkDlg_GetComboBoxCurSel(QWidget* dialog, UINT id) {
    auto* box = Item<QComboBox>(dialog, id);
    return box ? box->currentIndex() : -1;
}

BOOL ZkDlg_EnableDlgItem(QWidget* dialog, UINT id, BOOL enable) {
    QWidget* item = ZkDlg_GetItem(dialog, id);
    if (!item)
        return FALSE;
    const BOOL previous = item->isEnabled();
    item->setEnabled(enable != FALSE);
    return previous;
}

BOOL ZkDlg_SetDlgItemIntImmediate(QWidget* dialog, UINT id, UINT value, BOOL isSigned) {
    const QString text =
        isSigned ? QString::number(static_cast<int>(value)) : QString::number(value);
    QWidget* item = ZkDlg_GetItem(dialog, id);
    if (auto* label = qobject_cast<QLabel*>(item))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(item))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(item))
        button->setText(text);
    else
        return FALSE;
    item->repaint();
    return TRUE;
}

int ZkDlg_InitToolTip(QWidget* dialog) {
    if (!dialog)
        return 0;
    int count = 0;
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        const UINT id = ZkDlg_ControlId(child->objectName());
        const CString tip = id ? AfxLoadString(id) : CString();
        if (tip.IsEmpty())
            continue;
        child->setToolTip(qtext::FromSjis(tip));
        ++count;
    }
    return count;
}

namespace {

BOOL SaveContents(const char* section, const char* prefix, QComboBox* box, int max) {
    if (!box)
        return FALSE;
    ISettingsStore& store = AfxGetProfile();
    const int count = box->count();
    const int first = (max != -1 && count > max) ? count - max : 0;
    int key = 0;
    for (int i = first; i < count; ++i) {
        // An entry the store's code page cannot hold is left out rather than
        // saved empty, which would end the history there.
        CString text;
        if (!qtext::ToSjis(box->itemText(i), text) || text.IsEmpty())
            continue;
        if (!store.WriteProfileString(section, Key(prefix, key++).c_str(), text))
            return FALSE;
    }
    // Keys of a longer history saved before would come back on the next load.
    for (;; ++key) {
        const std::string name = Key(prefix, key);
        if (store.GetProfileString(section, name.c_str()).IsEmpty())
            break;
        store.RemoveKey(section, name.c_str());
    }
    return TRUE;
}

BOOL LoadContents(const char* section, const char* prefix, QComboBox* box, int max) {
    if (!box)
        return FALSE;
    const int countBefore = box->count();
    for (int i = 0; max == -1 || i < max; ++i) {
        const CString text = AfxGetProfile().GetProfileString(section, Key(prefix, i).c_str());
        if (text.IsEmpty())
            break;
        const int before = box->count();
        box->addItem(qtext::FromSjis(text));
        if (box->count() == before)
            return FALSE;
    }
    if (box->count() > countBefore)
        box->setCurrentIndex(box->count() - 1);
    return TRUE;
}

} // namespace

BOOL ZkDlg_SaveComboBoxContents(const char* section, QComboBox* box, int max) {
    return SaveContents(section, nullptr, box, max);
}

BOOL ZkDlg_SaveComboBoxContents(const char* section, const char* prefix, QComboBox* box, int max) {
    return SaveContents(section, prefix, box, max);
}

BOOL ZkDlg_LoadComboBoxContents(const char* section, QComboBox* box, int max) {
    return LoadContents(section, nullptr, box, max);
}

BOOL ZkDlg_LoadComboBoxContents(const char* section, const char* prefix, QComboBox* box, int max) {
    return LoadContents(section, prefix, box, max);
}

BOOL ZkDlg_ClearComboBoxContents(const char* section, QComboBox* box, int max) {
    ISettingsStore& store = AfxGetProfile();
    for (int i = 0; max == -1 || i < max; ++i) {
        const std::string key = Key(nullptr, i);
        if (max == -1 && store.GetProfileString(section, key.c_str()).IsEmpty())
            break;
        store.RemoveKey(section, key.c_str());
    }
    if (box)
        box->clear();
    return TRUE;
}

BOOL ZkDlg_AddUniqueString(QComboBox* box, const char* text) {
    if (!box || !text)
        return FALSE;
    const QString entry = qtext::FromSjis(std::string_view(text));
    const int equal = box->findText(entry, Qt::MatchFixedString);
    if (equal >= 0)
        box->removeItem(equal);
    const int before = box->count();
    box->addItem(entry);
    if (box->count() == before)
        return FALSE;
    box->setCurrentIndex(box->findText(entry, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    return TRUE;
}
