// vCard files: files shaped as phones and address books write them read into
// cards, the bytes written, and cards written and read back unchanged.

#include "platform/CodePage.h"
#include "transfer/KanaNormalise.h"
#include "transfer/VCardReader.h"
#include "transfer/VCardWriter.h"

#include <gtest/gtest.h>

namespace {

// Shift_JIS bytes of a UTF-8 text.
std::string S(std::string_view utf8) {
    CString sjis;
    EXPECT_TRUE(cp932::FromUtf8(utf8, sjis));
    return sjis.str();
}

std::string U(const CString& sjis) {
    return cp932::ToUtf8Lossy(sjis.view());
}

// A card in one line: notation|reading|name|title|company|zip|address|other|notes|id:text...
std::string Describe(const CAddrCard& c) {
    std::string s = std::to_string(c.m_nNotation);
    for (const CZkString* f : {&c.m_strFurigana, &c.m_strName, &c.m_strTitle, &c.m_strCompany,
                               &c.m_strZip, &c.m_strAddress, &c.m_strOther, &c.m_strNotes})
        (s += '|') += U(*f);
    for (const AddrContact& contact : c.m_contacts.Entries())
        (((s += '|') += std::to_string(contact.nMethodId)) += ':') += U(contact.strText);
    return s;
}

CContactMethodTable Methods() {
    CContactMethodTable methods;
    methods.SetDefaults();
    return methods;
}

std::vector<std::string> Read(std::string_view bytes, VCardReport& report,
                              CContactMethodTable& methods, VCardReadOptions options = {}) {
    std::vector<std::string> cards;
    for (const auto& card : ReadVCards(bytes, methods, options, report))
        cards.push_back(Describe(*card));
    return cards;
}

std::string Qp(std::string_view bytes) {
    std::string out;
    for (unsigned char b : bytes)
        ((out += '=') += "0123456789ABCDEF"[b >> 4]) += "0123456789ABCDEF"[b & 15];
    return out;
}

struct ShapeCase {
    const char* shape;
    std::string file;
    std::vector<std::string> cards;
    bool hiragana = true;
};

TEST(VCardRead, FilesOfEachShapeGiveTheirCards) {
    const std::vector<ShapeCase> cases = {
        {"Apple 3.0",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Apple Inc.//macOS//EN\r\nN:山田;太郎;;;\r\n"
         "FN:山田 太郎\r\nX-PHONETIC-FIRST-NAME:タロウ\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\n"
         "ORG:山田商事;営業部;\r\nTITLE:課長\r\nEMAIL;type=INTERNET;type=HOME;type=pref:t@example."
         "com\r\n"
         "TEL;type=\"CELL,VOICE\";type=pref:090-1111-2222\r\nitem1.TEL:03-1111-2222\r\n"
         "item1.X-ABLabel:_$!<Mobile>!$_\r\nitem2.URL:https://example.com/"
         "\r\nitem2.X-ABLabel:LINE\r\n"
         "ADR;type=HOME:;;丸の内1-1;千代田区;東京都;100-0001;日本\r\n"
         "ADR;type=WORK;type=pref:;3階;大手町1-1;千代田区;東京都;100-0004;\r\nBDAY:1980-01-01\r\n"
         "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:株式会社カナ\r\nORG:株式会社カナ;"
         "\r\n"
         "X-PHONETIC-ORG:カブシキガイシャカナ\r\nX-ABShowAs:COMPANY\r\nEND:VCARD\r\n",
         {"0|やまだ たろう|山田 太郎|営業部 課長|山田商事|100-0004|東京都千代田区大手町1-1\r\n3階|"
          "100-0001 東京都千代田区丸の内1-1\r\n日本||5:t@example.com|3:090-1111-2222|"
          "3:03-1111-2222|8:https://example.com/",
          "0|かぶしきがいしゃかな|||株式会社カナ||||"}},
        {"Android 2.1, UTF-8 quoted-printable with a soft break inside a character",
         "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E4=BD=90=E8=97=A4;"
         "=E8=8A=B1=E5=AD=90;;;\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E4=BD=90=E8=97=A4=20"
         "=E8=8A=B1=E5=AD=90\nX-PHONETIC-LAST-NAME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E3=82"
         "=B5=E3=83=88=E3=82=A6\nTEL;CELL;VOICE:090-3333-4444\nNOTE;CHARSET=UTF-8;QUOTED-PRINTABLE:"
         "=E4=B8=80=E8=A1=8C=E7=9B=AE=0D=0A=E4=BA=8C=E8=\n=A1=8C=E7=9B=AE\nEND:VCARD\n",
         {"0|さとう|佐藤 花子|||||一行目\r\n二行目||3:090-3333-4444"}},
        {"feature phone 2.1, raw Shift_JIS, reading in SOUND, address in component 2",
         std::string("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:") + S("安藤;路井土") +
             "\r\nSOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" + S("ｱﾝﾄﾞｳ ﾛｲﾄﾞ") +
             ";;;;\r\nADR;HOME;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:;;" +
             Qp(S("大阪府大阪市北区1-2-3")) + ";;;530-0001;\r\nTEL;VOICE:06-1234-5678\r\nEND:VCARD",
         {"0|あんどう ろいど|安藤 路井土|||530-0001|大阪府大阪市北区1-2-3|||1:06-1234-5678"}},
        {"表 ソ before ; and , raw in 2.1 and escaped in 3.0",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:" + S("表;ソ;;;") +
             "\r\nORG;CHARSET=SHIFT_JIS:" + S("能,予;十") +
             "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:表\\,ソ;十\\;予;;;\r\n"
             "NOTE:構\\\\能\\n予\r\nEND:VCARD\r\n",
         {"0||表 ソ|十|能,予||||", "0||表,ソ 十;予|||||構\\能\r\n予|"}},
        {"4.0 SORT-AS with , and ;, RFC 9554 phonetic N, 3.0 SORT-STRING alone",
         "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:鈴木 "
         "一郎\r\nN;SORT-AS=\"すずき,いちろう\":鈴木;一郎;;;\r\n"
         "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\nFN:高橋 次郎\r\n"
         "N;SORT-AS=\"タカハシ;ジロウ\":高橋;次郎;;;\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\n"
         "FN:田中三郎\r\nN;ALTID=1;LANGUAGE=ja:田中;三郎;;;\r\n"
         "N;ALTID=1;PHONETIC=script;SCRIPT=Hrkt:たなか;さぶろう;;;\r\nEND:VCARD\r\n"
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:伊藤;四郎;;;\r\nSORT-STRING:いとう "
         "しろう\r\nEND:VCARD\r\n",
         {"0|すずき いちろう|鈴木 一郎||||||", "0|たかはし じろう|高橋 次郎||||||",
          "0|たなか さぶろう|田中三郎||||||", "0|いとう しろう|伊藤 四郎||||||"}},
        {"readings kept as written when asked, English by its name",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:高橋 次郎\r\nSORT-STRING:ﾀｶﾊｼ ｼﾞﾛｳ\r\nEND:VCARD\r\n"
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;John;Q;;\r\nTEL;TYPE=FAX:555\r\nEND:VCARD\r\n",
         {"0|ﾀｶﾊｼ ｼﾞﾛｳ|高橋 次郎||||||", "1||John Q Smith|||||||2:555"},
         false},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.shape);
        CContactMethodTable methods = Methods();
        VCardReport report;
        VCardReadOptions options;
        options.hiraganaReadings = c.hiragana;
        EXPECT_EQ(Read(c.file, report, methods, options), c.cards);
        EXPECT_EQ(report.cards, static_cast<int>(c.cards.size()));
        EXPECT_TRUE(report.problems.empty() && report.unstorable.empty());
    }
}

