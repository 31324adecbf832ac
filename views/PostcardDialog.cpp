#include "views/PostcardDialog.h"

#include "layouts/LayoutSet.h"
#include "model/AddrBook.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "print/PostcardPdf.h"
#include "print/PrintFonts.h"
#include "print/PrintMessages.h"
#include "print/PrinterOffset.h"
#include "views/AppPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kNoLayouts = "はがき･封筒のﾚｲｱｳﾄがありません。";
constexpr const char* kCannotStartPrinting = "印刷を開始できませんでした。";

// The page as it will print, scaled into the widget.
class CPostcardPage final : public QWidget {
public:
    explicit CPostcardPage(const CPostcardDialog& dialog, QWidget* parent)
        : QWidget(parent), m_dialog(dialog) {
        setObjectName(QStringLiteral("postcardPage"));
        setMinimumSize(300, 400);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        const CPostcardPainter* postcards = m_dialog.Painter();
        if (!postcards || m_dialog.CardCount() == 0)
            return;
        const PostcardSize& size = postcards->Size();
        const double scale =
            std::min((width() - 20) / size.paperWidth, (height() - 20) / size.paperHeight);
        const QRectF page((width() - size.paperWidth * scale) / 2,
                          (height() - size.paperHeight * scale) / 2, size.paperWidth * scale,
                          size.paperHeight * scale);
        painter.fillRect(page, Qt::white);
        painter.translate(page.topLeft());
        painter.setRenderHint(QPainter::Antialiasing);
        const PostcardReport report = postcards->DrawCard(
            painter, {scale, scale}, *m_dialog.CardAt(m_dialog.CurrentCard()), true);
        if (!report.Clean()) {
            // What will not print as it should is marked, as unfit labels are.
            painter.setPen(QPen(Qt::red, 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(QPointF(0, 0), page.size()));
        }
    }

private:
    const CPostcardDialog& m_dialog;
};

QString CardName(const CAddrCard& card) {
    QString name = qtext::FromSjis(card.m_strName).trimmed();
    if (name.isEmpty())
        name = qtext::FromSjis(card.m_strCompany).trimmed();
    return name.isEmpty() ? QStringLiteral("(名前なし)") : name;
}

} // namespace

