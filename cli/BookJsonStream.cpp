#include "BookJsonStream.h"

#include "BookJsonPlace.h"
#include "Cp932Cache.h"

#include "model/AddrBook.h"
#include "platform/File.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace {

// The objects and lists of a book. The keys of each object are those the full
// reader knows; the index of a key is its bit in Frame::seen.
enum class Kind : uint8_t { Root, Cards, Card, Contacts, Contact, Methods, Method, Sjis };

constexpr const char* kRootKeys[] = {"version", "cards", "methods"};
constexpr const char* kCardKeys[] = {"notation", "furigana", "name",  "title", "company",
                                     "zip",      "address",  "other", "notes", "contacts"};
constexpr const char* kContactKeys[] = {"method", "text"};
constexpr const char* kMethodKeys[] = {"id", "ja", "en"};
constexpr const char* kSjisKeys[] = {"sjis"};

enum RootKey { kVersion, kCards, kMethods };
enum CardKey { kNotation, kFirstText, kLastText = 8, kContacts };

std::span<const char* const> KeysOf(Kind kind) {
    switch (kind) {
    case Kind::Root:
        return kRootKeys;
    case Kind::Card:
        return kCardKeys;
    case Kind::Contact:
        return kContactKeys;
    case Kind::Method:
        return kMethodKeys;
    case Kind::Sjis:
        return kSjisKeys;
    default:
        return {};
    }
}

// A value under a key the full reader would refuse or read otherwise.
constexpr int kNoKey = -1;

// Values that are not part of a book are skipped down to this depth; a document
// nested deeper is left to the full reader, which refuses it.
constexpr int kMaxSkipDepth = 1100;

// The book file begins with its magic and version words and the card count.
constexpr size_t kCountOffset = 8;
constexpr size_t kHeaderSize = 12;

struct Frame {
    Kind kind;
    uint32_t seen = 0;
    int key = kNoKey;
};

// Follows the SAX events of the whole document. While everything is plain it
// writes each card as it closes; after the first thing that is not, it only
// looks for keys given twice.
class Handler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Handler> {
public:
    explicit Handler(size_t expected) : m_file(Reserved(expected)) {
        m_file.Write(std::string(kHeaderSize, '\0').data(), kHeaderSize);
        m_frames.reserve(8);
    }

    bool Plain() const { return m_plain; }
    const std::string& Duplicate() const { return m_duplicate; }

    // The whole file once the document has ended plainly.
    std::string Finish() {
        CMemFile methods;
        if (m_tail.Write(&methods) || methods.Data().size() < kHeaderSize)
            return {};
        std::string file = m_file.Detach();
        const std::string& end = methods.Data();
        file.replace(0, kCountOffset, end, 0, kCountOffset);
        for (size_t i = 0; i < 4; ++i)
            file[kCountOffset + i] = static_cast<char>(static_cast<uint32_t>(m_cards) >> (8 * i));
        file.append(end, kHeaderSize);
        return file;
    }

    bool Default() { return Refuse(); }
    bool Int(int value);
    bool Uint(unsigned value) { return value <= INT_MAX ? Int(static_cast<int>(value)) : Refuse(); }
    bool String(const char* text, rapidjson::SizeType length, bool);
    bool Key(const char* text, rapidjson::SizeType length, bool);
    bool StartObject();
    bool EndObject(rapidjson::SizeType);
    bool StartArray();
    bool EndArray(rapidjson::SizeType) { return Close(); }

private:
    static std::string Reserved(size_t size) {
        std::string bytes;
        bytes.reserve(size);
        return bytes;
    }
    // A value of no use here, or one the full reader must see; a list or
    // object is skipped to its end.
    bool Refuse(bool opens = false) {
        m_plain = false;
        if (opens)
            m_skip = 1;
        return true;
    }
    bool Skipping() {
        if (m_skip == 0)
            return false;
        ++m_skip;
        return true;
    }
    bool Close() {
        if (m_skip > 0)
            --m_skip;
        else
            m_frames.pop_back();
        return true;
    }
    bool Push(Kind kind) {
        m_frames.push_back({kind});
        return true;
    }
    // The text under the current key, if that key is one of a text.
    CString* Text() {
        if (m_frames.empty())
            return nullptr;
        const Frame& frame = m_frames.back();
        switch (frame.kind) {
        case Kind::Card:
            if (frame.key >= kFirstText && frame.key <= kLastText)
                return m_cardTexts[frame.key - kFirstText];
            return nullptr;
        case Kind::Contact:
            return frame.key == 1 ? &m_contactText : nullptr;
        case Kind::Method:
            return frame.key == 1 ? &m_japanese : frame.key == 2 ? &m_english : nullptr;
        default:
            return nullptr;
        }
    }
    JsonPlace PlaceOf(size_t depth) const;
    std::string Where(size_t depth) const;
    void WriteCard();

