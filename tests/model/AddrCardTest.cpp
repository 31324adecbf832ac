#include "model/AddrCard.h"
#include "ModelTestUtil.h"
#include "platform/RecordingUserInteraction.h"

namespace {

const std::string kNewCard = Hex("01 00 00 00  FF FF FF FF"
                                 "01 00 00 00 00  01 00 00 00 00  01 00 00 00 00  01 00 00 00 00"
                                 "01 00 00 00 00  01 00 00 00 00  01 00 00 00 00  01 00 00 00 00"
                                 "01 00 00 00  00 00 00 00");

const std::string kFilledCard = Hex("01 00 00 00  00 00 00 00"
                                    "07 00 00 00 82 E2 82 DC 82 BE 00" // やまだ
                                    "05 00 00 00 8E 52 93 63 00"       // 山田
                                    "01 00 00 00 00"
                                    "03 00 00 00 87 8A 00"                   // ㈱
                                    "09 00 00 00 31 30 30 2D 30 30 30 31 00" // 100-0001
                                    "05 00 00 00 61 0D 0A 62 00"             // a CR LF b
                                    "01 00 00 00 00"
                                    "03 00 00 00 95 5C 00" // 表
                                    "01 00 00 00  03 00 00 00"
                                    "01 00 00 00  03 00 00 00 30 33 00"
                                    "FF FF FF FF  02 00 00 00 78 00"
                                    "63 00 00 00  01 00 00 00 00");

CAddrCard FilledCard() {
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
    return card;
}

void ExpectSameCard(const CAddrCard& a, const CAddrCard& b) {
    EXPECT_EQ(a.m_nNotation, b.m_nNotation);
    EXPECT_EQ(a.m_strFurigana, b.m_strFurigana);
    EXPECT_EQ(a.m_strName, b.m_strName);
    EXPECT_EQ(a.m_strTitle, b.m_strTitle);
    EXPECT_EQ(a.m_strCompany, b.m_strCompany);
    EXPECT_EQ(a.m_strZip, b.m_strZip);
    EXPECT_EQ(a.m_strAddress, b.m_strAddress);
    EXPECT_EQ(a.m_strOther, b.m_strOther);
    EXPECT_EQ(a.m_strNotes, b.m_strNotes);
    ASSERT_EQ(a.m_contacts.GetCount(), b.m_contacts.GetCount());
    for (int i = 0; i < a.m_contacts.GetCount(); ++i) {
        EXPECT_EQ(a.m_contacts.Entries()[i].nMethodId, b.m_contacts.Entries()[i].nMethodId);
        EXPECT_EQ(a.m_contacts.Entries()[i].strText, b.m_contacts.Entries()[i].strText);
    }
}

} // namespace

TEST(AddrCard, NewCardIsStoredAs56BytesAndReadsBack) {
    CAddrCard card;
    EXPECT_EQ(StoredForm(card), kNewCard);
    EXPECT_EQ(kNewCard.size(), 56u);

    CMemFile file(kNewCard, "card");
    CAddrCard back;
    back.m_nNotation = 5;
    ASSERT_TRUE(back.Read(&file));
    EXPECT_EQ(back.m_nNotation, NOTATION_NONE);
    EXPECT_TRUE(back.m_strName.IsEmpty());
    EXPECT_EQ(back.m_contacts.GetCount(), 0);
    EXPECT_EQ(file.GetRemaining(), 0u);
}

TEST(AddrCard, FilledCardStoredFormRoundTrips) {
    CAddrCard card = FilledCard();
    EXPECT_EQ(StoredForm(card), kFilledCard);

    CMemFile file(kFilledCard, "card");
    CAddrCard back;
    ASSERT_TRUE(back.Read(&file));
    ExpectSameCard(back, card);
    // Contact entries keep their order, including unknown and -1 method ids.
    int id = 0;
    CString text;
    ASSERT_EQ(back.m_contacts.GetAt(1, id, text), 0);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(text, CString("x"));
    ASSERT_EQ(back.m_contacts.GetAt(2, id, text), 0);
    EXPECT_EQ(id, 99);
    EXPECT_EQ(text, CString(""));
    // Out of range: the outputs stay as they were.
    EXPECT_EQ(back.m_contacts.GetAt(3, id, text), -1);
    EXPECT_EQ(back.m_contacts.GetAt(-1, id, text), -1);
    EXPECT_EQ(id, 99);
}

TEST(AddrCard, VersionZeroReadsAndNewerVersionsAreRefused) {
    RecordingUserInteraction ui;
    std::string v0 = kFilledCard;
    v0[0] = 0;
    CMemFile file0(v0, "card");
    CAddrCard card0;
    ASSERT_TRUE(card0.Read(&file0));
    ExpectSameCard(card0, FilledCard());

    std::string v2 = kFilledCard;
    v2[0] = 2;
    ui.ExpectMessage(std::string(kNewerVersionMessage) + "/tmp/住所録/book.kvd");
    CMemFile file2(v2, "/tmp/住所録/book.kvd");
    CAddrCard card2;
    EXPECT_FALSE(card2.Read(&file2));
    EXPECT_EQ(file2.GetPosition(), 4u); // nothing read after the version
    EXPECT_EQ(ui.messages.back().type, MB_OK | MB_ICONSTOP);

    // The contact list's own version (after the eight texts) is checked too;
    // 0xFFFFFFFF is a version, not -1.
    std::string listV = kFilledCard;
    const size_t listAt = kFilledCard.size() - 4 * 2 - 11 - 10 - 9;
    ASSERT_EQ(listV.substr(listAt, 8), Hex("01 00 00 00 03 00 00 00"));
    listV.replace(listAt, 4, Hex("FF FF FF FF"));
    ui.ExpectMessage(std::string(kNewerVersionMessage) + "card");
    CMemFile fileL(listV, "card");
    CAddrCard cardL;
    EXPECT_FALSE(cardL.Read(&fileL));
    EXPECT_EQ(cardL.m_contacts.GetCount(), 0);
    EXPECT_EQ(ui.Problems(), "");
}

TEST(AddrCard, NegativeContactCountReadsNoEntry) {
    std::string bytes = kNewCard;
    bytes.replace(52, 4, Hex("FE FF FF FF"));
    CMemFile file(bytes, "card");
    CAddrCard card;
    ASSERT_TRUE(card.Read(&file));
    EXPECT_EQ(card.m_contacts.GetCount(), 0);
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
