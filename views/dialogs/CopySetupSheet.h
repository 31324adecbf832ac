#pragma once
// The copy settings sheet: a page for the Japanese and one for the English copy
// layout, each choosing the fields copied cards are written with and keeping
// named copy layouts of its language as files. OK hands both layouts back.

#include "layouts/LayoutSet.h"
#include "transfer/CopyLayout.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class CCopySetupPage : public QWidget {
    Q_OBJECT
public:
    explicit CCopySetupPage(const CCopyLayout& layout, QWidget* parent = nullptr);

    const CCopyLayout& Layout() const { return m_layout; }
    // Sets the layout's fields from the list; an empty list is refused with
    // string 263 and the list keeps the focus.
    bool TakeValues();

    QComboBox& LayoutBox() const { return *m_pLayouts; }
    QTreeWidget& AllFields() const { return *m_pAll; }
    QTreeWidget& CopyFields() const { return *m_pCopy; }
    QPushButton& DeleteButton() const { return *m_pDelete; }

private:
    void FillFields();
    void FillLayouts(int select);
    void OnLayoutChosen(int index);
    void OnSave();
    void OnDelete();

    CCopyLayout m_layout;
    CLayoutSet m_set;
    QComboBox* m_pLayouts;
    QPushButton* m_pDelete;
    QTreeWidget* m_pAll;
    QTreeWidget* m_pCopy;
};

class CCopySetupSheet : public QDialog {
    Q_OBJECT
public:
    CCopySetupSheet(const CCopyLayout& japanese, const CCopyLayout& english,
                    QWidget* parent = nullptr);

    CCopySetupPage& JapanesePage() const { return *m_pJapanese; }
    CCopySetupPage& EnglishPage() const { return *m_pEnglish; }
    QTabWidget& Tabs() const { return *m_pTabs; }

    void accept() override;

private:
    void OnPageChanged(int index);

    CCopySetupPage* m_pJapanese;
    CCopySetupPage* m_pEnglish;
    QTabWidget* m_pTabs;
    int m_nCurrentPage = 0;
};

// The copy settings command: runs the sheet on copies of the card list's two
// layouts; OK puts the pages' layouts into them, Cancel changes nothing. True
// on OK.
bool RunCopySetupSheet(QWidget* parent, CCopyLayout& japanese, CCopyLayout& english);
