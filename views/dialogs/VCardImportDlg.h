#pragma once
// The vCard import: the dialog that chooses the file, the notation of the new
// cards, the charset and whether readings become hiragana; the report of what
// the file held that the cards do not; and the command that runs them.

#include "transfer/VCardReader.h"

#include <QDialog>

#include <string>

class CKolvaneDoc;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CVCardImportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVCardImportDlg(QWidget* parent = nullptr);

    // Native path.
    std::string FilePath() const;
    VCardReadOptions Options() const;

    QLineEdit& FileEdit() const { return *m_pFile; }
    QComboBox& NotationBox() const { return *m_pNotation; }
    QComboBox& CharsetBox() const { return *m_pCharset; }
    QCheckBox& HiraganaBox() const { return *m_pHiragana; }
    QPushButton& OkButton() const { return *m_pOk; }

private:
    void OnBrowse();

    QLineEdit* m_pFile;
    QComboBox* m_pNotation;
    QComboBox* m_pCharset;
    QCheckBox* m_pHiragana;
    QPushButton* m_pOk;
};

// Cards read, properties ignored by name, problems and unstorable characters
// with their lines.
class CVCardReportDlg : public QDialog {
    Q_OBJECT
public:
    CVCardReportDlg(const VCardReport& report, QWidget* parent = nullptr);

    QPlainTextEdit& Text() const { return *m_pText; }

private:
    QPlainTextEdit* m_pText;
};

// The command: the dialog, the file read, its cards appended to the book at
// once (new contact methods with them), the list rebuilt and the report shown.
void ImportVCardFile(CKolvaneDoc& doc, QWidget* parent);
