#pragma once
// One address card: its notation, eight texts and its contact entries, with the
// stored form used by the address book file and the private clipboard format.

#include "model/AddrContactList.h"

enum : int {
    NOTATION_NONE = -1, // a new card that no form has saved and import did not create
    NOTATION_JAPANESE = 0,
    NOTATION_ENGLISH = 1,
};

class CAddrCard : public CObject {
public:
    // Fills a freshly constructed card; on an error or a newer version the card
    // holds what was read so far.
    virtual std::optional<CFileError> Read(CFile* file);
    virtual std::optional<CFileError> Write(CFile* file) const;

    // No text the card's notation shows and no contact entry, not even one with
    // an empty text.
    BOOL IsEmpty() const;
    BOOL IsJapanese() const { return m_nNotation == NOTATION_JAPANESE; }
    BOOL IsEnglish() const { return m_nNotation == NOTATION_ENGLISH; }

    // The card list's index and search tests (model/CardRules.h).
    BOOL MatchesIndex(const char* set) const;
    BOOL MatchesSearch(const char* text, BOOL bMatchCase) const;

    int m_nNotation = NOTATION_NONE;
    CZkString m_strFurigana;
    CZkString m_strName;
    CZkString m_strTitle;
    CZkString m_strCompany;
    CZkString m_strZip;
    CZkString m_strAddress;
    CZkString m_strOther;
    CZkString m_strNotes;
    CAddrContactList m_contacts;
};
