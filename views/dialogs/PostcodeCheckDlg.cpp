#include "views/dialogs/PostcodeCheckDlg.h"

#include "model/CardRules.h"
#include "model/PostalCodeTable.h"
#include "platform/QtText.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <unordered_set>

namespace {

constexpr int kSortByName = 1;

enum : int { kColumnName, kColumnCode, kColumnAddress, kColumnResult, kColumns };

// Line breaks show as a blank, so that every card takes one line.
QString OneLine(const CZkString& sjis) {
    QString text = qtext::FromSjis(sjis);
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// The flagged cards, whose texts are made only for the rows that show: a book
// where every card is flagged has as many rows as cards.
class CheckModel : public QAbstractTableModel {
public:
    CheckModel(std::vector<CAddrCard*> cards, std::unordered_set<const CAddrCard*> unknown,
               QObject* parent)
        : QAbstractTableModel(parent), m_cards(std::move(cards)), m_unknown(std::move(unknown)) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_cards.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const CAddrCard& card = *CardAt(index.row());
        switch (index.column()) {
        case kColumnName:
            return OneLine(card.m_strName);
        case kColumnCode:
            return OneLine(card.m_strZip);
        case kColumnAddress:
            return OneLine(card.m_strAddress);
        default:
            return m_unknown.count(&card) ? QStringLiteral("該当なし")
                                          : QStringLiteral("住所と不一致");
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const kCaptions[kColumns] = {"名前", "郵便番号", "住所", "結果"};
        return section >= 0 && section < kColumns ? QString::fromUtf8(kCaptions[section])
                                                  : QVariant();
    }

    CAddrCard* CardAt(int row) const { return m_cards[static_cast<size_t>(row)]; }

private:
    std::vector<CAddrCard*> m_cards;
    std::unordered_set<const CAddrCard*> m_unknown;
};

} // namespace

CPostcodeCheckDlg::CPostcodeCheckDlg(const CAddrBook& book, CPostalCodeTable& table,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("郵便番号と住所の確認"));
    setObjectName(QStringLiteral("postcodeCheckDlg"));

    std::vector<CAddrCard*> flagged;
    std::unordered_set<const CAddrCard*> unknown;
    for (const auto& card : book.Cards()) {
        if (card->m_nNotation != NOTATION_JAPANESE)
            continue;
        const auto check = table.CheckAddress(card->m_strZip.view(), card->m_strAddress.view());
        if (check == CPostalCodeTable::Check::kUnknown)
            unknown.insert(card.get());
        else if (check != CPostalCodeTable::Check::kMismatch)
            continue;
        flagged.push_back(card.get());
    }
    SortCards(flagged, kSortByName);
    const int rows = static_cast<int>(flagged.size());

    m_pCount = new QLabel(this);
    m_pCount->setObjectName(QStringLiteral("postcodeCheckCount"));
    m_pCount->setText(
        rows == 0
            ? QStringLiteral("すべてのｶｰﾄﾞの郵便番号と住所は一致しています。")
            : QStringLiteral("%1 件の確認が必要なｶｰﾄﾞ / %2 件中").arg(rows).arg(book.GetCount()));

    m_pTable = new QTableView(this);
    m_pTable->setObjectName(QStringLiteral("postcodeCheckTable"));
    m_pTable->setModel(new CheckModel(std::move(flagged), std::move(unknown), m_pTable));
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setWordWrap(false);
    m_pTable->setShowGrid(false);
    m_pTable->setTabKeyNavigation(false);
    m_pTable->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured row by row.
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(m_pTable->fontMetrics().height() + 6);
    QHeaderView* head = m_pTable->horizontalHeader();
    head->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    head->setHighlightSections(false);
    const QFontMetrics metrics = m_pTable->fontMetrics();
    const auto width = [&metrics](const char* sample) {
        return metrics.horizontalAdvance(QString::fromUtf8(sample)) + 16;
    };
    const int widths[kColumns] = {width("名前名前名前名前名前名"), width("〒000-00000"),
                                  width("東京都千代田区千代田一丁目1番1号 XXX"),
                                  width("住所と不一致")};
    int total = 24;
    for (int column = 0; column < kColumns; ++column) {
        m_pTable->setColumnWidth(column, widths[column]);
        total += widths[column];
    }
    head->setSectionResizeMode(kColumnAddress, QHeaderView::Stretch);
    m_pTable->setMinimumSize(total, m_pTable->verticalHeader()->defaultSectionSize() * 14);

    m_pOpen = new QPushButton(QStringLiteral("ｶｰﾄﾞを開く(&O)"), this);
    m_pOpen->setObjectName(QStringLiteral("postcodeCheckOpen"));
    m_pOpen->setDefault(true);
    m_pOpen->setEnabled(rows > 0);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("postcodeCheckClose"));
    close->setAutoDefault(false);

    // Enter in the table reaches the default button, which opens the card.
    connect(m_pOpen, &QPushButton::clicked, this, &CPostcodeCheckDlg::OnOpen);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pTable, &QAbstractItemView::doubleClicked, this, &CPostcodeCheckDlg::OnOpen);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOpen);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pCount);
    layout->addWidget(m_pTable, 1);
    layout->addLayout(buttons);

    if (rows > 0)
        m_pTable->selectRow(0);
    m_pTable->setFocus();
}

void CPostcodeCheckDlg::OnOpen() {
    const QModelIndexList selected = m_pTable->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    m_pChosen = static_cast<const CheckModel*>(m_pTable->model())->CardAt(selected.front().row());
    accept();
}

CAddrCard* RunPostcodeCheckDlg(const CAddrBook& book, CPostalCodeTable& table, QWidget* parent) {
    if (const auto error = table.Load()) {
        error->Show();
        return nullptr;
    }
    CPostcodeCheckDlg dlg(book, table, parent);
    return dlg.exec() == QDialog::Accepted ? dlg.ChosenCard() : nullptr;
}
