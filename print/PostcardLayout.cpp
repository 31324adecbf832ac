#include "print/PostcardLayout.h"

#include "layouts/LayoutIo.h"
#include "layouts/LayoutRoot.h"
#include "platform/CNumber.h"
#include "platform/File.h"
#include "platform/SettingsStore.h"
#include "zklib/ZkFile.h"

#include <QStringList>

#include <cmath>
#include <map>

namespace {

constexpr const char* kSection = "Postcards";
constexpr const char* kNudgeSection = "PostalBoxes";
constexpr double kMaxMm = 2000;
constexpr float kMinPoints = 4;
constexpr float kMaxPoints = 200;
constexpr int kMaxSizeKeyBytes = 32;

bool IsPoints(float points) {
    return std::isfinite(points) && points >= kMinPoints && points <= kMaxPoints;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Comma-separated numbers; nothing when one is not a finite number in range.
std::optional<std::vector<double>> Numbers(std::string_view text) {
    std::vector<double> numbers;
    while (true) {
        const size_t comma = text.find(',');
        const std::optional<double> n = cnum::ParseDouble(Trim(text.substr(0, comma)));
        if (!n || !std::isfinite(*n) || std::fabs(*n) > kMaxMm)
            return std::nullopt;
        numbers.push_back(*n);
        if (comma == std::string_view::npos)
            return numbers;
        text.remove_prefix(comma + 1);
    }
}

bool Inside(const RectMm& r, double width, double height) {
    return r.left >= 0 && r.top >= 0 && r.right <= width + 1e-9 && r.bottom <= height + 1e-9 &&
           r.left < r.right && r.top < r.bottom;
}

RectMm Moved(const RectMm& r, PrintOffset by) {
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// A size from its values, or the first thing wrong with them.
std::optional<PostcardSize> MakeSize(const std::string& key,
                                     const std::map<std::string, std::vector<double>>& values,
                                     std::string& problem) {
    const auto get = [&](const char* name, size_t count) -> const std::vector<double>* {
        const auto it = values.find(name);
        if (it == values.end() || it->second.size() != count) {
            problem = std::string(name) + " needs " + std::to_string(count) + " numbers";
            return nullptr;
        }
        return &it->second;
    };
    const auto rect = [](const std::vector<double>& v, size_t at = 0) {
        return RectMm{v[at], v[at + 1], v[at + 2], v[at + 3]};
    };
    const auto boxes = [](const std::vector<double>& v) {
        PostalBoxes b{v[0], v[1], v[2], {}};
        for (size_t i = 0; i < 7; ++i)
            b.left[i] = v[3 + i];
        return b;
    };
    PostcardSize size;
    size.key = key;
    const auto* paper = get("paper", 2);
    const auto* face = get("face", 4);
    const auto* zip = get("zip", 10);
    const auto* senderZip = get("senderzip", 10);
    const auto* address = get("address", 4);
    const auto* name = get("name", 4);
    const auto* beside = get("beside", 4);
    const auto* sender = get("sender", 4);
    if (!paper || !face || !zip || !senderZip || !address || !name || !beside || !sender)
        return std::nullopt;
    size.paperWidth = (*paper)[0];
    size.paperHeight = (*paper)[1];
    const std::vector<double>& f = *face;
    size.face = {f[0], f[1], f[0] + f[2], f[1] + f[3]};
    size.recipient = boxes(*zip);
    size.sender = boxes(*senderZip);
    size.address = rect(*address);
    size.name = rect(*name);
    size.beside = rect(*beside);
    size.senderArea = rect(*sender);
    const double w = f[2];
    const double h = f[3];
    bool ok = size.paperWidth > 0 && size.paperHeight > 0 &&
              Inside(size.face, size.paperWidth, size.paperHeight) && size.recipient.Present();
    for (const PostalBoxes* b : {&size.recipient, &size.sender})
        for (int i = 0; ok && b->Present() && i < 7; ++i)
            ok = Inside(b->Box(i), w, h);
    for (const RectMm* r : {&size.address, &size.name, &size.beside, &size.senderArea})
        ok = ok && Inside(*r, w, h);
    if (!ok) {
        problem = "a box or an area lies outside the face";
        return std::nullopt;
    }
    return size;
}

} // namespace

void CPostcardLayout::CopyFrom(const CPostcardLayout& other) {
    CLayout::CopyFrom(other);
    m_strSize = other.m_strSize;
    m_fNamePoints = other.m_fNamePoints;
    m_fAddressPoints = other.m_fAddressPoints;
    m_fBesidePoints = other.m_fBesidePoints;
    m_fSenderPoints = other.m_fSenderPoints;
}

std::optional<CFileError> CPostcardLayout::ReadBody(CFile* file) {
    using namespace layoutio;
    CString size;
    CZkString::ReadStored(file, size);
    float points[4];
    for (float& p : points)
        p = ReadFloat(file);
    bool ok = !size.IsEmpty() && size.GetLength() <= kMaxSizeKeyBytes;
    for (float p : points)
        ok = ok && IsPoints(p);
    if (!ok)
        return CFileError::FromWords("このはがき･封筒ﾚｲｱｳﾄは値が範囲外のため使えません。",
                                     file->GetFilePath(), MB_ICONSTOP);
    m_strSize = size;
    m_fNamePoints = points[0];
    m_fAddressPoints = points[1];
    m_fBesidePoints = points[2];
    m_fSenderPoints = points[3];
    return std::nullopt;
}

void CPostcardLayout::WriteBody(CFile* file) const {
    using namespace layoutio;
    CZkString::WriteStored(file, m_strSize);
    for (float p : {m_fNamePoints, m_fAddressPoints, m_fBesidePoints, m_fSenderPoints})
        WriteFloat(file, p);
}

void PostcardSize::Nudge(PrintOffset by) {
    for (PostalBoxes* b : {&recipient, &sender}) {
        b->top += by.y;
        for (double& l : b->left)
            l += by.x;
    }
    for (RectMm* r : {&address, &name, &beside, &senderArea})
        *r = Moved(*r, by);
}

std::vector<PostcardSize> ParsePostcardSizes(std::string_view text, QStringList* problems) {
    text = text.substr(0, kMaxPostcardSizesBytes);
    std::vector<PostcardSize> sizes;
    std::string key;
    std::map<std::string, std::vector<double>> values;
    std::string bad;
    const auto finish = [&] {
        if (key.empty())
            return;
        std::string problem = bad;
        if (problem.empty())
            if (auto size = MakeSize(key, values, problem))
                sizes.push_back(*size);
        if (!problem.empty() && problems)
            *problems << QString::fromStdString(key + ": " + problem);
    };
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.starts_with("//"))
            continue;
        if (line.front() == '[' && line.back() == ']') {
            finish();
            key = std::string(line.substr(1, line.size() - 2));
            values.clear();
            bad.clear();
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string name(Trim(line.substr(0, equals)));
        if (auto numbers = Numbers(line.substr(equals + 1)))
            values[name] = std::move(*numbers);
        else if (bad.empty())
            bad = name + " holds something that is not a number in millimetres";
    }
    finish();
    return sizes;
}

std::optional<CFileError> ReadPostcardSizes(const char* path, std::vector<PostcardSize>& sizes) {
    sizes.clear();
    std::string bytes;
    if (auto error = ReadLayoutDataFile(path, kMaxPostcardSizesBytes, bytes))
        return error;
    sizes = ParsePostcardSizes(bytes);
    return std::nullopt;
}

CString PostcardSizesPath() {
    return LayoutDataFilePath("POSTBOX.DEF");
}

const PostcardSize* FindPostcardSize(const std::vector<PostcardSize>& sizes, std::string_view key) {
    for (const PostcardSize& size : sizes)
        if (size.key == key)
            return &size;
    return nullptr;
}

void PostcardSettings::LoadFromProfile() {
    ISettingsStore& store = AfxGetProfile();
    const int style = store.GetProfileInt(kSection, "Numerals", 0);
    numerals = style >= 0 && style <= 2 ? static_cast<NumeralStyle>(style) : NumeralStyle::Kanji;
    sender = store.GetProfileString(kSection, "Sender", "");
    face = store.GetProfileString(kSection, "Face", "IPAMincho");
    layout = store.GetProfileString(kSection, "Layout", "");
    barcode = store.GetProfileInt(kSection, "Barcode", 0) != 0;
    envelopeBarcode = store.GetProfileInt(kSection, "EnvelopeBarcode", 1) != 0;
}

BOOL PostcardSettings::SaveToProfile() const {
    ISettingsStore& store = AfxGetProfile();
    const BOOL a = store.WriteProfileInt(kSection, "Numerals", static_cast<int>(numerals));
    const BOOL b = store.WriteProfileString(kSection, "Sender", sender);
    const BOOL c = store.WriteProfileString(kSection, "Face", face);
    const BOOL d = store.WriteProfileString(kSection, "Layout", layout);
    const BOOL e = store.WriteProfileInt(kSection, "Barcode", barcode ? 1 : 0);
    const BOOL f = store.WriteProfileInt(kSection, "EnvelopeBarcode", envelopeBarcode ? 1 : 0);
    return a && b && c && d && e && f;
}

PrintOffset LoadPostalBoxNudge(const char* size) {
    const CString text = AfxGetProfile().GetProfileString(kNudgeSection, size, "");
    return ParsePrintOffset(text.view()).value_or(PrintOffset{});
}

BOOL SavePostalBoxNudge(const char* size, PrintOffset nudge) {
    if (!IsValidPrintOffset(nudge.x) || !IsValidPrintOffset(nudge.y))
        return FALSE;
    if (nudge == PrintOffset{})
        return AfxGetProfile().RemoveKey(kNudgeSection, size);
    CString text;
    text.Format("%.2f,%.2f", nudge.x, nudge.y);
    return AfxGetProfile().WriteProfileString(kNudgeSection, size, text);
}
