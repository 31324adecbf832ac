#include "views/dialogs/PageLayoutDlg.h"

#include "platform/CNumber.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "print/PrintMessages.h"
#include "res/AppStrings.h"
#include "views/SheetPreview.h"
#include "views/controls/DialogUnits.h"
#include "views/dialogs/DataExchange.h"
#include "views/dialogs/DialogStrings.h"
#include "views/dialogs/SjisFieldGuard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <charconv>
#include <cmath>

namespace {

constexpr UINT IDS_LAYOUT_NAME_MISSING = 152;
constexpr double kInchesPerMm = 0.03937007874015748;
const QColor kMarkColor(255, 224, 224);

QString AppText(UINT id) {
    return QString::fromStdString(LoadAppStringUtf8(id));
}

// Numbers as the C library writes and reads them in the C locale, whatever
// the user's locale: a point before the decimals, no grouping.
QString Fixed(double value, int decimals) {
    char text[80];
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? QString::fromLatin1(text, r.ptr - text) : QString();
}

// The whole text (blanks around it allowed) as a finite single-precision number.
std::optional<float> ParseDecimal(const QString& text) {
    const std::optional<double> value = cnum::ParseDouble(text.trimmed().toStdString());
    if (!value || !std::isfinite(static_cast<float>(*value)))
        return std::nullopt;
    return static_cast<float>(*value);
}

// Unsigned decimal digits, blanks around them allowed; -1 for anything else.
long long ParseCount(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 9)
        return -1;
    long long value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

float ToUnit(Length length, int unit) {
    return static_cast<float>(length.mm() * (unit == 0 ? 0.1 : kInchesPerMm));
}

Length FromUnit(float value, int unit) {
    return Length::fromMm(unit == 0 ? value * 10.0f : static_cast<float>(value * 25.4));
}

Length& MarginOf(CPageLayout& layout, int field) {
    Length* const margins[] = {&layout.m_lenPageMarginTop,  &layout.m_lenPageMarginBottom,
                               &layout.m_lenPageMarginLeft, &layout.m_lenPageMarginRight,
                               &layout.m_lenCellMarginTop,  &layout.m_lenCellMarginBottom,
                               &layout.m_lenCellMarginLeft, &layout.m_lenCellMarginRight};
    return *margins[field - CPageLayoutDlg::kPageTop];
}

Length GetLength(const CPageLayout& layout, int field) {
    if (field == CPageLayoutDlg::kWidth)
        return layout.GetPrintWidth();
    if (field == CPageLayoutDlg::kHeight)
        return layout.GetPrintHeight();
    return MarginOf(const_cast<CPageLayout&>(layout), field);
}

void SetLength(CPageLayout& layout, int field, Length length) {
    if (field == CPageLayoutDlg::kWidth)
        layout.SetPrintWidth(length);
    else if (field == CPageLayoutDlg::kHeight)
        layout.SetPrintHeight(length);
    else
        MarginOf(layout, field) = length;
}

} // namespace

