// The stored form of books, cards and contact methods, byte for byte, and the
// errors of their readers and of the .kvd file as values.

#include "ModelTestUtil.h"
#include "model/AddrBookFile.h"
#include "platform/RecordingUserInteraction.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <new>

namespace fs = std::filesystem;

namespace {

// The largest allocation made through operator new while watching, so a test
// can assert that a reader never asks for more memory than its input could fill.
bool g_watching = false;
std::size_t g_largest = 0;

void* Allocate(std::size_t size) {
    if (g_watching && size > g_largest)
        g_largest = size;
    return std::malloc(size ? size : 1);
}

// "46 44 56 4B" to its bytes; white space between bytes is ignored.
std::string Hex(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!std::isspace(static_cast<unsigned char>(text[i])))
            out += static_cast<char>(std::stoi(text.substr(i++, 2), nullptr, 16));
    return out;
}

std::string ErrorText(const std::optional<CFileError>& error) {
    return error ? error->GetText() : std::string();
}

template <class Record> std::string StoredForm(Record& record) {
    CMemFile file;
    EXPECT_EQ(ErrorText(record.Write(&file)), "");
    return file.Data();
}

const std::string kNewer = "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                           "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n";
const std::string kNotABook = "このﾌｧｲﾙは住所録ﾌｧｲﾙではないか、壊れています。\n";

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

const std::string kFilledCard = Hex("01 00 00 00  00 00 00 00"
                                    "07 00 00 00 82 E2 82 DC 82 BE 00" // やまだ
                                    "05 00 00 00 8E 52 93 63 00"       // 山田
                                    "01 00 00 00 00"
                                    "03 00 00 00 87 8A 00"                   // ㈱
                                    "09 00 00 00 31 30 30 2D 30 30 30 31 00" // 100-0001
                                    "05 00 00 00 61 0D 0A 62 00"             // a CR LF b
                                    "01 00 00 00 00"
                                    "03 00 00 00 95 5C 00" // 表: its trail byte is '\'
                                    "01 00 00 00  03 00 00 00"
                                    "01 00 00 00  03 00 00 00 30 33 00"
                                    "FF FF FF FF  02 00 00 00 78 00"
                                    "63 00 00 00  01 00 00 00 00");

// Duplicate and negative method ids, kept as stored.
const std::string kOddTable = Hex("01 00 00 00  03 00 00 00"
                                  "05 00 00 00  02 00 00 00 61 00  02 00 00 00 62 00"
                                  "FF FF FF FF  02 00 00 00 63 00  01 00 00 00 00"
                                  "05 00 00 00  02 00 00 00 64 00  01 00 00 00 00");

std::string WithLong(std::string bytes, size_t at, const char* hex) {
    bytes.replace(at, 4, Hex(hex));
    return bytes;
}

// A small but varied book: double-byte texts, contacts, a card without any.
std::string ValidBook() {
    CAddrBook book;
    book.m_methods.SetDefaults();
    CAddrCard* a = NewCard(0, "やまだ たろう", "山田 太郎", "㈱山田商事");
    a->m_contacts.Add(1, "03-1234-5678");
    a->m_contacts.Add(5, "taro@example.jp");
    book.AddCard(a);
    book.AddCard(NewCard(1, "", "John Smith", "Acme"));
    CAddrCard* c = NewCard(-1, "", "");
    c->m_contacts.Add(-1, "");
    book.AddCard(c);
    return StoredForm(book);
}

// Reads bytes as a Record and stores what was read again.
template <class Record> std::string ReadAndStore(const std::string& bytes) {
    CMemFile file(bytes, "r");
    Record record;
    EXPECT_EQ(ErrorText(record.Read(&file)), "");
    EXPECT_EQ(file.GetRemaining(), 0u);
    return StoredForm(record);
}

} // namespace

TEST(StoredForm, WrittenAndReadBackByteForByte) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    EXPECT_EQ(StoredForm(book), kEmptyBook);
    CAddrCard card;
    card.m_nNotation = NOTATION_JAPANESE;
    card.m_strFurigana = Sjis("やまだ");
    card.m_strName = Sjis("山田");
    card.m_strCompany = Sjis("㈱");
    card.m_strZip = "100-0001";
    card.m_strAddress = "a\r\nb";
    card.m_strNotes = Sjis("表");
    card.m_contacts.Add(1, "03");
    card.m_contacts.Add(-1, "x");
    card.m_contacts.Add(99, "");
    EXPECT_EQ(StoredForm(card), kFilledCard);

    EXPECT_EQ(ReadAndStore<CAddrBook>(kEmptyBook), kEmptyBook);
    EXPECT_EQ(ReadAndStore<CAddrCard>(kFilledCard), kFilledCard);
    EXPECT_EQ(ReadAndStore<CContactMethodTable>(kOddTable), kOddTable);
    // Version 0 reads; negative counts read nothing.
    EXPECT_EQ(ReadAndStore<CAddrBook>(WithLong(ValidBook(), 4, "00 00 00 00")), ValidBook());
    EXPECT_EQ(ReadAndStore<CAddrCard>(WithLong(kFilledCard, 0, "00 00 00 00")), kFilledCard);
    EXPECT_EQ(ReadAndStore<CAddrBook>(WithLong(kEmptyBook, 8, "FB FF FF FF")), kEmptyBook);
    EXPECT_EQ(ReadAndStore<CAddrCard>(kFilledCard.substr(0, 78) + Hex("FF FF FF FF")),
              kFilledCard.substr(0, 78) + Hex("00 00 00 00"));
}

