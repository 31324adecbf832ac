#pragma once
// The postal code check: a table of the Japanese cards of the book whose
// postal code is not in the postal table or does not agree with the address,
// sorted by name as the card list sorts. It only reports; the user may open a
// card from it to mend it.

#include "model/AddrBook.h"

#include <QDialog>

#include <vector>

class CPostalCodeTable;
class QLabel;
class QPushButton;
class QTableView;

class CPostcodeCheckDlg : public QDialog {
    Q_OBJECT
public:
    // table must have been loaded.
    CPostcodeCheckDlg(const CAddrBook& book, CPostalCodeTable& table, QWidget* parent = nullptr);

    // The card whose row was opened; null when the dialog was closed.
    CAddrCard* ChosenCard() const { return m_pChosen; }

private:
    void OnOpen();

    QTableView* m_pTable;
    QLabel* m_pCount;
    QPushButton* m_pOpen;
    CAddrCard* m_pChosen = nullptr;
};

// The check command: reads the postal table, or shows why it cannot be read
// and opens nothing; then runs the dialog. The card the user opened, or null.
CAddrCard* RunPostcodeCheckDlg(const CAddrBook& book, CPostalCodeTable& table, QWidget* parent);
