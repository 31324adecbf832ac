// The book, its cards and its contact methods in memory.

#include "model/AddrBook.h"
#include "ModelTestUtil.h"

namespace {

std::vector<std::string> Names(CAddrBook& book, CAddrCard* (CAddrBook::*next)()) {
    std::vector<std::string> names;
    book.ResetCursor();
    while (CAddrCard* card = (book.*next)())
        names.push_back(card->m_strName.str());
    return names;
}

std::vector<int> Ids(const CContactMethodTable& table) {
    std::vector<int> ids;
    for (int i = 0; i < table.GetCount(); ++i)
        ids.push_back(table.GetIdAt(i));
    return ids;
}

} // namespace

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

TEST(AddrCard, EmptinessDependsOnNotation) {
    CAddrCard card;
    EXPECT_TRUE(card.IsEmpty());

    for (int notation : {NOTATION_ENGLISH, NOTATION_NONE, NOTATION_JAPANESE}) {
        CAddrCard reading;
        reading.m_nNotation = notation;
        reading.m_strFurigana = "a";
        CAddrCard zip;
        zip.m_nNotation = notation;
        zip.m_strZip = "1";
        const BOOL empty = notation != NOTATION_JAPANESE;
        EXPECT_EQ(reading.IsEmpty(), empty) << notation;
        EXPECT_EQ(zip.IsEmpty(), empty) << notation;
    }

    CAddrCard contact;
    contact.m_nNotation = NOTATION_ENGLISH;
    contact.m_contacts.Add(0, "");
    EXPECT_FALSE(contact.IsEmpty());

    CZkString CAddrCard::*const fields[] = {&CAddrCard::m_strName,    &CAddrCard::m_strTitle,
                                            &CAddrCard::m_strCompany, &CAddrCard::m_strAddress,
                                            &CAddrCard::m_strOther,   &CAddrCard::m_strNotes};
    for (auto field : fields) {
        CAddrCard c;
        c.m_nNotation = NOTATION_ENGLISH;
        c.*field = " ";
        EXPECT_FALSE(c.IsEmpty());
    }
}

TEST(ContactMethodTable, RemovedIdIsReusedAndAppended) {
    CContactMethodTable table;
    table.SetDefaults();
    EXPECT_EQ(table.Remove(4), 0);
    EXPECT_EQ(table.Remove(4), -1);
    EXPECT_EQ(table.NextFreeId(), 4);
    EXPECT_EQ(table.Add("x", "y"), 4);
    EXPECT_EQ(Ids(table), (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 4}));
    EXPECT_EQ(table.Add("z", "z"), 8);
    EXPECT_EQ(table.IndexOf(4), 7);
    EXPECT_EQ(table.IndexOf(42), -1);
}

TEST(ContactMethodTable, LookupsTakeTheFirstMatch) {
    CContactMethodTable table;
    table.SetDefaults();
    const int first = table.Add("Same", "A");
    table.Add("Same", "a");
    EXPECT_EQ(table.FindByJapanese("Same"), first);
    EXPECT_EQ(table.FindByJapanese("same"), -1); // case-sensitive
    EXPECT_EQ(table.FindByEnglish("a"), first + 1);
    EXPECT_EQ(table.FindByJapanese(""), 0);
    EXPECT_EQ(table.FindByJapanese(Sjis("携帯")), 3);

    EXPECT_EQ(table.Modify(first, "New", "Name"), 0);
    EXPECT_EQ(table.Modify(99, "New", "Name"), -1);
    CString ja("keep"), en("keep");
    EXPECT_EQ(table.Get(first, ja, en), 0);
    EXPECT_EQ(ja, CString("New"));
    EXPECT_EQ(table.Get(99, ja, en), -1);
    EXPECT_TRUE(ja.IsEmpty() && en.IsEmpty());

    EXPECT_EQ(table.GetIdAt(-1), -1);
    EXPECT_EQ(table.GetIdAt(table.GetCount()), -1);

    CContactMethodTable copy;
    copy.Add("old", "old");
    copy = table;
    EXPECT_EQ(StoredForm(copy), StoredForm(table));
    table.RemoveAll();
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.NextFreeId(), 0);
}