    std::vector<Frame> m_frames;
    int m_skip = 0;
    bool m_plain = true;
    std::string m_duplicate;

    CMemFile m_file;
    int m_cards = 0;
    size_t m_contactIndex = 0;
    CAddrCard m_card;
    CString* const m_cardTexts[8] = {
        &m_card.m_strFurigana, &m_card.m_strName,    &m_card.m_strTitle, &m_card.m_strCompany,
        &m_card.m_strZip,      &m_card.m_strAddress, &m_card.m_strOther, &m_card.m_strNotes,
    };
    int m_contactMethod = 0;
    CZkString m_contactText;
    // No cards: written after the cards for its method table, and for the
    // header the cards' count goes into.
    CAddrBook m_tail;
    size_t m_methodIndex = 0;
    int m_methodId = 0;
    CZkString m_japanese, m_english;
    // Where an {"sjis":…} object puts its bytes.
    CString* m_sjisTarget = nullptr;
    std::string m_bytes;
};

bool Handler::Int(int value) {
    if (m_skip > 0)
        return true;
    if (m_frames.empty())
        return Refuse();
    const Frame& frame = m_frames.back();
    if (frame.kind == Kind::Root && frame.key == kVersion && value == 1)
        return true;
    if (frame.kind == Kind::Card && frame.key == kNotation)
        m_card.m_nNotation = value;
    else if (frame.kind == Kind::Contact && frame.key == 0)
        m_contactMethod = value;
    else if (frame.kind == Kind::Method && frame.key == 0)
        m_methodId = value;
    else
        return Refuse();
    return true;
}

bool Handler::String(const char* text, rapidjson::SizeType length, bool) {
    if (m_skip > 0)
        return true;
    const std::string_view value(text, length);
    if (!m_frames.empty() && m_frames.back().kind == Kind::Sjis && m_frames.back().key == 0) {
        if (length % 2 != 0)
            return Refuse();
        m_bytes.clear();
        for (size_t i = 0; i < length; i += 2) {
            const int high = HexDigit(value[i]), low = HexDigit(value[i + 1]);
            if (high < 0 || low < 0 || (high | low) == 0)
                return Refuse();
            m_bytes += static_cast<char>(high << 4 | low);
        }
        *m_sjisTarget = m_bytes.c_str();
        return true;
    }
    CString* target = Text();
    if (!target)
        return Refuse();
    if (!m_plain)
        return true;
    m_bytes.clear();
    if (!cp932cache::AppendFromUtf8(value, m_bytes))
        return Refuse();
    *target = m_bytes.c_str();
    return true;
}

bool Handler::Key(const char* text, rapidjson::SizeType length, bool) {
    if (m_skip > 0)
        return true;
    Frame& frame = m_frames.back();
    const std::span<const char* const> keys = KeysOf(frame.kind);
    const std::string_view key(text, length);
    frame.key = kNoKey;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (key != keys[i])
            continue;
        if (frame.seen & (1u << i)) {
            if (m_duplicate.empty())
                m_duplicate = Format(Tr("%1: field \"%2\" is given more than once",
                                        "%1: \"%2\" という項目が重複しています"),
                                     {Where(m_frames.size() - 1), keys[i]});
            return Refuse();
        }
        frame.seen |= 1u << i;
        frame.key = static_cast<int>(i);
        return true;
    }
    return Refuse();
}