CPostcardDialog::CPostcardDialog(std::vector<const CAddrCard*> cards, const CAddrBook& book,
                                 QWidget* parent)
    : QDialog(parent), m_book(book), m_pLayout(new QComboBox(this)),
      m_pNumerals(new QComboBox(this)), m_pSender(new QLineEdit(this)),
      m_pBarcode(new QCheckBox(QStringLiteral("はがきにもﾊﾞｰｺｰﾄﾞ(&B)"), this)),
      m_pEnvelopeBarcode(new QCheckBox(QStringLiteral("封筒にﾊﾞｰｺｰﾄﾞ(&E)"), this)),
      m_pPage(new CPostcardPage(*this, this)), m_pCount(new QLabel(this)) {
    setObjectName(QStringLiteral("postcardDialog"));
    setWindowTitle(QStringLiteral("はがき・封筒の宛名印刷"));
    for (const CAddrCard* card : cards) {
        if (HasPostcardText(*card))
            m_cards.push_back(card);
        else
            ++m_nSkipped;
    }
    m_settings.LoadFromProfile();
    ReadPostcardSizes(PostcardSizesPath(), m_sizes);
    CLayoutSet layouts;
    layouts.Build(CPostcardLayout());
    for (const CLayoutSet::Entry& entry : layouts.Entries()) {
        m_pLayout->addItem(qtext::FromSjis(entry.name));
        m_layoutPaths.push_back(entry.path);
    }
    const int chosen = layouts.FindNoCase(m_settings.layout);
    m_pLayout->setCurrentIndex(chosen >= 0 ? chosen : 0);
    m_pLayout->setObjectName(QStringLiteral("postcardLayout"));
    m_pNumerals->addItems({QStringLiteral("漢数字 (一ー二ー三)"),
                           QStringLiteral("丁目番号 (三丁目五番八号)"),
                           QStringLiteral("縦中横 (12)")});
    m_pNumerals->setCurrentIndex(static_cast<int>(m_settings.numerals));
    m_pNumerals->setObjectName(QStringLiteral("postcardNumerals"));
    m_pSender->setText(qtext::FromSjis(m_settings.sender));
    m_pSender->setPlaceholderText(QStringLiteral("差出人のｶｰﾄﾞの名前"));
    m_pSender->setObjectName(QStringLiteral("postcardSender"));
    m_pBarcode->setChecked(m_settings.barcode);
    m_pBarcode->setObjectName(QStringLiteral("postcardBarcode"));
    m_pEnvelopeBarcode->setChecked(m_settings.envelopeBarcode);
    m_pEnvelopeBarcode->setObjectName(QStringLiteral("envelopeBarcode"));
    m_pCount->setObjectName(QStringLiteral("postcardCount"));

    const auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* print = button("印刷(&P)...", "postcardPrint");
    QPushButton* pdf = button("PDF に保存(&D)...", "postcardPdf");
    QPushButton* next = button("次(&N)", "postcardNext");
    QPushButton* previous = button("前(&V)", "postcardPrevious");
    QPushButton* close = button("閉じる(&C)", "postcardClose");
    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("ﾚｲｱｳﾄ:"), this));
    choices->addWidget(m_pLayout, 1);
    choices->addWidget(new QLabel(QStringLiteral("数字:"), this));
    choices->addWidget(m_pNumerals);
    choices->addWidget(new QLabel(QStringLiteral("差出人:"), this));
    choices->addWidget(m_pSender, 1);
    auto* barcodes = new QHBoxLayout;
    barcodes->addWidget(m_pBarcode);
    barcodes->addWidget(m_pEnvelopeBarcode);
    barcodes->addStretch(1);
    auto* bar = new QHBoxLayout;
    for (QPushButton* b : {print, pdf, previous, next, close})
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addWidget(m_pCount);
    auto* column = new QVBoxLayout(this);
    column->addLayout(choices);
    column->addLayout(barcodes);
    column->addLayout(bar);
    column->addWidget(m_pPage, 1);

    connect(m_pLayout, &QComboBox::currentIndexChanged, this, &CPostcardDialog::Rebuild);
    connect(m_pNumerals, &QComboBox::currentIndexChanged, this, &CPostcardDialog::Rebuild);
    connect(m_pSender, &QLineEdit::editingFinished, this, &CPostcardDialog::Rebuild);
    connect(m_pBarcode, &QCheckBox::toggled, this, &CPostcardDialog::Rebuild);
    connect(m_pEnvelopeBarcode, &QCheckBox::toggled, this, &CPostcardDialog::Rebuild);
    connect(next, &QPushButton::clicked, this, [this] { ShowCard(m_nCurrent + 1); });
    connect(previous, &QPushButton::clicked, this, [this] { ShowCard(m_nCurrent - 1); });
    connect(print, &QPushButton::clicked, this, &CPostcardDialog::Print);
    connect(pdf, &QPushButton::clicked, this, &CPostcardDialog::SaveToPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 900);
    Rebuild();
}

CPostcardDialog::~CPostcardDialog() {
    m_settings.SaveToProfile();
}

const CAddrCard* CPostcardDialog::CardAt(int index) const {
    return m_cards.at(static_cast<size_t>(index));
}

void CPostcardDialog::ShowCard(int index) {
    m_nCurrent = std::clamp(index, 0, std::max(CardCount() - 1, 0));
    QString count =
        QStringLiteral("%1 / %2").arg(CardCount() ? m_nCurrent + 1 : 0).arg(CardCount());
    if (m_nSkipped > 0)
        count += QStringLiteral(" (宛名のないｶｰﾄﾞ %1 枚は除外)").arg(m_nSkipped);
    m_pCount->setText(count);
    m_pPage->update();
}

void CPostcardDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageDown)
        ShowCard(m_nCurrent + 1);
    else if (event->key() == Qt::Key_PageUp)
        ShowCard(m_nCurrent - 1);
    else
        QDialog::keyPressEvent(event);
}

void CPostcardDialog::Rebuild() {
    m_pPainter.reset();
    m_settings.numerals = static_cast<NumeralStyle>(std::max(m_pNumerals->currentIndex(), 0));
    qtext::ToSjis(m_pSender->text().trimmed(), m_settings.sender);
    m_settings.barcode = m_pBarcode->isChecked();
    m_settings.envelopeBarcode = m_pEnvelopeBarcode->isChecked();
    const int index = m_pLayout->currentIndex();
    CPostcardLayout layout;
    if (index >= 0 && static_cast<size_t>(index) < m_layoutPaths.size() &&
        !layout.Load(m_layoutPaths[static_cast<size_t>(index)])) {
        m_settings.layout = layout.GetName();
        if (const PostcardSize* found = FindPostcardSize(m_sizes, layout.m_strSize.view())) {
            PostcardSize size = *found;
            size.Nudge(LoadPostalBoxNudge(size.key.c_str()));
            PostcardOptions options;
            options.numerals = m_settings.numerals;
            options.barcode = WantsBarcode(size, m_settings.barcode, m_settings.envelopeBarcode);
            options.face = MakePostcardFont(m_settings.face);
            CPrintFonts fonts;
            fonts.LoadFromProfile();
            fonts.SetMissingToDefaults(kDefaultFontDpi);
            options.english = MakeLabelFonts(fonts, kDefaultFontDpi).english;
            options.english.setPointSizeF(std::max(options.english.pointSizeF(), 12.0));
            const QString sender = m_pSender->text().simplified().remove(QLatin1Char(' '));
            for (const auto& card : m_book.Cards())
                if (!sender.isEmpty() &&
                    qtext::FromSjis(card->m_strName).simplified().remove(QLatin1Char(' ')) ==
                        sender)
                    options.sender = card.get();
            m_pPainter = std::make_unique<CPostcardPainter>(layout, size, options);
        }
    }
    ShowCard(m_nCurrent);
}

