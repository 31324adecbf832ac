#include "BookJson.h"

#include "BookJsonPlace.h"
#include "BookJsonStream.h"
#include "CliMessages.h"

#include "platform/CodePage.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>

namespace {

class Failure {
public:
    explicit Failure(std::string text) : m_text(std::move(text)) {}
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

QLatin1StringView Key(const char* key) {
    return QLatin1StringView(key);
}

void CheckKeys(const QJsonObject& object, std::initializer_list<const char*> known,
               const JsonPlace& place) {
    // Counting the known keys present spares a QString of every key read.
    qsizetype present = 0;
    for (const char* k : known)
        present += object.contains(Key(k)) ? 1 : 0;
    if (present == object.size())
        return;
    for (const QString& key : object.keys()) {
        bool found = false;
        for (const char* k : known)
            found = found || key == QLatin1String(k);
        if (!found)
            throw Failure(
                Format(Tr("%1: unknown field \"%2\"", "%1: \"%2\" という項目はありません"),
                       {place.Where(), key.toStdString()}));
    }
}

int ToInt(const QJsonObject& object, const char* key, int missing, const JsonPlace& place) {
    const QJsonValue value = object.value(Key(key));
    if (value.isUndefined())
        return missing;
    const double number = value.toDouble(0.5);
    if (!value.isDouble() || number != std::floor(number) ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw Failure(place.Field(key) +
                      Tr(": not a whole number of 32 bits", ": 32 ﾋﾞｯﾄの整数ではありません"));
    return static_cast<int>(number);
}

CString FromHex(const QJsonObject& object, const std::string& field) {
    const QJsonValue hex = object.value(Key("sjis"));
    if (object.size() != 1 || !hex.isString())
        throw Failure(field + Tr(": expected a text or {\"sjis\":\"<hex bytes>\"}",
                                 ": 文字列か {\"sjis\":\"<16 進のﾊﾞｲﾄ>\"} が必要です"));
    const std::string digits = hex.toString().toStdString();
    std::string bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0)
            break;
        bytes += static_cast<char>(high << 4 | low);
    }
    if (bytes.size() * 2 != digits.size() || bytes.find('\0') != std::string::npos)
        throw Failure(field + Tr(": \"sjis\" must be pairs of hex digits, none of them 00",
                                 ": \"sjis\" は 00 以外の 16 進 2 桁の並びにしてください"));
    return CString(std::string_view(bytes));
}

// A character code page 932 cannot hold; shown is the character itself, or
// "" for one that cannot be shown.
std::string Unstorable(const std::string& field, char32_t character, const std::string& shown) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    return field + Format(Tr(": the character %1(%2) cannot be stored in code page 932",
                             ": 文字 %1(%2) はｺｰﾄﾞﾍﾟｰｼﾞ 932 に保存できません"),
                          {shown.empty() ? "" : "\"" + shown + "\" ", code});
}

CZkString ToText(const QJsonObject& object, const char* key, const JsonPlace& place) {
    const QJsonValue value = object.value(Key(key));
    if (value.isUndefined())
        return CZkString();
    if (value.isObject())
        return FromHex(value.toObject(), place.Field(key));
    if (!value.isString())
        throw Failure(place.Field(key) + Tr(": expected a text", ": 文字列が必要です"));
    const QString text = value.toString();
    // A surrogate without its pair is no character; UTF-8 would make it "?".
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            throw Failure(Unstorable(place.Field(key), text[i].unicode(), ""));
    }
    const QByteArray utf8 = text.toUtf8();
    CString sjis;
    cp932::Error error;
    if (!cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), sjis,
                         &error))
        throw Failure(Unstorable(place.Field(key), error.character,
                                 error.character < 0x20 ? "" : error.characterUtf8));
    return CZkString(sjis);
}

QJsonArray ToArray(const QJsonObject& object, const char* key, const JsonPlace& place) {
    const QJsonValue value = object.value(Key(key));
    if (!value.isUndefined() && !value.isArray())
        throw Failure(place.Field(key) + Tr(": expected a list", ": 配列が必要です"));
    return value.toArray();
}

QJsonObject ToObject(const QJsonValue& value, const JsonPlace& place) {
    if (!value.isObject())
        throw Failure(place.Where() + Tr(": expected an object", ": ｵﾌﾞｼﾞｪｸﾄが必要です"));
    return value.toObject();
}

