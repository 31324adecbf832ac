#include "BookJson.h"

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

// Where a value came from, for messages: "card 3, contact 2, field "text"".
struct Place {
    std::string where;
    std::string Field(const char* key) const { return where + ", field \"" + key + "\""; }
};

class Failure {
public:
    explicit Failure(std::string text) : m_text(std::move(text)) {}
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

QString Key(const char* key) {
    return QString::fromLatin1(key);
}

void CheckKeys(const QJsonObject& object, std::initializer_list<const char*> known,
               const Place& place) {
    for (const QString& key : object.keys()) {
        bool found = false;
        for (const char* k : known)
            found = found || key == QLatin1String(k);
        if (!found)
            throw Failure(place.where + ": unknown field \"" + key.toStdString() + "\"");
    }
}

int ToInt(const QJsonObject& object, const char* key, int missing, const Place& place) {
    const QJsonValue value = object.value(Key(key));
    if (value.isUndefined())
        return missing;
    const double number = value.toDouble(0.5);
    if (!value.isDouble() || number != std::floor(number) ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw Failure(place.Field(key) + ": not a whole number of 32 bits");
    return static_cast<int>(number);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

CString FromHex(const QJsonObject& object, const std::string& field) {
    const QJsonValue hex = object.value(Key("sjis"));
    if (object.size() != 1 || !hex.isString())
        throw Failure(field + ": expected a text or {\"sjis\":\"<hex bytes>\"}");
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
        throw Failure(field + ": \"sjis\" must be pairs of hex digits, none of them 00");
    return CString(std::string_view(bytes));
}

CZkString ToText(const QJsonObject& object, const char* key, const Place& place) {
    const QJsonValue value = object.value(Key(key));
    if (value.isUndefined())
        return CZkString();
    if (value.isObject())
        return FromHex(value.toObject(), place.Field(key));
    if (!value.isString())
        throw Failure(place.Field(key) + ": expected a text");
    const QByteArray utf8 = value.toString().toUtf8();
    CString sjis;
    cp932::Error error;
    if (!cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), sjis,
                         &error)) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.character));
        const std::string shown =
            error.character < 0x20 ? std::string() : "\"" + error.characterUtf8 + "\" ";
        throw Failure(place.Field(key) + ": the character " + shown + "(" + code +
                      ") cannot be stored in code page 932");
    }
    return CZkString(sjis);
}

QJsonArray ToArray(const QJsonObject& object, const char* key, const Place& place) {
    const QJsonValue value = object.value(Key(key));
    if (!value.isUndefined() && !value.isArray())
        throw Failure(place.Field(key) + ": expected a list");
    return value.toArray();
}

QJsonObject ToObject(const QJsonValue& value, const Place& place) {
    if (!value.isObject())
        throw Failure(place.where + ": expected an object");
    return value.toObject();
}

std::unique_ptr<CAddrCard> ReadCard(const QJsonObject& object, const Place& place) {
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
        const Place at{place.where + ", contact " + std::to_string(i + 1)};
        const QJsonObject contact = ToObject(contacts[i], at);
        CheckKeys(contact, {"method", "text"}, at);
        card->m_contacts.Add(ToInt(contact, "method", 0, at), ToText(contact, "text", at));
    }
    return card;
}

} // namespace

bool BookFromJson(std::string_view json, CAddrBook& book, std::string& error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    try {
        if (document.isNull())
            throw Failure("not JSON: " + parseError.errorString().toStdString() + " at byte " +
                          std::to_string(parseError.offset));
        if (!document.isObject())
            throw Failure("not an address book: expected an object");
        const QJsonObject root = document.object();
        const Place top{"the book"};
        CheckKeys(root, {"version", "cards", "methods"}, top);
        const int version = ToInt(root, "version", 1, top);
        if (version != 1)
            throw Failure("version " + std::to_string(version) + " cannot be read (only 1)");

        const QJsonArray cards = ToArray(root, "cards", top);
        for (qsizetype i = 0; i < cards.size(); ++i) {
            const Place at{"card " + std::to_string(i + 1)};
            book.AddCard(ReadCard(ToObject(cards[i], at), at).release());
        }
        const QJsonValue methods = root.value(Key("methods"));
        if (methods.isUndefined()) {
            book.m_methods.SetDefaults();
            return true;
        }
        const QJsonArray list = ToArray(root, "methods", top);
        for (qsizetype i = 0; i < list.size(); ++i) {
            const Place at{"method " + std::to_string(i + 1)};
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
