#include "views/LabelPreviewDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr double kZoomStep = 1.25;

} // namespace

CLabelPreviewDialog::CLabelPreviewDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_pPreview(new QPrintPreviewWidget(&printer, this)),
      m_pPage(new QLabel(this)) {
    setObjectName(QStringLiteral("printPreview"));
    setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
    const auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* print = button("印刷(&P)...", "previewPrint");
    QPushButton* next = button("次ﾍﾟｰｼﾞ(&N)", "previewNext");
    QPushButton* previous = button("前ﾍﾟｰｼﾞ(&V)", "previewPrevious");
    QPushButton* zoomIn = button("拡大(&I)", "previewZoomIn");
    QPushButton* zoomOut = button("縮小(&O)", "previewZoomOut");
    QPushButton* close = button("閉じる(&C)", "previewClose");

    auto* bar = new QHBoxLayout;
    for (QPushButton* b : {print, next, previous, zoomIn, zoomOut, close})
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addWidget(m_pPage);
    auto* column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(m_pPreview, 1);

    m_pPreview->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_pPreview->fitInView();
    connect(m_pPreview, &QPrintPreviewWidget::paintRequested, this,
            &CLabelPreviewDialog::paintRequested);
    connect(m_pPreview, &QPrintPreviewWidget::previewChanged, this,
            &CLabelPreviewDialog::ShowPageNumber);
    connect(next, &QPushButton::clicked, this, [this] {
        m_pPreview->setCurrentPage(m_pPreview->currentPage() + 1);
        ShowPageNumber();
    });
    connect(previous, &QPushButton::clicked, this, [this] {
        m_pPreview->setCurrentPage(m_pPreview->currentPage() - 1);
        ShowPageNumber();
    });
    connect(zoomIn, &QPushButton::clicked, this, [this] { m_pPreview->zoomIn(kZoomStep); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { m_pPreview->zoomOut(kZoomStep); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] {
        reject();
        emit printRequested();
    });
    resize(1024, 768);
}

void CLabelPreviewDialog::ShowPageNumber() {
    m_pPage->setText(QStringLiteral("ﾍﾟｰｼﾞ %1 / %2")
                         .arg(m_pPreview->currentPage())
                         .arg(m_pPreview->pageCount()));
}