TEST(VCardRead, ReportsWhatItCouldNotKeep) {
    CContactMethodTable methods = Methods();
    VCardReport report;
    const auto cards = Read("junk:x\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:𠮷田 花子\r\nBDAY:2000\r\n"
                            "PHOTO;ENCODING=b:AAAA\r\nBDAY:2001\r\nno colon here\r\n",
                            report, methods);
    EXPECT_EQ(cards, std::vector<std::string>{"0||〓田 花子||||||"});
    ASSERT_EQ(report.unstorable.size(), 1u);
    EXPECT_EQ(report.unstorable[0].card, 1);
    EXPECT_EQ(report.unstorable[0].line, 4);
    EXPECT_EQ(report.unstorable[0].property, "FN");
    EXPECT_EQ(report.unstorable[0].character, "𠮷");
    EXPECT_EQ(VCardUnstorableText(report.unstorable[0], true),
              "4 行目 (1 件目の FN): \"𠮷\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字です。〓 にしました。");
    EXPECT_EQ(report.ignored, (std::map<std::string, int>{{"BDAY", 2}, {"PHOTO", 1}}));
    std::vector<std::string> problems;
    for (const VCardProblem& p : report.problems)
        problems.push_back(VCardProblemText(p, false));
    EXPECT_EQ(problems,
              (std::vector<std::string>{"line 1: outside BEGIN:VCARD and END:VCARD; skipped",
                                        "line 8: a line without a value; skipped",
                                        "line 2: the card beginning here has no END:VCARD"}));
}

