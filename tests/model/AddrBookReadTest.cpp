// Reading damaged, cut short and newer address book files.

#include "AllocationProbe.h"
#include "ModelTestUtil.h"
#include "model/AddrBook.h"
#include "platform/RecordingUserInteraction.h"

namespace {

// A small but varied book: texts with double-byte characters, contacts, a
// card without any, the default methods.
std::string ValidBook() {
    CAddrBook book;
    book.m_methods.SetDefaults();
    CAddrCard* a = NewCard(0, "やまだ たろう", "山田 太郎", "㈱山田商事");
    a->m_strAddress = Sjis("東京都千代田区\r\n1-1");
    a->m_contacts.Add(1, "03-1234-5678");
    a->m_contacts.Add(5, "taro@example.jp");
    book.AddCard(a);
    book.AddCard(NewCard(1, "", "John Smith", "Acme"));
    CAddrCard* c = NewCard(-1, "", "");
    c->m_contacts.Add(-1, "");
    book.AddCard(c);
    return StoredForm(book);
}

// Byte offsets of the book header's fields.
constexpr size_t kVersionAt = 4;
constexpr size_t kCountAt = 8;
constexpr size_t kFirstCardAt = 12;

std::string WithLong(std::string bytes, size_t at, const char* hex) {
    bytes.replace(at, 4, Hex(hex));
    return bytes;
}

} // namespace

TEST(AddrBookRead, EveryCutShortFileFailsCleanly) {
    const std::string valid = ValidBook();
    ASSERT_GT(valid.size(), 300u);
    RecordingUserInteraction ui;
    for (size_t length = 0; length < valid.size(); ++length) {
        ui.Clear();
        CMemFile file(valid.substr(0, length), "/tmp/Café 住所録/book.kvd");
        CAddrBook book;
        AllocationProbe probe;
        EXPECT_FALSE(book.Read(&file)) << length;
        // Fixed-size objects aside, nothing bigger than the data is reserved.
        EXPECT_LE(probe.Largest(), length + 1024) << length;
        ASSERT_EQ(ui.messages.size(), 1u) << length;
        EXPECT_EQ(ui.messages[0].text, EndOfFileMessage("/tmp/Café 住所録/book.kvd")) << length;
    }
    CMemFile whole(valid, "book.kvd");
    CAddrBook book;
    EXPECT_TRUE(book.Read(&whole));
    EXPECT_EQ(book.GetCount(), 3);
}

TEST(AddrBookRead, CountsBeyondTheDataFailBeforeAnythingIsReserved) {
    const std::string valid = ValidBook();
    // Card count, the first card's contact count, the first contact's text
    // length, and the table's entry count, each made too large.
    const size_t contactsAt = valid.find(Hex("02 00 00 00  01 00 00 00  0D 00 00 00"));
    ASSERT_NE(contactsAt, std::string::npos);
    const size_t tableAt = valid.size() - 199;
    const std::pair<size_t, const char*> damages[] = {
        {kCountAt, "04 00 00 00"},       {kCountAt, "FF FF FF 7F"},    {contactsAt, "FF FF FF 7F"},
        {contactsAt + 8, "F0 FF FF FF"}, {tableAt + 4, "FF FF FF 7F"}, {tableAt + 4, "09 00 00 00"},
    };
    RecordingUserInteraction ui;
    for (const auto& [at, value] : damages) {
        ui.Clear();
        CMemFile file(WithLong(valid, at, value), "book.kvd");
        CAddrBook book;
        AllocationProbe probe;
        EXPECT_FALSE(book.Read(&file)) << at << " " << value;
        // Entries actually read may grow a list a little past the data's size,
        // but no stored count is trusted for a reservation.
        EXPECT_LE(probe.Largest(), valid.size() + 1024) << at << " " << value;
        ASSERT_EQ(ui.messages.size(), 1u) << at << " " << value;
        EXPECT_EQ(ui.messages[0].text, EndOfFileMessage("book.kvd"));
    }
}

TEST(AddrBookRead, NegativeCardCountReadsNoCardButTheTable) {
    CAddrBook empty;
    empty.m_methods.SetDefaults();
    CMemFile file(WithLong(StoredForm(empty), kCountAt, "FB FF FF FF"), "book.kvd");
    CAddrBook book;
    ASSERT_TRUE(book.Read(&file));
    EXPECT_EQ(book.GetCount(), 0);
    EXPECT_EQ(book.m_methods.GetCount(), 8);
}

TEST(AddrBookRead, OldVersionAndOtherMagicRead) {
    const std::string valid = ValidBook();
    std::string other = WithLong(valid, kVersionAt, "00 00 00 00");
    other.replace(0, 4, "ABCD");
    CMemFile file(other, "book.kvd");
    CAddrBook book;
    ASSERT_TRUE(book.Read(&file));
    EXPECT_EQ(StoredForm(book), valid);
}

TEST(AddrBookRead, NewerVersionIsRefusedAtEveryLevel) {
    const std::string valid = ValidBook();
    const std::string path = "/home/ゆき/住所録.kvd";
    const std::string message = std::string(kNewerVersionMessage) + path;
    const size_t secondCardAt = valid.find(Hex("01 00 00 00  01 00 00 00  01 00 00 00 00"));
    ASSERT_NE(secondCardAt, std::string::npos);
    // version and notation, reading, "John Smith", title, "Acme", four empty texts
    const size_t secondListAt = secondCardAt + 8 + 5 + 15 + 5 + 9 + 5 + 5 + 5 + 5;
    ASSERT_EQ(valid.substr(secondListAt, 8), Hex("01 00 00 00 00 00 00 00"));
    const size_t tableAt = valid.size() - 199;

    struct Case {
        size_t at;
        int cardsKept;
    };
    const Case cases[] = {
        {kVersionAt, 0},   // header
        {kFirstCardAt, 0}, // first card
        {secondListAt, 1}, // contact list of the second card
        {tableAt, 3},      // contact-method table
    };
    RecordingUserInteraction ui;
    for (const auto& c : cases) {
        for (const char* version : {"02 00 00 00", "FF FF FF FF"}) {
            ui.Clear();
            ui.ExpectMessage(message);
            CMemFile file(WithLong(valid, c.at, version), path);
            CAddrBook book;
            EXPECT_FALSE(book.Read(&file)) << c.at;
            EXPECT_EQ(book.GetCount(), c.cardsKept) << c.at;
            EXPECT_EQ(book.m_methods.GetCount(), 0);
            EXPECT_EQ(file.GetPosition(), c.at + 4) << "nothing is read after the version";
            EXPECT_EQ(ui.messages.back().type, MB_OK | MB_ICONSTOP);
            EXPECT_EQ(ui.Problems(), "");
        }
    }
}
