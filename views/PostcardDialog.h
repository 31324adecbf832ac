#pragma once
// はがき・封筒の宛名印刷: the cards, one a page, on a postcard or envelope
// layout as they will print, with the sender and the numerals chosen here;
// Page Down and Page Up (or 次, 前) move between cards. 印刷 prints them,
// on the printer or to PDF as the print dialog says; PDF に保存 writes a PDF
// file. The choices are kept in the settings (section "Postcards").

#include "print/PostcardPdf.h"

#include <QDialog>

#include <memory>
#include <vector>

class CAddrBook;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class CPostcardDialog : public QDialog {
    Q_OBJECT
public:
    // cards: those to address, in order; the sender is looked up in book.
    CPostcardDialog(std::vector<const CAddrCard*> cards, const CAddrBook& book,
                    QWidget* parent = nullptr);
    ~CPostcardDialog() override;

    int CurrentCard() const { return m_nCurrent; }
    int CardCount() const { return static_cast<int>(m_cards.size()); }
    const CAddrCard* CardAt(int index) const;
    // The painter of the current choices; null without a usable layout.
    const CPostcardPainter* Painter() const { return m_pPainter.get(); }
    void ShowCard(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Rebuild();
    void Print();
    void SaveToPdf();
    // Tells the user which cards did not print as they should.
    void Report(const std::vector<PostcardProblem>& problems);

    std::vector<const CAddrCard*> m_cards;
    const CAddrBook& m_book;
    std::vector<CString> m_layoutPaths;
    std::vector<PostcardSize> m_sizes;
    PostcardSettings m_settings;
    std::unique_ptr<CPostcardPainter> m_pPainter;
    int m_nCurrent = 0;
    int m_nSkipped = 0;

    QComboBox* m_pLayout;
    QComboBox* m_pNumerals;
    QLineEdit* m_pSender;
    QCheckBox* m_pBarcode;         // the customer barcode on postcards
    QCheckBox* m_pEnvelopeBarcode; // and on envelopes
    QWidget* m_pPage;
    QLabel* m_pCount;
};