std::unique_ptr<CAddrCard> ReadCard(const QJsonObject& object, const JsonPlace& place) {
    CheckKeys(object,
              {"notation", "furigana", "name", "title", "company", "zip", "address", "other",
               "notes", "contacts"},
              place);
    auto card = std::make_unique<CAddrCard>();
    card->m_nNotation = ToInt(object, "notation", NOTATION_NONE, place);
    card->m_strFurigana = ToText(object, "furigana", place);
    card->m_strName = ToText(object, "name", place);
    card->m_strTitle = ToText(object, "title", place);
    card->m_strCompany = ToText(object, "company", place);
    card->m_strZip = ToText(object, "zip", place);
    card->m_strAddress = ToText(object, "address", place);
    card->m_strOther = ToText(object, "other", place);
    card->m_strNotes = ToText(object, "notes", place);
    const QJsonArray contacts = ToArray(object, "contacts", place);
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        JsonPlace at = place;
        at.contact = static_cast<size_t>(i) + 1;
        const QJsonObject contact = ToObject(contacts[i], at);
        CheckKeys(contact, {"method", "text"}, at);
        card->m_contacts.Add(ToInt(contact, "method", 0, at), ToText(contact, "text", at));
    }
    return card;
}

std::string NotABook() {
    return Tr("not an address book: expected an object",
              "住所録ではありません: ｵﾌﾞｼﾞｪｸﾄが必要です");
}

} // namespace

bool BookFromJson(std::string_view json, CAddrBook& book, std::string& error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    try {
        if (document.isNull()) {
            // Whether it is JSON all the same, only not an object.
            const QByteArray wrapped =
                "[" + QByteArray(json.data(), static_cast<qsizetype>(json.size())) + "]";
            const QJsonDocument value = QJsonDocument::fromJson(wrapped);
            if (value.isArray() && value.array().size() == 1)
                throw Failure(NotABook());
            throw Failure(Format(
                Tr("not JSON: %1 at byte %2", "JSON として読めません (%2 ﾊﾞｲﾄ目)"),
                {parseError.errorString().toStdString(), std::to_string(parseError.offset)}));
        }
        if (!document.isObject())
            throw Failure(NotABook());
        const QJsonObject root = document.object();
        const JsonPlace top{"the book", "住所録"};
        CheckKeys(root, {"version", "cards", "methods"}, top);
        const int version = ToInt(root, "version", 1, top);
        if (version != 1)
            throw Failure(Format(
                Tr("version %1 cannot be read (only 1)", "ﾊﾞｰｼﾞｮﾝ %1 は読み込めません (1 のみ)"),
                {std::to_string(version)}));

        const QJsonArray cards = ToArray(root, "cards", top);
        for (qsizetype i = 0; i < cards.size(); ++i) {
            const JsonPlace at{"card %1", "ｶｰﾄﾞ %1", static_cast<size_t>(i) + 1};
            book.AddCard(ReadCard(ToObject(cards[i], at), at).release());
        }
        const QJsonValue methods = root.value(Key("methods"));
        if (methods.isUndefined()) {
            book.m_methods.SetDefaults();
            return true;
        }
        const QJsonArray list = ToArray(root, "methods", top);
        for (qsizetype i = 0; i < list.size(); ++i) {
            const JsonPlace at{"method %1", "連絡方法 %1", static_cast<size_t>(i) + 1};
            const QJsonObject method = ToObject(list[i], at);
            CheckKeys(method, {"id", "ja", "en"}, at);
            book.m_methods.Append(
                {ToInt(method, "id", 0, at), ToText(method, "ja", at), ToText(method, "en", at)});
        }
        return true;
    } catch (const Failure& failure) {
        error = failure.Text();
        return false;
    }
}

bool BookFileFromJson(std::string_view json, std::string& file, std::string& error) {
    std::string duplicate;
    if (BookFileInOnePass(json, file, duplicate))
        return true;
    std::string().swap(file);
    CAddrBook book;
    if (!BookFromJson(json, book, error))
        return false;
    if (!duplicate.empty()) {
        error = duplicate;
        return false;
    }
    CMemFile image;
    if (const auto problem = book.Write(&image)) {
        error = FileErrorText(*problem);
        return false;
    }
    file = image.Detach();
    return true;
}
