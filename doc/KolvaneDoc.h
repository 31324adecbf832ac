#pragma once
// The document: the address book of one .kvd file, the current card, the
// file's path and modified flag, and the program's options. It carries out
// open, save and the question before closing, and tells its views about
// changes through update hints.

#include "doc/BookLock.h"
#include "doc/BookSave.h"
#include "doc/KolvaneView.h"
#include "doc/Options.h"
#include "model/AddrBook.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

// The window around the views, asked to write the showing card form into the
// current card before the book is saved or closed. FALSE when the form refused
// (a field holds a character the file cannot hold): the form stays, and so
// does the book.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    virtual BOOL CommitActiveView() = 0;
};

class CKolvaneDoc : public QObject {
    Q_OBJECT
public:
    // Reads the options; the book starts empty with the default contact
    // methods, unnamed.
    CKolvaneDoc();
    // Writes the document's part of the options.
    ~CKolvaneDoc() override;

    // The program's one copy of the options.
    COptions& Options() { return m_options; }
    const COptions& Options() const { return m_options; }

    CAddrBook& GetBook() const { return *m_pBook; }
    CAddrCard* GetCurrentCard() const { return m_pCurrentCard; }
    void SetCurrentCard(CAddrCard* card) { m_pCurrentCard = card; }

    // Native path; empty for a document that has none yet.
    const std::string& GetPathName() const { return m_strPathName; }
    // The file name shown in the title bar, or "無題".
    QString GetTitle() const;
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    void SetHost(IDocumentHost* host) { m_pHost = host; }
    void AddView(IKolvaneView* view);
    void RemoveView(IKolvaneView* view);
    void UpdateAllViews(IKolvaneView* sender, int hint, CAddrCard* card = nullptr);

    // Reads path into a fresh book and takes it over only when the whole file
    // was read: a failed open, or a card form that refuses to be written back,
    // leaves the document as it was (contents, path and modified flag). The
    // open book's file is held under a shared lock (BookLock.h) until the
    // document closes or opens another, moved to each file a save writes.
    BOOL OnOpenDocument(const char* path);
    // Writes the showing card form back, then the book to path with rotating
    // backups (see BookSave.h); FALSE without writing when the form refuses.
    BOOL OnSaveDocument(const char* path);
    // Before the document is closed or replaced: save, ask, or let it go.
    // FALSE when the close must not happen, among others when the showing card
    // form refuses to be written back.
    BOOL SaveModified();
    // Save: to the current path, or asking for one when there is none.
    BOOL DoFileSave();
    // Save As when path is null: asks for the name first, once the showing
    // card form has been written back.
    BOOL DoSave(const char* path);

    // The backups a save makes under options, as the program makes them.
    static BackupPolicy Backups(const COptions& options);

signals:
    // The path, the title or the modified flag changed.
    void stateChanged();
    // A file was opened or saved under path (native encoding).
    void fileRecorded(const std::string& path);

private:
    void SetPathName(const std::string& path);
    BOOL CommitHostView();

    std::unique_ptr<CAddrBook> m_pBook;
    CAddrCard* m_pCurrentCard = nullptr;
    std::string m_strPathName;
    bool m_bModified = false;
    IDocumentHost* m_pHost = nullptr;
    COptions m_options;
    std::vector<IKolvaneView*> m_views;
    CBookLock m_lock;
};
