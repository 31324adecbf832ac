#pragma once
// The about box: the program's icon, its name and version, the rights line, an
// information line and a link. The caller fills the public fields (Shift_JIS
// texts) before DoModal.

#include "platform/CString.h"

#include <QDialog>
#include <QIcon>

class QLabel;
class CZkIconButton;
class CZkStaticLink;

class ZKLIB_API CZkAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CZkAboutDlg(QWidget* parent = nullptr);

    int DoModal();
    // Puts the fields into the controls; DoModal does this first.
    void Prepare();

    CString m_strLinkTitle;
    CString m_strLinkTarget; // an address or a native path
    CString m_strInfo;
    QIcon m_icon;
    CString m_strProductName;
    int m_nMajor = 1;
    int m_nMinor = 0;
    int m_nRevision = 0;
    int m_nBuild = 0;
    int m_nFirstYear = 0;
    int m_nLastYear = 0;
    CString m_strHolder;

private:
    CZkIconButton* m_pIcon;
    QLabel* m_pVersion;
    QLabel* m_pRights;
    QLabel* m_pInfo;
    QLabel* m_pLinkTitle;
    CZkStaticLink* m_pLink;
};