TEST(VCardRead, KanaBecomesHiragana) {
    const std::pair<const char*, const char*> cases[] = {
        {"ｶﾞｷﾞﾊﾟﾋﾟｳﾞｧｰｯ ﾎﾟ", "がぎぱぴヴぁーっ ぽ"},
        {"ヴァケヶヵヽ漢字ｶﾟ", "ヴぁけヶヵゝ漢字か゜"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(U(KanaToHiragana(S(in))), out) << in;
}

CAddrCard JapaneseCard() {
    CAddrCard card;
    card.m_nNotation = NOTATION_JAPANESE;
    card.m_strFurigana = S("やまだ たろう").c_str();
    card.m_strName = S("山田 太郎").c_str();
    card.m_strTitle = S("営業部").c_str();
    card.m_strCompany = S("ソフト表示;能力,十").c_str();
    card.m_strZip = "100-0001";
    card.m_strAddress = S("東京都港区表参道1-1\r\nソ十ビル3階").c_str();
    card.m_strOther = S("備考1\r\n備考2\\").c_str();
    card.m_strNotes = S("ﾒﾓ1\r\nﾒﾓ2").c_str();
    const char* texts[] = {"03-1111-2222",  "03-1111-3333",         "090-1", "020-1",
                           "t@example.com", "https://example.com/", "taro",  "line-id"};
    for (int id = 1; id <= 8; ++id)
        card.m_contacts.Add(id, texts[id - 1]);
    return card;
}

TEST(VCardWrite, CardsComeBackFieldByFieldInEveryVersion) {
    CContactMethodTable methods = Methods();
    methods.Add("LINE", "LINE");
    const CAddrCard japanese = JapaneseCard();
    CAddrCard english = japanese;
    english.m_nNotation = NOTATION_ENGLISH;
    english.m_strFurigana = "";
    english.m_strZip = "";
    english.m_strName = "John Q Smith";
    english.m_strCompany = "Acme; Inc., \\Ltd";
    english.m_strAddress = "1 Main St\r\nSpringfield, IL 62701\r\nUSA";
    const CAddrCard* cards[] = {&japanese, &english};
    for (VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string file = WriteVCards(cards, methods, version);
        CContactMethodTable back = methods;
        VCardReport report;
        EXPECT_EQ(Read(file, report, back),
                  (std::vector<std::string>{Describe(japanese), Describe(english)}));
        EXPECT_EQ(back.GetCount(), methods.GetCount());
        if (version == VCardVersion::V21) {
            EXPECT_EQ(file.find_first_of(std::string("\x80\xFF", 2)), std::string::npos);
        }
    }
}

TEST(VCardWrite, BytesOfEachVersion) {
    const CContactMethodTable methods = Methods();
    CAddrCard card;
    card.m_nNotation = NOTATION_JAPANESE;
    card.m_strFurigana = S("やまだ たろう").c_str();
    card.m_strName = S("山田 太郎").c_str();
    card.m_contacts.Add(1, "03-1111-2222");
    const CAddrCard* cards[] = {&card};
    EXPECT_EQ(WriteVCards(cards, methods, VCardVersion::V30),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
              "X-PHONETIC-LAST-NAME:やまだ\r\nX-PHONETIC-FIRST-NAME:たろう\r\n"
              "SORT-STRING:やまだ たろう\r\nTEL;TYPE=VOICE:03-1111-2222\r\n"
              "X-KOLVANE-NOTATION:ja\r\nEND:VCARD\r\n");
    EXPECT_NE(WriteVCards(cards, methods, VCardVersion::V40)
                  .find("\r\nN;SORT-AS=\"やまだ,たろう\":山田;太郎;;;\r\nFN:山田 太郎\r\n"),
              std::string::npos);
    const std::string h = ";CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:";
    EXPECT_EQ(WriteVCards(cards, methods, VCardVersion::V21),
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN" + h +
                  "=8E=52=93=63=3B=91=BE=98=59=\r\n=3B=3B=3B\r\n"
                  "FN" +
                  h +
                  "=8E=52=93=63=20=91=BE=98=59\r\n"
                  "X-PHONETIC-LAST-NAME" +
                  h +
                  "=82=E2=82=\r\n=DC=82=BE\r\n"
                  "X-PHONETIC-FIRST-NAME" +
                  h +
                  "=82=BD=82=\r\n=EB=82=A4\r\n"
                  "SOUND;X-IRMC-N" +
                  h +
                  "=82=E2=82=DC=82=\r\n=BE=20=82=BD=82=EB=82=A4=3B=3B=3B=3B\r\n"
                  "TEL;VOICE:03-1111-2222\r\nX-KOLVANE-NOTATION:ja\r\nEND:VCARD\r\n");
}

TEST(VCardWrite, LongLinesFoldWithoutSplittingACharacter) {
    const CContactMethodTable methods = Methods();
    const char* kanji[] = {"東", "京", "都", "港", "区"};
    std::string address;
    for (int i = 0; i < 200; ++i)
        address += kanji[i % 5];
    CAddrCard card;
    card.m_strName = "A";
    card.m_strAddress = S(address).c_str();
    const CAddrCard* cards[] = {&card};
    const std::string file = WriteVCards(cards, methods, VCardVersion::V40);
    for (size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        const std::string line = file.substr(start, end - start);
        EXPECT_LE(line.size(), 75u);
        CString ignored;
        EXPECT_TRUE(cp932::FromUtf8(line, ignored)) << line;
    }
    CContactMethodTable back = methods;
    VCardReport report;
    const auto read = ReadVCards(file, back, {}, report);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(U(read[0]->m_strAddress), address);
}

} // namespace