TEST(StoredForm, ReadErrorsComeBackAsValuesAndShowNothing) {
    const std::string valid = ValidBook();
    const std::string path = "/home/ゆき/住所録.kvd";
    const size_t contactsAt = valid.find(Hex("02 00 00 00  01 00 00 00  0D 00 00 00"));
    const size_t secondCardAt = valid.find(Hex("01 00 00 00  01 00 00 00  01 00 00 00 00"));
    // version and notation, reading, "John Smith", title, "Acme", four empty texts
    const size_t secondListAt = secondCardAt + 8 + 5 + 15 + 5 + 9 + 5 + 5 + 5 + 5;
    const size_t tableAt = valid.size() - 199;
    ASSERT_EQ(valid.substr(secondListAt, 8), Hex("01 00 00 00 00 00 00 00"));
    ASSERT_EQ(valid.substr(tableAt, 8), Hex("01 00 00 00 08 00 00 00"));

    const std::string newer = kNewer + path;
    const std::string cut =
        "ﾌｧｲﾙ " + path + " は途中で終わっています。壊れている可能性があります。";
    const struct {
        size_t at;
        const char* value;
        int cardsKept;
        std::string text;
    } cases[] = {
        // Newer versions at every level; nothing is read after the version.
        {4, "02 00 00 00", 0, newer},
        {12, "FF FF FF FF", 0, newer},
        {secondListAt, "02 00 00 00", 1, newer},
        {tableAt, "02 00 00 00", 3, newer},
        // Counts beyond the data fail before anything is reserved for them.
        {8, "04 00 00 00", 3, cut},
        {8, "FF FF FF 7F", 0, cut},
        {contactsAt, "FF FF FF 7F", 0, cut},
        {contactsAt + 8, "F0 FF FF FF", 0, cut},
        {tableAt + 4, "09 00 00 00", 3, cut},
    };
    RecordingUserInteraction ui;
    for (const auto& c : cases) {
        CMemFile file(WithLong(valid, c.at, c.value), path);
        CAddrBook book;
        g_largest = 0;
        g_watching = true;
        const std::optional<CFileError> error = book.Read(&file);
        g_watching = false;
        EXPECT_LE(g_largest, valid.size() + 1024) << c.at;
        EXPECT_EQ(ErrorText(error), c.text) << c.at;
        EXPECT_EQ(book.GetCount(), c.cardsKept) << c.at;
        if (c.text == newer) {
            EXPECT_EQ(file.GetPosition(), c.at + 4) << c.at;
        }
    }
    // Every cut after the leading four bytes is the end-of-file error.
    for (size_t length = 0; length < valid.size(); ++length) {
        CMemFile file(valid.substr(0, length), path);
        CAddrBook book;
        EXPECT_EQ(ErrorText(book.Read(&file)), length < 4 ? kNotABook + path : cut) << length;
    }
    EXPECT_TRUE(ui.messages.empty());
}

// The document's tests open a damaged and a missing file and save, kolvane-cli's
// open a newer one.
TEST(AddrBookFile, LoadAndItsErrors) {
    char pattern[] = "/tmp/kolvane-model-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path dir = fs::path(pattern) / "Café 住所録";
    fs::create_directories(dir / "blocked.kvd");
    const fs::path path = dir / "book.kvd";
    std::ofstream(path).close();
    CAddrBook book;
    // An empty file is an empty book with the default methods.
    ASSERT_EQ(ErrorText(LoadAddrBook(path.c_str(), book)), "");
    EXPECT_EQ(StoredForm(book), kEmptyBook);

    RecordingUserInteraction ui;
    // Files that are no book are refused before anything is read.
    const std::pair<const char*, std::string> refused[] = {
        {"zeros.kvd", std::string(20, '\0')},
        {"a.pdf", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"},
        {"memo.txt", "FDV\r\nKolvane"},
        {"short.kvd", "FDV"},
        {"blocked.kvd", ""}, // a folder
    };
    for (const auto& [name, bytes] : refused) {
        const fs::path file = dir / name;
        if (!bytes.empty())
            std::ofstream(file, std::ios::binary) << bytes;
        CAddrBook none;
        const std::optional<CFileError> error = LoadAddrBook(file.c_str(), none);
        ASSERT_TRUE(error) << name;
        EXPECT_EQ(error->GetText(), bytes.empty()
                                        ? "ﾌｧｲﾙ " + file.string() + " へのｱｸｾｽが拒否されました。"
                                        : kNotABook + file.string());
        EXPECT_EQ(error->m_nType, UINT(MB_OK | MB_ICONSTOP)) << name;
    }
    EXPECT_TRUE(ui.messages.empty());
    fs::remove_all(pattern);
}

void* operator new(std::size_t size) {
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
