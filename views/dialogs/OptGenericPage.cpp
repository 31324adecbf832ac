#include "views/dialogs/OptGenericPage.h"

#include "doc/Options.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/DataExchange.h"
#include "views/dialogs/DialogStrings.h"
#include "views/dialogs/SjisFieldGuard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxExtChars = 8;

QLabel* Label(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

// An edit just wide enough for chars digits.
QLineEdit* ShortEdit(const char* name, int chars, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    const int text = edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0')));
    edit->setFixedWidth(text + edit->fontMetrics().averageCharWidth() * 2 + 8);
    return edit;
}

} // namespace

COptGenericPage::COptGenericPage(COptions& values, QWidget* parent)
    : QWidget(parent), m_values(values) {
    m_pGuard = new CSjisFieldGuard(this);
    auto* layout = new QVBoxLayout(this);

    auto* startup = new QGroupBox(QStringLiteral("起動時"), this);
    auto* startupLayout = new QVBoxLayout(startup);
    m_pOpenPrevDoc = new QCheckBox(QStringLiteral("前回のﾌｧｲﾙを自動的に開く(&O)"), startup);
    m_pOpenPrevDoc->setObjectName(QStringLiteral("openPrevDoc"));
    startupLayout->addWidget(m_pOpenPrevDoc);
    layout->addWidget(startup);

    auto* closing = new QGroupBox(QStringLiteral("終了時"), this);
    auto* closingLayout = new QVBoxLayout(closing);
    m_pSaveWndPos = new QCheckBox(QStringLiteral("ｳｨﾝﾄﾞｳの位置を保存する(&P)"), closing);
    m_pSaveWndPos->setObjectName(QStringLiteral("saveWndPos"));
    m_pAutoSave = new QCheckBox(QStringLiteral("住所録ﾌｧｲﾙを自動保存する(&A)"), closing);
    m_pAutoSave->setObjectName(QStringLiteral("autoSave"));
    closingLayout->addWidget(m_pSaveWndPos);
    closingLayout->addWidget(m_pAutoSave);
    layout->addWidget(closing);

    auto* history = new QGroupBox(QStringLiteral("ﾌｧｲﾙ履歴"), this);
    auto* historyLayout = new QHBoxLayout(history);
    m_pMaxMRU = ShortEdit("maxMru", 3, history);
    historyLayout->addWidget(Label("ﾌｧｲﾙ履歴の表示数(&H):", m_pMaxMRU, history));
    historyLayout->addWidget(m_pMaxMRU);
    historyLayout->addWidget(new QLabel(QStringLiteral("(4～16)"), history));
    historyLayout->addStretch(1);
    layout->addWidget(history);

    auto* backup = new QGroupBox(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ"), this);
    auto* backupLayout = new QGridLayout(backup);
    m_pMakeBackup = new QCheckBox(QStringLiteral("保存時に既存ﾌｧｲﾙをﾊﾞｯｸｱｯﾌﾟする(&B)"), backup);
    m_pMakeBackup->setObjectName(QStringLiteral("makeBackup"));
    m_pBackupExt = ShortEdit("backupExt", 8, backup);
    m_pMaxBackup = ShortEdit("maxBackup", 3, backup);
    backupLayout->addWidget(m_pMakeBackup, 0, 0, 1, 4);
    backupLayout->addWidget(Label("ﾊﾞｯｸｱｯﾌﾟの拡張子(&X):", m_pBackupExt, backup), 1, 0);
    backupLayout->addWidget(m_pBackupExt, 1, 1);
    backupLayout->addWidget(new QLabel(QStringLiteral("(最大8文字)"), backup), 1, 2);
    backupLayout->addWidget(Label("以前のﾊﾞｯｸｱｯﾌﾟを(&V)", m_pMaxBackup, backup), 2, 0);
    backupLayout->addWidget(m_pMaxBackup, 2, 1, Qt::AlignLeft);
    backupLayout->addWidget(new QLabel(QStringLiteral("個まで保存 (0～32)"), backup), 2, 2);
    backupLayout->setColumnStretch(3, 1);
    layout->addWidget(backup);
    m_pGuard->Watch(m_pBackupExt);

    auto* newCard = new QGroupBox(QStringLiteral("新規ｶｰﾄﾞの初期状態"), this);
    auto* newCardLayout = new QHBoxLayout(newCard);
    m_pJapanese = new QRadioButton(QStringLiteral("日本語表記(&J)"), newCard);
    m_pJapanese->setObjectName(QStringLiteral("newCardJapanese"));
    m_pEnglish = new QRadioButton(QStringLiteral("英語表記(&E)"), newCard);
    m_pEnglish->setObjectName(QStringLiteral("newCardEnglish"));
    m_pNewCardLang = new QButtonGroup(this);
    m_pNewCardLang->addButton(m_pJapanese, 0);
    m_pNewCardLang->addButton(m_pEnglish, 1);
    newCardLayout->addWidget(m_pJapanese);
    newCardLayout->addSpacing(fontMetrics().averageCharWidth() * 4);
    newCardLayout->addWidget(m_pEnglish);
    newCardLayout->addStretch(1);
    layout->addWidget(newCard);
    layout->addStretch(1);
}

BOOL COptGenericPage::UpdateData(BOOL bSaveAndValidate) {
    if (!bSaveAndValidate) {
        m_pAutoSave->setChecked(m_values.m_bAutoSave);
        m_pOpenPrevDoc->setChecked(m_values.m_bOpenPrevDoc);
        m_pSaveWndPos->setChecked(m_values.m_bSaveWndPos);
        m_pMaxMRU->setText(QString::number(m_values.m_nMaxMRU));
        m_pMakeBackup->setChecked(m_values.m_bMakeBackup);
        m_pMaxBackup->setText(QString::number(m_values.m_nMaxBackup));
        m_pGuard->Show(m_pBackupExt, m_values.m_strBackupExt);
        // No radio button is checked for a value that is neither notation.
        m_pNewCardLang->setExclusive(false);
        m_pJapanese->setChecked(m_values.m_nNewCardLang == 0);
        m_pEnglish->setChecked(m_values.m_nNewCardLang == 1);
        m_pNewCardLang->setExclusive(true);
        return TRUE;
    }

    int maxMru = 0;
    if (!DdxUnsigned(m_pMaxMRU, maxMru) || !DdvMinMax(m_pMaxMRU, maxMru, kMaxMru.min, kMaxMru.max))
        return Refused(m_pMaxMRU);
    const BOOL makeBackup = m_pMakeBackup->isChecked();
    int maxBackup = 0;
    if (!DdxUnsigned(m_pMaxBackup, maxBackup) ||
        !DdvMinMax(m_pMaxBackup, maxBackup, kMaxBackup.min, kMaxBackup.max))
        return Refused(m_pMaxBackup);
    CString backupExt;
    if (!m_pGuard->Take(m_pBackupExt, backupExt) ||
        (makeBackup && !CheckBackupExt(m_pBackupExt->text())))
        return Refused(m_pBackupExt);
    m_pRefused = nullptr;

    m_values.m_bAutoSave = m_pAutoSave->isChecked();
    m_values.m_bOpenPrevDoc = m_pOpenPrevDoc->isChecked();
    m_values.m_bSaveWndPos = m_pSaveWndPos->isChecked();
    m_values.m_nMaxMRU = maxMru;
    m_values.m_bMakeBackup = makeBackup;
    m_values.m_nMaxBackup = maxBackup;
    m_values.m_strBackupExt = backupExt;
    m_values.m_nNewCardLang = m_pNewCardLang->checkedId();
    return TRUE;
}

BOOL COptGenericPage::Refused(QLineEdit* edit) {
    m_pRefused = edit;
    return FALSE;
}

void COptGenericPage::FocusRefused() {
    if (m_pRefused)
        FocusRefusedEdit(m_pRefused);
}

BOOL COptGenericPage::CheckBackupExt(const QString& ext) {
    if (ext.isEmpty() || ext == QStringLiteral(".") || ext.toUcs4().size() > kMaxExtChars) {
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_BACKUP_EXT_MISSING), MB_OK | MB_ICONEXCLAMATION);
        FocusRefusedEdit(m_pBackupExt);
        return FALSE;
    }
    // The extension becomes part of a file name beside the book: nothing that
    // would lead elsewhere or that file names cannot hold.
    static const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : ext) {
        if (c.unicode() < 0x20 || kForbidden.contains(c)) {
            const std::string format = LoadAppStringUtf8(IDS_BACKUP_EXT_BAD_CHAR);
            const QString shown =
                c.unicode() < 0x20
                    ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                    : QString(c);
            AfxMessageBoxUtf8(
                QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size()))
                    .arg(shown)
                    .toStdString(),
                MB_OK | MB_ICONEXCLAMATION);
            FocusRefusedEdit(m_pBackupExt);
            return FALSE;
        }
    }
    return TRUE;
}