bool Handler::StartObject() {
    if (Skipping())
        return m_skip <= kMaxSkipDepth;
    if (m_frames.empty())
        return Push(Kind::Root);
    switch (m_frames.back().kind) {
    case Kind::Cards:
        if (m_cards == INT_MAX)
            return Refuse(true);
        ++m_cards;
        m_contactIndex = 0;
        m_card.m_nNotation = NOTATION_NONE;
        for (CString* text : m_cardTexts)
            text->Empty();
        m_card.m_contacts.RemoveAll();
        return Push(Kind::Card);
    case Kind::Contacts:
        ++m_contactIndex;
        m_contactMethod = 0;
        m_contactText.Empty();
        return Push(Kind::Contact);
    case Kind::Methods:
        ++m_methodIndex;
        m_methodId = 0;
        m_japanese.Empty();
        m_english.Empty();
        return Push(Kind::Method);
    default:
        if (CString* target = Text()) {
            target->Empty();
            m_sjisTarget = target;
            return Push(Kind::Sjis);
        }
        return Refuse(true);
    }
}

bool Handler::EndObject(rapidjson::SizeType) {
    if (m_skip > 0)
        return Close();
    const Frame frame = m_frames.back();
    m_frames.pop_back();
    if (!m_plain)
        return true;
    switch (frame.kind) {
    case Kind::Root:
        if (!(frame.seen & 1u << kMethods))
            m_tail.m_methods.SetDefaults();
        break;
    case Kind::Card:
        WriteCard();
        break;
    case Kind::Contact:
        m_card.m_contacts.Add(m_contactMethod, m_contactText.GetString());
        break;
    case Kind::Method:
        m_tail.m_methods.Append({m_methodId, m_japanese, m_english});
        break;
    case Kind::Sjis:
        if (frame.seen == 0)
            return Refuse();
        break;
    default:
        break;
    }
    return true;
}

bool Handler::StartArray() {
    if (Skipping())
        return m_skip <= kMaxSkipDepth;
    if (m_frames.empty())
        return Refuse(true);
    const Frame& frame = m_frames.back();
    if (frame.kind == Kind::Root && frame.key == kCards)
        return Push(Kind::Cards);
    if (frame.kind == Kind::Root && frame.key == kMethods)
        return Push(Kind::Methods);
    if (frame.kind == Kind::Card && frame.key == kContacts)
        return Push(Kind::Contacts);
    return Refuse(true);
}

JsonPlace Handler::PlaceOf(size_t depth) const {
    switch (m_frames[depth].kind) {
    case Kind::Card:
        return {"card %1", "ｶｰﾄﾞ %1", static_cast<size_t>(m_cards)};
    case Kind::Contact:
        return {"card %1", "ｶｰﾄﾞ %1", static_cast<size_t>(m_cards), m_contactIndex};
    case Kind::Method:
        return {"method %1", "連絡方法 %1", m_methodIndex};
    default:
        return {"the book", "住所録"};
    }
}

std::string Handler::Where(size_t depth) const {
    if (m_frames[depth].kind != Kind::Sjis)
        return PlaceOf(depth).Where();
    // The text the object stands for.
    const Frame& owner = m_frames[depth - 1];
    return PlaceOf(depth - 1).Field(KeysOf(owner.kind)[static_cast<size_t>(owner.key)]);
}

void Handler::WriteCard() {
    if (m_card.Write(&m_file))
        m_plain = false;
}

} // namespace

bool BookFileInOnePass(std::string_view json, std::string& file, std::string& duplicate) {
    // The parser takes a zero byte for the end of the text.
    if (json.find('\0') != std::string_view::npos)
        return false;
    Handler handler(json.size());
    rapidjson::MemoryStream stream(json.data(), json.size());
    rapidjson::Reader reader;
    const bool parsed =
        !reader
             .Parse<rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag>(stream,
                                                                                            handler)
             .IsError();
    duplicate = handler.Duplicate();
    if (!parsed || !handler.Plain() || !duplicate.empty())
        return false;
    file = handler.Finish();
    return !file.empty();
}
