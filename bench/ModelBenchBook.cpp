#include "ModelBenchBook.h"

#include "platform/CodePage.h"

#include <array>
#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace {

struct Part {
    CString text;    // Shift_JIS
    CString reading; // Shift_JIS kana
    std::string roman;
};

CString Sjis(const char* utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return out;
}

std::vector<Part> Parts(std::initializer_list<std::array<const char*, 3>> list) {
    std::vector<Part> parts;
    for (const auto& p : list)
        parts.push_back({Sjis(p[0]), Sjis(p[1]), p[2]});
    return parts;
}

const std::vector<Part>& Surnames() {
    static const auto parts = Parts({
        {"佐藤", "さとう", "sato"},
        {"鈴木", "すずき", "suzuki"},
        {"高橋", "たかはし", "takahashi"},
        {"田中", "たなか", "tanaka"},
        {"伊藤", "いとう", "ito"},
        {"渡辺", "わたなべ", "watanabe"},
        {"山本", "やまもと", "yamamoto"},
        {"中村", "なかむら", "nakamura"},
        {"小林", "こばやし", "kobayashi"},
        {"加藤", "かとう", "kato"},
        {"吉田", "よしだ", "yoshida"},
        {"山田", "やまだ", "yamada"},
        {"佐々木", "ささき", "sasaki"},
        {"山口", "やまぐち", "yamaguchi"},
        {"松本", "まつもと", "matsumoto"},
        {"井上", "いのうえ", "inoue"},
        {"木村", "きむら", "kimura"},
        {"林", "はやし", "hayashi"},
        {"斎藤", "さいとう", "saito"},
        {"清水", "しみず", "shimizu"},
        {"山崎", "やまざき", "yamazaki"},
        {"森", "もり", "mori"},
        {"池田", "いけだ", "ikeda"},
        {"橋本", "はしもと", "hashimoto"},
        {"阿部", "あべ", "abe"},
        {"石川", "いしかわ", "ishikawa"},
        {"山下", "やました", "yamashita"},
        {"中島", "なかじま", "nakajima"},
        {"石井", "いしい", "ishii"},
        {"小川", "おがわ", "ogawa"},
        {"前田", "まえだ", "maeda"},
        {"岡田", "おかだ", "okada"},
        {"長谷川", "はせがわ", "hasegawa"},
        {"藤田", "ふじた", "fujita"},
        {"後藤", "ごとう", "goto"},
        {"近藤", "こんどう", "kondo"},
        {"村上", "むらかみ", "murakami"},
        {"遠藤", "えんどう", "endo"},
        {"青木", "あおき", "aoki"},
        {"坂本", "さかもと", "sakamoto"},
        {"斉藤", "さいとう", "saito"},
        {"福田", "ふくだ", "fukuda"},
        {"太田", "おおた", "ota"},
        {"西村", "にしむら", "nishimura"},
        {"藤井", "ふじい", "fujii"},
        {"金子", "かねこ", "kaneko"},
        {"岡本", "おかもと", "okamoto"},
        {"藤原", "ふじわら", "fujiwara"},
        {"中野", "なかの", "nakano"},
        {"三浦", "みうら", "miura"},
        {"原田", "はらだ", "harada"},
        {"髙﨑", "たかさき", "takasaki"},
        {"松田", "まつだ", "matsuda"},
        {"竹内", "たけうち", "takeuchi"},
    });
    return parts;
}

const std::vector<Part>& GivenFirst() {
    static const auto parts = Parts({
        {"健", "けん", "ken"},  {"大", "だい", "dai"},   {"翔", "しょう", "sho"},
        {"拓", "たく", "taku"}, {"真", "ま", "ma"},      {"美", "み", "mi"},
        {"優", "ゆう", "yu"},   {"陽", "はる", "haru"},  {"結", "ゆい", "yui"},
        {"愛", "あい", "ai"},   {"一", "いち", "ichi"},  {"誠", "まこ", "mako"},
        {"直", "なお", "nao"},  {"和", "かず", "kazu"},  {"智", "とも", "tomo"},
        {"恵", "めぐ", "megu"}, {"光", "ひか", "hika"},  {"早", "さ", "sa"},
        {"千", "ち", "chi"},    {"花", "はな", "hana"},  {"亮", "りょう", "ryo"},
        {"浩", "こう", "ko"},   {"秀", "ひで", "hide"},  {"信", "のぶ", "nobu"},
        {"正", "まさ", "masa"}, {"俊", "とし", "toshi"}, {"由", "ゆ", "yu"},
        {"奈", "な", "na"},     {"理", "り", "ri"},      {"香", "か", "ka"},
    });
    return parts;
}

const std::vector<Part>& GivenSecond() {
    static const auto parts = Parts({
        {"太", "た", "ta"},     {"介", "すけ", "suke"}, {"人", "と", "to"},
        {"也", "や", "ya"},     {"子", "こ", "ko"},     {"美", "み", "mi"},
        {"樹", "き", "ki"},     {"斗", "と", "to"},     {"菜", "な", "na"},
        {"輝", "き", "ki"},     {"郎", "ろう", "ro"},   {"司", "じ", "ji"},
        {"奈", "な", "na"},     {"恵", "え", "e"},      {"紀", "のり", "nori"},
        {"貴", "たか", "taka"}, {"平", "へい", "hei"},  {"彦", "ひこ", "hiko"},
        {"乃", "の", "no"},     {"代", "よ", "yo"},
    });
    return parts;
}

