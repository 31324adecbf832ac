#include "zklib/dialogs/ZkProgressDlg.h"

#include "platform/MbChar.h"
#include "platform/QtText.h"
#include "platform/StringTable.h"
#include "zklib/ZkStrings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <cstdarg>
#include <cstdio>

namespace {

// Notices the application's quit request, which processEvents alone never reports.
class QuitWatcher : public QObject {
public:
    bool quitting = false;
    QuitWatcher() {
        qApp->installEventFilter(this);
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { quitting = true; });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::Quit)
            quitting = true;
        return false;
    }
};

bool Quitting() {
    if (!qApp || QCoreApplication::closingDown())
        return true;
    static QuitWatcher* watcher = new QuitWatcher;
    return watcher->quitting;
}

constexpr int kMaxText = 511;

QString Text(UINT id) {
    return QString::fromStdString(ZkLoadStringUtf8(id));
}

} // namespace

CZkProgressDlg::CZkProgressDlg()
    : m_pText(new QLabel(this)), m_pBar(new QProgressBar(this)), m_pLower(new QLabel(this)),
      m_pUpper(new QLabel(this)), m_pAbort(new QPushButton(Text(101), this)) {
    Quitting(); // watch for the quit request from now on
    setWindowTitle(Text(100));
    m_pText->setObjectName(QStringLiteral("prompt"));
    m_pBar->setObjectName(QStringLiteral("progress"));
    m_pLower->setObjectName(QStringLiteral("progressLower"));
    m_pUpper->setObjectName(QStringLiteral("progressUpper"));
    m_pAbort->setObjectName(QStringLiteral("abort"));
    m_pText->setTextFormat(Qt::PlainText);
    m_pText->setWordWrap(true);
    m_pBar->setTextVisible(false);
    m_pUpper->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pAbort->setAutoDefault(false);
    connect(m_pAbort, &QPushButton::clicked, this, [this] { m_bAborted = TRUE; });
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_pText, 0, 0, 1, 3);
    grid->addWidget(m_pBar, 1, 0, 1, 3);
    grid->addWidget(m_pLower, 2, 0);
    grid->addWidget(m_pAbort, 2, 1, Qt::AlignCenter);
    grid->addWidget(m_pUpper, 2, 2);
    setMinimumWidth(360);
}

CZkProgressDlg::~CZkProgressDlg() {
    Destroy();
}

BOOL CZkProgressDlg::Create(QWidget* parent) {
    if (m_bCreated)
        return TRUE;
    setParent(parent ? parent->window() : nullptr, Qt::Dialog);
    setWindowModality(parent ? Qt::WindowModal : Qt::NonModal);
    ShowRange();
    m_pBar->setValue(m_nPos);
    m_nLastShown = m_nPos;
    ShowText();
    m_pAbort->setVisible(m_bAbortable);
    adjustSize();
    if (parentWidget()) {
        const QRect over = parentWidget()->frameGeometry();
        move(over.center() - rect().center());
    }
    m_bCreated = true;
    show();
    return TRUE;
}

void CZkProgressDlg::Destroy() {
    if (!m_bCreated)
        return;
    m_bCreated = false;
    hide();
    // Free of the parent again, so either may go first.
    setParent(nullptr, Qt::Dialog);
    PeekAndPump();
}

void CZkProgressDlg::Show() {
    if (m_bCreated && !isVisible())
        show();
}

void CZkProgressDlg::Hide() {
    if (m_bCreated && isVisible())
        hide();
}

void CZkProgressDlg::SetText(const char* format, ...) {
    char buffer[kMaxText + 2];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0)
        buffer[0] = '\0';
    // Cut at the last whole character within the limit.
    int end = 0;
    while (buffer[end] != '\0') {
        const int len = mb::CharLen(buffer + end);
        if (end + len > kMaxText)
            break;
        end += len;
    }
    m_strText = CString(buffer, end);
    ShowText();
}

void CZkProgressDlg::SetText(UINT id) {
    m_strText = AfxLoadString(id);
    ShowText();
}

void CZkProgressDlg::ShowText() {
    m_pText->setText(qtext::FromSjis(m_strText));
}

void CZkProgressDlg::SetRange(int lower, int upper) {
    m_nLower = lower;
    m_nUpper = upper;
    m_nPos = m_nLastShown = lower;
    if (m_bCreated) {
        ShowRange();
        m_pBar->setValue(lower);
    }
}

void CZkProgressDlg::ShowRange() {
    m_pBar->setRange(m_nLower, m_nUpper);
    m_pLower->setText(QString::number(m_nLower));
    m_pUpper->setText(QString::number(m_nUpper));
}

void CZkProgressDlg::SetPos(int pos) {
    m_nPos = pos;
    if (!m_bCreated)
        return;
    // Moves of about one percent or more, forwards only: a loop that sets every
    // position would otherwise spend its time drawing.
    const long long onePercent = (static_cast<long long>(m_nUpper) - m_nLower) / 100;
    if (static_cast<long long>(pos) - m_nLastShown > onePercent) {
        m_pBar->setValue(pos);
        m_nLastShown = pos;
        PeekAndPump();
    }
}

void CZkProgressDlg::OffsetPos(int delta) {
    SetPos(static_cast<int>(static_cast<unsigned>(m_nPos) + static_cast<unsigned>(delta)));
}

void CZkProgressDlg::SetStep(int step) {
    m_nStep = step;
}

void CZkProgressDlg::StepIt() {
    OffsetPos(m_nStep);
}

void CZkProgressDlg::SetAbortable(BOOL abortable) {
    m_bAbortable = abortable;
    if (m_bCreated)
        m_pAbort->setVisible(abortable != FALSE);
}

BOOL CZkProgressDlg::PeekAndPump() {
    if (Quitting())
        return FALSE;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return Quitting() ? FALSE : TRUE;
}

void CZkProgressDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
}
