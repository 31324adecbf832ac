#pragma once
// What a card form needs of the document that holds its card: the book (for
// its contact-method table and to add a new card), the current card, the
// views to tell about a change, and the modified flag.

#include "app/KolvaneView.h"
#include "model/AddrBook.h"

class ICardFormHost {
public:
    virtual ~ICardFormHost() = default;
    virtual CAddrBook& GetBook() const = 0;
    virtual CAddrCard* GetCurrentCard() const = 0;
    virtual void SetCurrentCard(CAddrCard* card) = 0;
    virtual void AddView(IKolvaneView* view) = 0;
    virtual void RemoveView(IKolvaneView* view) = 0;
    virtual void UpdateAllViews(IKolvaneView* sender, int hint, CAddrCard* card) = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModifiedFlag(bool modified) = 0;
};

// The host for any document class with these operations of the same names
// (the program's document has them).
template <class Doc> class CDocumentCardFormHost final : public ICardFormHost {
public:
    explicit CDocumentCardFormHost(Doc& doc) : m_doc(doc) {}
    CAddrBook& GetBook() const override { return m_doc.GetBook(); }
    CAddrCard* GetCurrentCard() const override { return m_doc.GetCurrentCard(); }
    void SetCurrentCard(CAddrCard* card) override { m_doc.SetCurrentCard(card); }
    void AddView(IKolvaneView* view) override { m_doc.AddView(view); }
    void RemoveView(IKolvaneView* view) override { m_doc.RemoveView(view); }
    void UpdateAllViews(IKolvaneView* sender, int hint, CAddrCard* card) override {
        m_doc.UpdateAllViews(sender, hint, card);
    }
    bool IsModified() const override { return m_doc.IsModified(); }
    void SetModifiedFlag(bool modified) override { m_doc.SetModifiedFlag(modified); }

private:
    Doc& m_doc;
};
