#include "model/AddrBook.h"
#include "ModelTestUtil.h"

namespace {

// An empty book with the default contact methods.
const std::string kEmptyBook =
    Hex("46 44 56 4B  01 00 00 00  00 00 00 00"
        "01 00 00 00  08 00 00 00"
        "00 00 00 00  01 00 00 00 00  01 00 00 00 00"
        "01 00 00 00  05 00 00 00 93 64 98 62 00  06 00 00 00 50 68 6F 6E 65 00"
        "02 00 00 00  06 00 00 00 CC A7 AF B8 BD 00  04 00 00 00 46 61 78 00"
        "03 00 00 00  05 00 00 00 8C 67 91 D1 00  09 00 00 00 43 65 6C 6C 75 6C 61 72 00"
        "04 00 00 00  07 00 00 00 CE DF B9 CD DE D9 00  06 00 00 00 50 61 67 65 72 00"
        "05 00 00 00  04 00 00 00 D2 B0 D9 00  07 00 00 00 45 2D 6D 61 69 6C 00"
        "06 00 00 00  09 00 00 00 CE B0 D1 CD DF B0 BC DE 00"
        "             08 00 00 00 57 65 62 73 69 74 65 00"
        "07 00 00 00  08 00 00 00 CA DD C4 DE D9 96 BC 00"
        "             09 00 00 00 55 73 65 72 6E 61 6D 65 00");

std::vector<std::string> Names(CAddrBook& book, CAddrCard* (CAddrBook::*next)()) {
    std::vector<std::string> names;
    book.ResetCursor();
    while (CAddrCard* card = (book.*next)())
        names.push_back(card->m_strName.str());
    return names;
}

} // namespace

TEST(AddrBook, EmptyBookIs211Bytes) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    const std::string stored = StoredForm(book);
    EXPECT_EQ(stored.size(), 211u);
    EXPECT_EQ(stored, kEmptyBook);

    CMemFile file(kEmptyBook, "book.kvd");
    CAddrBook back;
    ASSERT_TRUE(back.Read(&file));
    EXPECT_EQ(back.GetCount(), 0);
    EXPECT_EQ(back.m_methods.GetCount(), 8);
}

TEST(AddrBook, OneCardBookBytes) {
    CAddrBook book;
    EXPECT_EQ(book.AddCard(new CAddrCard), 0);
    book.m_methods.Add("", "");
    EXPECT_EQ(StoredForm(book), Hex("46 44 56 4B  01 00 00 00  01 00 00 00"
                                    "01 00 00 00  FF FF FF FF"
                                    "01 00 00 00 00  01 00 00 00 00  01 00 00 00 00"
                                    "01 00 00 00 00  01 00 00 00 00  01 00 00 00 00"
                                    "01 00 00 00 00  01 00 00 00 00"
                                    "01 00 00 00  00 00 00 00"
                                    "01 00 00 00  01 00 00 00"
                                    "00 00 00 00  01 00 00 00 00  01 00 00 00 00"));
}

TEST(AddrBook, CardsComeBackInOrderAndEqualCardsStayTwo) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    book.AddCard(NewCard(0, "やまだ", "山田"));
    book.AddCard(NewCard(1, "", "Smith"));
    book.AddCard(NewCard(0, "やまだ", "山田"));
    book.AddCard(NewCard(-1, "", "None"));
    EXPECT_EQ(book.AddCard(nullptr), -1);
    book.GetAt(1)->m_contacts.Add(5, "smith@example.com");

    CMemFile file(StoredForm(book), "book.kvd");
    CAddrBook back;
    ASSERT_TRUE(back.Read(&file));
    ASSERT_EQ(back.GetCount(), 4);
    EXPECT_EQ(StoredForm(back), file.Data());
    EXPECT_EQ(Names(back, &CAddrBook::GetNextCard),
              (std::vector<std::string>{Sjis("山田").str(), "Smith", Sjis("山田").str(), "None"}));
    EXPECT_NE(back.GetAt(0), back.GetAt(2));
}

TEST(AddrBook, WalksSkipCardsOfOtherNotations) {
    CAddrBook book;
    book.AddCard(NewCard(0, "かとう", "J1"));
    book.AddCard(NewCard(1, "", "E1"));
    book.AddCard(NewCard(-1, "かわい", "N1"));
    book.AddCard(NewCard(0, "がっこう", "J2"));
    book.AddCard(NewCard(1, "", "kent"));

    EXPECT_EQ(Names(book, &CAddrBook::GetNextJapanese), (std::vector<std::string>{"J1", "J2"}));
    EXPECT_EQ(Names(book, &CAddrBook::GetNextEnglish), (std::vector<std::string>{"E1", "kent"}));

    const CString ka = Sjis("かきくけこ");
    std::vector<std::string> indexed;
    book.ResetCursor();
    while (CAddrCard* card = book.GetNextIndexed(ka))
        indexed.push_back(card->m_strName.str());
    EXPECT_EQ(indexed, (std::vector<std::string>{"J1", "N1"}));

    std::vector<std::string> matching;
    book.ResetCursor();
    while (CAddrCard* card = book.GetNextMatching("E", FALSE))
        matching.push_back(card->m_strName.str());
    EXPECT_EQ(matching, (std::vector<std::string>{"E1", "kent"}));
    book.ResetCursor();
    while (CAddrCard* card = book.GetNextMatching("e", TRUE))
        matching.push_back(card->m_strName.str());
    EXPECT_EQ(matching, (std::vector<std::string>{"E1", "kent", "kent"}));
    EXPECT_EQ(book.GetNextCard(), nullptr);
}

TEST(AddrBook, RemovingCards) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    book.AddCard(NewCard(1, "", "a"));
    CAddrCard* a = book.GetAt(0);
    book.AddCard(NewCard(1, "", "b"));
    book.AddCard(NewCard(1, "", "c"));
    book.AddCard(NewCard(1, "", "d"));
    CAddrCard* c = book.GetAt(2);
    const unsigned before = book.GetGeneration();

    EXPECT_EQ(book.RemoveCard(c), 3);
    EXPECT_NE(book.GetGeneration(), before);
    EXPECT_EQ(Names(book, &CAddrBook::GetNextCard), (std::vector<std::string>{"a", "b", "d"}));

    CAddrCard* const gone[] = {a, book.GetAt(2)};
    EXPECT_EQ(book.RemoveCards(gone), 1);
    EXPECT_EQ(Names(book, &CAddrBook::GetNextCard), (std::vector<std::string>{"b"}));

    // Removing everything also empties the contact methods, blank method included.
    book.RemoveAll();
    EXPECT_EQ(book.GetCount(), 0);
    EXPECT_EQ(book.m_methods.GetCount(), 0);

    CAddrBook other;
    other.AddCard(NewCard(1, "", "x"));
    other.m_methods.SetDefaults();
    book.Swap(other);
    EXPECT_EQ(book.GetCount(), 1);
    EXPECT_EQ(book.m_methods.GetCount(), 8);
    EXPECT_EQ(other.GetCount(), 0);
}
