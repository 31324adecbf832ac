#include "doc/KolvaneDoc.h"

#include "doc/AppSettings.h"
#include "doc/BookSave.h"
#include "doc/DocumentType.h"
#include "doc/ProfilePath.h"
#include "doc/UpdateHints.h"
#include "model/AddrBookFile.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

constexpr UINT IDS_UNTITLED = 61440;
constexpr UINT IDS_SAVE_AS_TITLE = 61441;
constexpr UINT IDS_ASK_TO_SAVE = 61699;

// A backup extension that could lead out of the file's folder is not used.
CString SafeBackupExt(const CString& ext) {
    return ext.IsEmpty() || ext.Find('/') >= 0 || ext.Find('\\') >= 0 ? CString("bak") : ext;
}

} // namespace

CKolvaneDoc::CKolvaneDoc() : m_pBook(std::make_unique<CAddrBook>()), m_options(COptions::Load()) {
    m_pBook->m_methods.SetDefaults();
}

CKolvaneDoc::~CKolvaneDoc() {
    m_options.SaveDocumentPart();
}

QString CKolvaneDoc::GetTitle() const {
    if (m_strPathName.empty())
        return qtext::FromSjis(LoadAppString(IDS_UNTITLED));
    return QFileInfo(qtext::FromPath(m_strPathName)).fileName();
}

void CKolvaneDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit stateChanged();
}

void CKolvaneDoc::SetPathName(const std::string& path) {
    m_strPathName = path;
    emit stateChanged();
}

void CKolvaneDoc::AddView(IKolvaneView* view) {
    m_views.push_back(view);
}

void CKolvaneDoc::RemoveView(IKolvaneView* view) {
    std::erase(m_views, view);
}

void CKolvaneDoc::UpdateAllViews(IKolvaneView* sender, int hint, CAddrCard* card) {
    // A view may be added or removed while the hint travels.
    const std::vector<IKolvaneView*> views = m_views;
    for (IKolvaneView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, card);
}

BOOL CKolvaneDoc::CommitHostView() {
    return !m_pHost || m_pHost->CommitActiveView();
}

BOOL CKolvaneDoc::OnOpenDocument(const char* path) {
    // The views must let go of the old book's cards, the showing form first.
    if (!CommitHostView())
        return FALSE;
    auto fresh = std::make_unique<CAddrBook>();
    if (const std::optional<CFileError> error = LoadAddrBook(path, *fresh)) {
        error->Show();
        return FALSE;
    }
    // The showing card form commits into the old book, which stays alive until
    // every view has let go of its cards.
    UpdateAllViews(nullptr, HINT_SHOW_LIST);
    m_pCurrentCard = nullptr;
    const std::unique_ptr<CAddrBook> old = std::exchange(m_pBook, std::move(fresh));
    m_bModified = false;
    m_lock.Take(path, CBookLock::shared);
    SetPathName(path);
    SaveProfilePath(kLastFileSection, kLastFileKey, path);
    emit fileRecorded(path);
    for (IKolvaneView* view : std::vector<IKolvaneView*>(m_views))
        view->OnInitialUpdate();
    return TRUE;
}

BOOL CKolvaneDoc::OnSaveDocument(const char* path) {
    if (!CommitHostView())
        return FALSE;
    if (const std::optional<CFileError> error =
            SaveBookSafely(path, *m_pBook, Backups(m_options), AskSaveWithoutBackup)) {
        error->Show();
        return FALSE;
    }
    m_lock.Take(path, CBookLock::shared);
    SaveProfilePath(kLastFileSection, kLastFileKey, path);
    SetModifiedFlag(false);
    return TRUE;
}

BackupPolicy CKolvaneDoc::Backups(const COptions& options) {
    return {options.m_bMakeBackup, static_cast<UINT>(std::max(options.m_nMaxBackup, 0)),
            SafeBackupExt(options.m_strBackupExt)};
}

BOOL CKolvaneDoc::SaveModified() {
    // Edits still in a card form count as changes.
    if (!CommitHostView())
        return FALSE;
    if (!IsModified())
        return TRUE;
    if (m_options.m_bAutoSave && !m_strPathName.empty())
        return OnSaveDocument(m_strPathName.c_str());
    std::string question = LoadAppStringUtf8(IDS_ASK_TO_SAVE);
    question.replace(question.find("%1"), 2, GetTitle().toStdString());
    switch (AfxMessageBoxUtf8(question, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CKolvaneDoc::DoFileSave() {
    return DoSave(m_strPathName.empty() ? nullptr : m_strPathName.c_str());
}

BOOL CKolvaneDoc::DoSave(const char* path) {
    // A form that refuses is mended before any file name is asked for.
    if (!CommitHostView())
        return FALSE;
    std::string target = path ? path : "";
    if (target.empty()) {
        FilePrompt prompt = DocumentFilePrompt(LoadAppStringUtf8(IDS_SAVE_AS_TITLE), false);
        prompt.initialPath = m_strPathName.empty() ? DocumentString(DOC_FILE_NEW_NAME) +
                                                         DocumentString(DOC_FILTER_EXT)
                                                   : m_strPathName;
        const std::optional<std::string> chosen = AfxGetUserInteraction().PromptFileName(prompt);
        if (!chosen)
            return FALSE;
        target = *chosen;
    }
    if (!OnSaveDocument(target.c_str()))
        return FALSE;
    if (target != m_strPathName)
        SetPathName(target);
    emit fileRecorded(target);
    return TRUE;
}