CPageLayoutDlg::CPageLayoutDlg(const CPageLayout& layout, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_pGuard(new CSjisFieldGuard(this)) {
    setObjectName(QStringLiteral("pageLayoutDlg"));
    setWindowTitle(QStringLiteral("ﾍﾟｰｼﾞﾚｲｱｳﾄ設定"));
    BuildControls();
    m_pGuard->Watch(m_pName);
    m_pGuard->Show(m_pName, m_layout.GetName());
    m_pCentimetres->setChecked(true);
    (m_layout.m_nOrientation == 1 ? m_pLandscape : m_pPortrait)->setChecked(true);
    if (const std::optional<CFileError> error = ReadPaperDefs(PaperDefsPath(), m_papers))
        error->Show();
    for (const PaperSize& paper : m_papers)
        m_pPaper->addItem(qtext::FromSjis(paper.name));
    ShowValues();
    Refresh();
}

void CPageLayoutDlg::BuildControls() {
    const CDialogUnits dlu(font());
    setFixedSize(dlu.Size(298, 263));
    const auto place = [&dlu](QWidget* widget, int x, int y, int w, int h) {
        widget->setGeometry(dlu.Rect(x, y, w, h));
    };
    const auto group = [this, &place](const char* title, int x, int y, int w, int h) {
        place(new QGroupBox(QString::fromUtf8(title), this), x, y, w, h);
    };
    const auto label = [this, &place](const char* text, QWidget* buddy, int x, int y, int w) {
        auto* caption = new QLabel(QString::fromUtf8(text), this);
        caption->setBuddy(buddy);
        place(caption, x, y + 2, w, 8);
    };
    const auto edit = [this](const char* name, const char* tip = nullptr) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        if (tip)
            e->setToolTip(QString::fromUtf8(tip));
        return e;
    };
    const auto radio = [this, &place](const char* name, const char* text, int x, int y) {
        auto* r = new QRadioButton(QString::fromUtf8(text), this);
        r->setObjectName(QLatin1String(name));
        place(r, x, y, 46, 10);
        return r;
    };
    // A row of two labelled edits in a group, the second optional.
    const auto pair = [&](int y, const char* text1, QLineEdit* edit1, const char* text2,
                          QLineEdit* edit2) {
        label(text1, edit1, 14, y, 30);
        place(edit1, 46, y, 40, 12);
        label(text2, edit2, 96, y, 30);
        place(edit2, 128, y, 40, 12);
    };

    m_pName = edit("layoutName");
    label("ﾚｲｱｳﾄ名(&Y):", m_pName, 7, 7, 48);
    place(m_pName, 56, 7, 235, 12);

    group("用紙", 7, 24, 170, 48);
    m_pPaper = new QComboBox(this);
    m_pPaper->setObjectName(QStringLiteral("paper"));
    m_pPaper->setToolTip(QStringLiteral("PAPERS.DEF の用紙"));
    label("用紙(&E):", m_pPaper, 14, 36, 30);
    place(m_pPaper, 46, 36, 122, 12);
    for (int field = kWidth; field < kLengthCount; ++field)
        m_lengths[field] =
            edit(std::array{"pageWidth", "pageHeight", "pageMarginTop", "pageMarginBottom",
                            "pageMarginLeft", "pageMarginRight", "cellMarginTop",
                            "cellMarginBottom", "cellMarginLeft", "cellMarginRight"}[field],
                 field <= kHeight ? "印刷する向きの用紙の寸法" : nullptr);
    pair(53, "幅:", m_lengths[kWidth], "高さ:", m_lengths[kHeight]);

    group("用紙余白", 7, 76, 170, 48);
    pair(88, "上(&O):", m_lengths[kPageTop], "下(&B):", m_lengths[kPageBottom]);
    pair(105, "左(&F):", m_lengths[kPageLeft], "右(&R):", m_lengths[kPageRight]);

    group("ﾚｲｱｳﾄ", 7, 128, 170, 48);
    m_pColumns = edit("columns", "横に並ぶﾗﾍﾞﾙの数 (1 から 100)");
    m_pCellWidth = edit("cellWidth", "ﾗﾍﾞﾙ 1 枚の幅");
    m_pRows = edit("rows", "縦に並ぶﾗﾍﾞﾙの数 (1 から 100)");
    m_pCellHeight = edit("cellHeight", "ﾗﾍﾞﾙ 1 枚の高さ");
    m_pCellWidth->setReadOnly(true);
    m_pCellHeight->setReadOnly(true);
    m_pCellWidth->setFocusPolicy(Qt::NoFocus);
    m_pCellHeight->setFocusPolicy(Qt::NoFocus);
    pair(140, "行(&U):", m_pColumns, "幅:", m_pCellWidth);
    pair(157, "列(&W):", m_pRows, "高さ:", m_pCellHeight);

    group("ｾﾙ内余白", 7, 180, 170, 48);
    pair(192, "上(&T):", m_lengths[kCellTop], "下(&M):", m_lengths[kCellBottom]);
    pair(209, "左(&L):", m_lengths[kCellLeft], "右(&G):", m_lengths[kCellRight]);

    m_pProblem = new QLabel(this);
    m_pProblem->setObjectName(QStringLiteral("problem"));
    m_pProblem->setWordWrap(true);
    m_pProblem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette warning = m_pProblem->palette();
    warning.setColor(QPalette::WindowText, QColor(176, 0, 0));
    m_pProblem->setPalette(warning);
    place(m_pProblem, 7, 232, 170, 26);

    auto* previewLabel = new QLabel(QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), this);
    place(previewLabel, 186, 24, 105, 8);
    m_pPreview = new CSheetPreview(this);
    m_pPreview->setMinimumSize(0, 0);
    place(m_pPreview, 186, 34, 105, 139);

    group("単位", 186, 177, 50, 38);
    m_pCentimetres = radio("centimetres", "ｾﾝﾁﾒｰﾄﾙ(&C)", 191, 188);
    m_pInches = radio("inches", "ｲﾝﾁ(&I)", 191, 201);
    group("方向", 241, 177, 50, 38);
    m_pPortrait = radio("portrait", "縦(&P)", 246, 188);
    m_pLandscape = radio("landscape", "横(&A)", 246, 201);
    // Each pair is a group of its own, as the two group boxes show.
    for (auto [first, second] :
         {std::pair{m_pCentimetres, m_pInches}, {m_pPortrait, m_pLandscape}}) {
        auto* buttons = new QButtonGroup(this);
        buttons->addButton(first);
        buttons->addButton(second);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    place(ok, 186, 244, 50, 14);
    place(cancel, 241, 244, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CPageLayoutDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CPageLayoutDlg::reject);

    for (QLineEdit* e : m_lengths)
        connect(e, &QLineEdit::editingFinished, this, [this] { CommonStep([] {}); });
    for (QLineEdit* e : {m_pColumns, m_pRows})
        connect(e, &QLineEdit::editingFinished, this, [this] { CommonStep([] {}); });
    connect(m_pPaper, &QComboBox::activated, this, [this](int index) {
        CommonStep([this, index] {
            const PaperSize& paper = m_papers.at(static_cast<size_t>(index));
            m_layout.m_lenPageWidth = Length::fromMm(paper.width);
            m_layout.m_lenPageHeight = Length::fromMm(paper.height);
        });
    });
    const auto onClick = [this](QRadioButton* button, auto change) {
        connect(button, &QRadioButton::clicked, this, [this, change] { CommonStep(change); });
    };
    onClick(m_pPortrait, [this] { m_layout.m_nOrientation = 0; });
    onClick(m_pLandscape, [this] { m_layout.m_nOrientation = 1; });
    onClick(m_pCentimetres, [this] { m_nUnit = 0; });
    onClick(m_pInches, [this] { m_nUnit = 1; });
}

