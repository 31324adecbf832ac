#include "zklib/dialogs/ZkPages.h"

#include "zklib/ZkStrings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWizard>

namespace {

QString Text(UINT id) {
    return QString::fromStdString(ZkLoadStringUtf8(id));
}

} // namespace

CZkPropertySheet::CZkPropertySheet(const QString& title, QWidget* parent)
    : QDialog(parent), m_pTabs(new QTabWidget(this)) {
    setWindowTitle(title);
    m_pTabs->setObjectName(QStringLiteral("pages"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(104));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
}

void CZkPropertySheet::AddPage(QWidget* page) {
    m_pTabs->addTab(page, page->windowTitle());
}

CZkEmptyPage::CZkEmptyPage(QWidget* parent) : QWidget(parent) {
    setWindowTitle(Text(102));
    auto* text = new QLabel(Text(103), this);
    text->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(this))->addWidget(text);
}

CZkScrollPage::CZkScrollPage(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    horizontalScrollBar()->setSingleStep(kUnitX);
    verticalScrollBar()->setSingleStep(kUnitY);
    if (content)
        setWidget(content);
}

int CZkScrollPage::HorzRange() const {
    return horizontalScrollBar()->maximum() / kUnitX;
}

int CZkScrollPage::VertRange() const {
    return verticalScrollBar()->maximum() / kUnitY;
}

int CZkScrollPage::HorzPos() const {
    return horizontalScrollBar()->value() / kUnitX;
}

int CZkScrollPage::VertPos() const {
    return verticalScrollBar()->value() / kUnitY;
}

void CZkScrollPage::resizeEvent(QResizeEvent* event) {
    // A new size starts again at the origin, as the content is laid out from there.
    QScrollArea::resizeEvent(event);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setPageStep(8 * kUnitX);
    verticalScrollBar()->setPageStep(std::max(verticalScrollBar()->maximum(), kUnitY));
}

void CZkWizardPage::initializePage() {
    QWizard* sheet = wizard();
    if (!sheet)
        return;
    if (sheet->pageIds().size() == 1)
        sheet->setButtonLayout({QWizard::Stretch, QWizard::FinishButton, QWizard::CancelButton});
}

int CZkWizardPage::nextId() const {
    const QWizard* sheet = wizard();
    if (!sheet)
        return -1;
    const QList<int> ids = sheet->pageIds();
    for (qsizetype i = 0; i + 1 < ids.size(); ++i)
        if (sheet->page(ids[i]) == this)
            return ids[i + 1];
    return -1;
}

CZkSplashDlg::CZkSplashDlg(UINT bitmap, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_bitmap(QStringLiteral(":/bitmaps/%1").arg(bitmap)) {
    resize(m_bitmap.isNull() ? QSize(320, 200) : m_bitmap.size());
}

int CZkSplashDlg::DoModal() {
    return exec();
}

void CZkSplashDlg::showEvent(QShowEvent* event) {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(2000, this, &QDialog::accept);
    QDialog::showEvent(event);
}

void CZkSplashDlg::paintEvent(QPaintEvent*) {
    if (!m_bitmap.isNull())
        QPainter(this).drawPixmap(0, 0, m_bitmap);
}

void CZkSplashDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        accept();
}
