// The book, its cards and its contact methods in memory.

#include "model/AddrBook.h"
#include "ModelTestUtil.h"

namespace {

std::vector<std::string> Names(const CAddrBook& book) {
    std::vector<std::string> names;
    for (const auto& card : book.Cards())
        names.push_back(card->m_strName.str());
    return names;
}

} // namespace

TEST(AddrBook, RemovingAndSwappingCards) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    for (const char* name : {"a", "b", "c", "d"})
        book.AddCard(NewCard(1, "", name));
    CAddrCard* a = book.GetAt(0);
    const unsigned before = book.GetGeneration();
    EXPECT_EQ(book.RemoveCard(book.GetAt(2)), 3);
    EXPECT_NE(book.GetGeneration(), before);
    CAddrCard* const gone[] = {a, book.GetAt(2)};
    EXPECT_EQ(book.RemoveCards(gone), 1);
    EXPECT_EQ(Names(book), (std::vector<std::string>{"b"}));
    // Removing everything also empties the contact methods, blank method included.
    book.RemoveAll();
    EXPECT_EQ(book.GetCount() + book.m_methods.GetCount(), 0);

    CAddrBook other;
    other.AddCard(NewCard(1, "", "x"));
    other.m_methods.SetDefaults();
    book.Swap(other);
    EXPECT_EQ(Names(book), (std::vector<std::string>{"x"}));
    EXPECT_EQ(book.m_methods.GetCount(), 8);
    EXPECT_EQ(other.GetCount(), 0);
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

TEST(ContactMethodTable, IdsAreReusedAndLookupsTakeTheFirstMatch) {
    CContactMethodTable table;
    table.SetDefaults();
    EXPECT_EQ(table.Remove(4), 0);
    EXPECT_EQ(table.Remove(4), -1);
    EXPECT_EQ(table.Add("Same", "A"), 4);
    EXPECT_EQ(table.Add("Same", "a"), 8);
    std::vector<int> ids;
    for (int i = 0; i <= table.GetCount(); ++i)
        ids.push_back(table.GetIdAt(i));
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 4, 8, -1}));
    EXPECT_EQ(table.FindByJapanese("Same"), 4);
    EXPECT_EQ(table.FindByJapanese("same"), -1); // case-sensitive
    EXPECT_EQ(table.FindByEnglish("a"), 8);
    EXPECT_EQ(table.FindByJapanese(""), 0);
    EXPECT_EQ(table.FindByJapanese(Sjis("携帯")), 3);

    EXPECT_EQ(table.Modify(4, "New", "Name"), 0);
    EXPECT_EQ(table.Modify(99, "New", "Name"), -1);
    CString ja, en;
    EXPECT_EQ(table.Get(4, ja, en), 0);
    EXPECT_EQ(ja + en, CString("NewName"));
    EXPECT_EQ(table.Get(99, ja, en), -1);
    EXPECT_TRUE(ja.IsEmpty() && en.IsEmpty());
}