template <class T> const T& Pick(std::mt19937& rng, const std::vector<T>& list) {
    return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(rng)];
}

int Number(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

CString Digits(std::mt19937& rng, const char* format, int low, int high) {
    CString s;
    s.Format(format, Number(rng, low, high), Number(rng, 0, 9999));
    return s;
}

} // namespace

void MakeBenchBook(CAddrBook& book, int count) {
    std::mt19937 rng(2500);
    static const std::vector<CString> prefectures = {
        Sjis("東京都千代田区"),     Sjis("大阪府大阪市北区"),   Sjis("愛知県名古屋市中区"),
        Sjis("北海道札幌市中央区"), Sjis("福岡県福岡市博多区"), Sjis("神奈川県横浜市西区"),
        Sjis("宮城県仙台市青葉区"), Sjis("広島県広島市中区"),   Sjis("京都府京都市左京区")};
    static const std::vector<CString> towns = {Sjis("本町"), Sjis("中央"), Sjis("緑が丘"),
                                               Sjis("栄町"), Sjis("旭町"), Sjis("桜台")};
    static const std::vector<CString> companySuffixes = {
        Sjis("商事"), Sjis("工業"), Sjis("製作所"), Sjis("物産"), Sjis("建設"), Sjis("ｿﾌﾄｳｪｱ")};
    static const std::vector<CString> titles = {Sjis("営業部"), Sjis("課長"), Sjis("部長"),
                                                Sjis("総務部"), Sjis("開発部 主任")};
    static const std::vector<std::string> firstNames = {
        "James",   "Mary",      "John",    "Patricia", "Robert",  "Jennifer", "Michael", "Linda",
        "William", "Elizabeth", "David",   "Barbara",  "Richard", "Susan",    "Joseph",  "Jessica",
        "Thomas",  "Sarah",     "Charles", "Karen",    "Emma",    "Olivia",   "Noah",    "Liam",
        "Sophia",  "Lucas",     "Mia",     "Pierre",   "Anna",    "Carlos"};
    static const std::vector<std::string> lastNames = {
        "Smith",  "Johnson",  "Williams", "Brown",   "Jones",  "Garcia",   "Miller",  "Davis",
        "Wilson", "Anderson", "Taylor",   "Thomas",  "Moore",  "Martin",   "Jackson", "Thompson",
        "White",  "Lopez",    "Lee",      "Harris",  "Clark",  "Lewis",    "Walker",  "Hall",
        "Young",  "King",     "Wright",   "Scott",   "Green",  "Baker",    "Adams",   "Nelson",
        "Hill",   "Campbell", "Mitchell", "Roberts", "Carter", "Phillips", "Evans",   "Turner"};

    const CString space = Sjis("\xE3\x80\x80"); // full-width space
    for (int i = 0; i < count; ++i) {
        auto* card = new CAddrCard;
        std::string mail;
        if (Number(rng, 0, 9) < 8) {
            const Part& surname = Pick(rng, Surnames());
            const Part& first = Pick(rng, GivenFirst());
            const Part& second = Pick(rng, GivenSecond());
            card->m_nNotation = NOTATION_JAPANESE;
            card->m_strName = CZkString(surname.text + space + first.text + second.text);
            card->m_strFurigana = CZkString(surname.reading + " " + first.reading + second.reading);
            card->m_strZip = CZkString(Digits(rng, "%03d-%04d", 1, 999));
            CString address = Pick(rng, prefectures) + Pick(rng, towns);
            CString block;
            block.Format("%d-%d-%d", Number(rng, 1, 9), Number(rng, 1, 30), Number(rng, 1, 20));
            card->m_strAddress = CZkString(address + block);
            if (Number(rng, 0, 9) < 3) {
                card->m_strCompany =
                    CZkString(Sjis("㈱") + Pick(rng, Surnames()).text + Pick(rng, companySuffixes));
                card->m_strTitle = CZkString(Pick(rng, titles));
            }
            mail = surname.roman + "." + first.roman + second.roman;
        } else {
            const std::string& first = Pick(rng, firstNames);
            const std::string& last = Pick(rng, lastNames);
            card->m_nNotation = NOTATION_ENGLISH;
            card->m_strName = (first + " " + last).c_str();
            CString address;
            address.Format("%d %s Street\r\nSpringfield", Number(rng, 1, 999),
                           Pick(rng, lastNames).c_str());
            card->m_strAddress = CZkString(address);
            if (Number(rng, 0, 9) < 4)
                card->m_strCompany = (Pick(rng, lastNames) + " & Co.").c_str();
            mail = first + "." + last;
        }
        for (auto& c : mail)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const int contacts = Number(rng, 0, 3);
        if (contacts > 0)
            card->m_contacts.Add(1,
                                 Digits(rng, "0%d-%04d", 3, 99) + Digits(rng, "-%02d%02d", 10, 99));
        if (contacts > 1)
            card->m_contacts.Add(
                5, (mail + std::to_string(Number(rng, 1, 99)) + "@example.jp").c_str());
        if (contacts > 2)
            card->m_contacts.Add(3, Digits(rng, "090-%04d-%04d", 1000, 9999));
        if (Number(rng, 0, 19) == 0)
            card->m_strNotes = CZkString(Sjis("年賀状送付済み\r\n次回訪問予定あり"));
        book.AddCard(card);
    }
    book.m_methods.SetDefaults();
}
