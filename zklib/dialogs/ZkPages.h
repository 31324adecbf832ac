#pragma once
// Property pages with small built-in behaviours, the tabbed sheet that holds
// them, and a start-up splash window.

#include "platform/Export.h"
#include "platform/Types.h"

#include <QDialog>
#include <QPixmap>
#include <QScrollArea>
#include <QWizardPage>

class QTabWidget;

// Pages in tabs, each titled by its window title, above "OK" and "ｷｬﾝｾﾙ".
class ZKLIB_API CZkPropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit CZkPropertySheet(const QString& title, QWidget* parent = nullptr);
    void AddPage(QWidget* page);
    QTabWidget* Tabs() const { return m_pTabs; }

private:
    QTabWidget* m_pTabs;
};

// A page that says there is nothing to set.
class ZKLIB_API CZkEmptyPage : public QWidget {
    Q_OBJECT
public:
    explicit CZkEmptyPage(QWidget* parent = nullptr);
};

// A page whose content, laid out at its design size, scrolls when the sheet is
// smaller. Ranges and positions are counted in units of 8 pixels across and
// 4 pixels down.
class ZKLIB_API CZkScrollPage : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kUnitX = 8;
    static constexpr int kUnitY = 4;

    explicit CZkScrollPage(QWidget* content = nullptr, QWidget* parent = nullptr);
    int HorzRange() const;
    int VertRange() const;
    int HorzPos() const;
    int VertPos() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// A wizard page offering the buttons of its place: Finish alone in a wizard of
// one page, Next on the first page, Back and Finish on the last, Back and Next
// in between.
class ZKLIB_API CZkWizardPage : public QWizardPage {
    Q_OBJECT
public:
    using QWizardPage::QWizardPage;
    void initializePage() override;
    // The page after this one in the wizard, or -1 on the last (which offers Finish).
    int nextId() const override;
};

// A frameless window on top of the others showing the image of resource
// ":/bitmaps/<id>" for two seconds, or until clicked.
class ZKLIB_API CZkSplashDlg : public QDialog {
    Q_OBJECT
public:
    CZkSplashDlg(UINT bitmap, QWidget* parent = nullptr);
    int DoModal();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap m_bitmap;
};