void CPageLayoutDlg::SetName(const CString& name) {
    m_pGuard->Show(m_pName, name);
}

void CPageLayoutDlg::ShowIn(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->setCursorPosition(0);
    m_shown.insert(edit, text);
}

void CPageLayoutDlg::ShowValues() {
    for (int field = kWidth; field < kLengthCount; ++field)
        if (!m_marked.contains(m_lengths[field]))
            ShowIn(m_lengths[field], Fixed(ToUnit(GetLength(m_layout, field), m_nUnit), 3));
    if (!m_marked.contains(m_pColumns))
        ShowIn(m_pColumns, QString::number(m_layout.m_nColumns));
    if (!m_marked.contains(m_pRows))
        ShowIn(m_pRows, QString::number(m_layout.m_nRows));
}

void CPageLayoutDlg::Mark(QLineEdit* edit, const QString& why) {
    if (!m_marked.contains(edit)) {
        m_toolTips.insert(edit, edit->toolTip());
        QPalette marked = edit->palette();
        marked.setColor(QPalette::Base, kMarkColor);
        edit->setPalette(marked);
    }
    edit->setToolTip(why);
    m_marked.insert(edit, why);
}

void CPageLayoutDlg::TakeEdits() {
    for (auto it = m_marked.cbegin(); it != m_marked.cend(); ++it) {
        auto* edit = const_cast<QLineEdit*>(it.key());
        edit->setPalette(QPalette());
        edit->setToolTip(m_toolTips.value(edit));
    }
    m_marked.clear();
    for (int field = kWidth; field < kLengthCount; ++field) {
        QLineEdit* edit = m_lengths[field];
        if (edit->text() == m_shown.value(edit))
            continue;
        if (const std::optional<float> value = ParseDecimal(edit->text())) {
            SetLength(m_layout, field, FromUnit(*value, m_nUnit));
            m_shown.insert(edit, edit->text());
        } else {
            Mark(edit, AppText(IDS_PARSE_REAL));
        }
    }
    for (QLineEdit* edit : {m_pColumns, m_pRows}) {
        if (edit->text() == m_shown.value(edit))
            continue;
        const long long count = ParseCount(edit->text());
        if (count < 0) {
            Mark(edit, AppText(IDS_PARSE_UINT));
        } else if (count < 1 || count > CPageLayout::kMaxColumnsRows) {
            Mark(edit, AppText(IDS_PARSE_INT_RANGE).arg(1).arg(CPageLayout::kMaxColumnsRows));
        } else {
            (edit == m_pColumns ? m_layout.m_nColumns : m_layout.m_nRows) =
                static_cast<LONG>(count);
            m_shown.insert(edit, edit->text());
        }
    }
}

