// The book, its cards and its contact methods in memory.

#include "model/AddrBook.h"
#include "ModelTestUtil.h"

// The main window's tests delete cards through the list.
TEST(AddrBook, RemovingCards) {
    CAddrBook book;
    for (const char* name : {"a", "b", "c", "d"})
        book.AddCard(NewCard(1, "", name));
    CAddrCard* a = book.GetAt(0);
    EXPECT_EQ(book.RemoveCard(book.GetAt(2)), 3);
    CAddrCard* const gone[] = {a, book.GetAt(2)};
    EXPECT_EQ(book.RemoveCards(gone), 1);
    ASSERT_EQ(book.GetCount(), 1);
    EXPECT_EQ(book.GetAt(0)->m_strName, CString("b"));
}

TEST(AddrCard, EmptinessDependsOnNotation) {
    EXPECT_TRUE(CAddrCard().IsEmpty());
    // Reading and postal code count on a Japanese card only.
    CZkString CAddrCard::*const fields[] = {&CAddrCard::m_strFurigana, &CAddrCard::m_strZip,
                                            &CAddrCard::m_strName,     &CAddrCard::m_strTitle,
                                            &CAddrCard::m_strCompany,  &CAddrCard::m_strAddress,
                                            &CAddrCard::m_strOther,    &CAddrCard::m_strNotes};
    for (int notation : {NOTATION_ENGLISH, NOTATION_NONE, NOTATION_JAPANESE})
        for (size_t i = 0; i < std::size(fields); ++i) {
            CAddrCard card;
            card.m_nNotation = notation;
            card.*fields[i] = " ";
            EXPECT_EQ(card.IsEmpty(), i < 2 && notation != NOTATION_JAPANESE) << notation << i;
        }
    CAddrCard contact;
    contact.m_contacts.Add(0, "");
    EXPECT_FALSE(contact.IsEmpty());
}

// The contact methods dialog's tests show which id a new method gets.
TEST(ContactMethodTable, LookupsTakeTheFirstMatchOfTheExactName) {
    CContactMethodTable table;
    table.SetDefaults();
    EXPECT_EQ(table.Remove(4), 0);
    EXPECT_EQ(table.Remove(4), -1);
    EXPECT_EQ(table.Add("Same", "A"), 4);
    EXPECT_EQ(table.Add("Same", "a"), 8);
    EXPECT_EQ(table.GetIdAt(7), 4);
    EXPECT_EQ(table.FindByJapanese("Same"), 4);
    EXPECT_EQ(table.FindByJapanese("same"), -1);
    EXPECT_EQ(table.FindByEnglish("a"), 8);
    EXPECT_EQ(table.Modify(4, "New", "Name") + table.Modify(99, "New", "Name"), -1);
    CString ja, en;
    EXPECT_EQ(table.Get(4, ja, en), 0);
    EXPECT_EQ(ja + en, CString("NewName"));
    EXPECT_EQ(table.Get(99, ja, en), -1);
    EXPECT_TRUE(ja.IsEmpty() && en.IsEmpty());
}
