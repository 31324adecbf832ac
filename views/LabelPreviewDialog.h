#pragma once
// The print preview of the labels: the pages as they will print, with the cells
// outlined, turned page by page or zoomed; "印刷(&P)..." closes the preview
// and asks for printing.

#include <QDialog>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;

class CLabelPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // paintRequested of the preview widget draws the pages on the printer.
    CLabelPreviewDialog(QPrinter& printer, QWidget* parent = nullptr);

    QPrintPreviewWidget& Preview() const { return *m_pPreview; }

signals:
    void paintRequested(QPrinter* printer);
    void printRequested();

private:
    void ShowPageNumber();

    QPrintPreviewWidget* m_pPreview;
    QLabel* m_pPage;
};