template <class Change> void CPageLayoutDlg::CommonStep(Change change) {
    TakeEdits();
    change();
    ShowValues();
    Refresh();
}

void CPageLayoutDlg::Refresh() {
    if (const std::optional<LayoutFault> fault = m_layout.Check()) {
        const QString why = QString::fromStdString(printmsg::LayoutFaultText(*fault));
        std::vector<QLineEdit*> edits;
        switch (fault->field) {
        case LayoutField::Orientation:
            break;
        case LayoutField::PrintWidth:
            edits = {m_lengths[kWidth]};
            break;
        case LayoutField::PrintHeight:
            edits = {m_lengths[kHeight]};
            break;
        case LayoutField::Columns:
            edits = {m_pColumns};
            break;
        case LayoutField::Rows:
            edits = {m_pRows};
            break;
        default: {
            const int field = kPageTop + static_cast<int>(fault->field) -
                              static_cast<int>(LayoutField::PageMarginTop) -
                              (fault->field >= LayoutField::CellMarginTop ? 2 : 0);
            edits = {m_lengths[field]};
            // Both margins of a side together leave no room.
            if (fault->kind != LayoutFault::OutOfRange)
                edits.push_back(m_lengths[field + 1]);
        }
        }
        for (QLineEdit* edit : edits)
            if (!m_marked.contains(edit))
                Mark(edit, why);
    } else {
        m_pPreview->SetLayout(m_layout);
    }
    int paper = -1;
    for (size_t i = 0; i < m_papers.size() && paper < 0; ++i)
        if (std::fabs(m_papers[i].width - m_layout.m_lenPageWidth.mm()) < 0.1f &&
            std::fabs(m_papers[i].height - m_layout.m_lenPageHeight.mm()) < 0.1f)
            paper = static_cast<int>(i);
    m_pPaper->setCurrentIndex(paper);
    m_pCellWidth->setText(Fixed(ToUnit(m_layout.GetCellWidth(), m_nUnit), 2));
    m_pCellHeight->setText(Fixed(ToUnit(m_layout.GetCellHeight(), m_nUnit), 2));
    ShowProblem();
}

QLineEdit* CPageLayoutDlg::FirstMarked() const {
    for (QLineEdit* edit :
         {m_lengths[kWidth], m_lengths[kHeight], m_lengths[kPageTop], m_lengths[kPageBottom],
          m_lengths[kPageLeft], m_lengths[kPageRight], m_pColumns, m_pRows, m_lengths[kCellTop],
          m_lengths[kCellBottom], m_lengths[kCellLeft], m_lengths[kCellRight]})
        if (m_marked.contains(edit))
            return edit;
    return nullptr;
}

void CPageLayoutDlg::ShowProblem() {
    const QLineEdit* first = FirstMarked();
    m_pProblem->setText(first ? m_marked.value(first) : QString());
}

void CPageLayoutDlg::accept() {
    CString name;
    if (!m_pGuard->Take(m_pName, name))
        return;
    if (name.IsEmpty()) {
        AfxMessageBox(LoadAppString(IDS_LAYOUT_NAME_MISSING), MB_OK | MB_ICONEXCLAMATION);
        m_pName->setFocus(Qt::OtherFocusReason);
        return;
    }
    CommonStep([] {});
    if (QLineEdit* refused = FirstMarked()) {
        AfxMessageBoxUtf8(m_marked.value(refused).toStdString(), MB_OK | MB_ICONEXCLAMATION);
        FocusRefusedEdit(refused);
        return;
    }
    if (const std::optional<LayoutFault> fault = m_layout.Check()) {
        AfxMessageBoxUtf8(printmsg::LayoutFaultText(*fault), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_layout.SetName(name);
    QDialog::accept();
}