void CPostcardDialog::Print() {
    if (!m_pPainter) {
        AfxMessageBoxUtf8(kNoLayouts, MB_ICONEXCLAMATION);
        return;
    }
    if (m_cards.empty()) {
        AfxMessageBoxUtf8(printmsg::kNoCards, MB_ICONINFORMATION);
        return;
    }
    PrintPrompt prompt;
    prompt.lastPage = CardCount();
    const std::optional<PrintChoice> choice = AfxGetUserInteraction().PromptPrint(prompt);
    if (!choice)
        return;
    std::vector<const CAddrCard*> cards;
    if (choice->range == PrintChoice::Range::pages) {
        for (const PrintChoice::Pages& range : choice->pages)
            for (int page = std::max(range.from, 1); page <= std::min(range.to, CardCount());
                 ++page)
                cards.push_back(CardAt(page - 1));
    } else {
        cards = m_cards;
    }
    if (cards.empty())
        return;
    std::vector<PostcardProblem> problems;
    if (!choice->outputFile.empty()) {
        if (WritePostcardsPdf(choice->outputFile.c_str(), cards, *m_pPainter, false, &problems))
            Report(problems);
        return;
    }
    QPrinter& printer = AfxGetAppPrinter();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(QString());
    const PostcardSize& size = m_pPainter->Size();
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(size.paperWidth, size.paperHeight), QPageSize::Millimeter,
                              QString(), QPageSize::FuzzyMatch),
                    QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    // The printer's calibration moves its pages, never the preview's.
    m_pPainter->SetOffset(LoadPrinterOffset(printer.printerName()));
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_pPainter->SetOffset({});
        AfxMessageBoxUtf8(kCannotStartPrinting, MB_ICONSTOP);
        return;
    }
    const PxPerMm scale = PxPerMm::OfDevice(printer);
    for (size_t i = 0; i < cards.size(); ++i) {
        if (i > 0)
            printer.newPage();
        const PostcardReport report = m_pPainter->DrawCard(painter, scale, *cards[i], false);
        if (!report.Clean())
            problems.push_back({cards[i], report});
    }
    painter.end();
    m_pPainter->SetOffset({});
    Report(problems);
}

void CPostcardDialog::SaveToPdf() {
    if (!m_pPainter) {
        AfxMessageBoxUtf8(kNoLayouts, MB_ICONEXCLAMATION);
        return;
    }
    FilePrompt prompt;
    prompt.open = false;
    prompt.title = "PDF に保存";
    prompt.filter = "PDF ﾌｧｲﾙ (*.pdf)|*.pdf";
    prompt.defaultExt = "pdf";
    const std::optional<std::string> path = AfxGetUserInteraction().PromptFileName(prompt);
    if (!path)
        return;
    std::vector<PostcardProblem> problems;
    if (WritePostcardsPdf(path->c_str(), m_cards, *m_pPainter, false, &problems))
        Report(problems);
}

void CPostcardDialog::Report(const std::vector<PostcardProblem>& problems) {
    if (problems.empty())
        return;
    QString text = QStringLiteral("次のｶｰﾄﾞは正しく印刷できませんでした:");
    for (const PostcardProblem& p : problems) {
        QStringList why;
        if (p.report.badZip)
            why << QStringLiteral("郵便番号が 7 桁ではありません");
        if (!p.report.undrawable.isEmpty())
            why << QStringLiteral("ﾌｫﾝﾄにない文字 \"%1\"").arg(p.report.undrawable);
        if (!p.report.fits)
            why << QStringLiteral("文字が収まりません");
        if (p.report.badSenderZip)
            why << QStringLiteral("差出人の郵便番号が 7 桁ではありません");
        text += QStringLiteral("\n%1: %2").arg(CardName(*p.card), why.join(QStringLiteral("、")));
    }
    AfxMessageBoxUtf8(text.toStdString(), MB_ICONEXCLAMATION);
}
