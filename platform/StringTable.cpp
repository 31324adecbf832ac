#include "platform/StringTable.h"

#include "platform/CodePage.h"

#include <charconv>

namespace {

bool Unescape(std::string_view in, std::string& out) {
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i == in.size())
            return false;
        switch (in[i]) {
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

BOOL CStringTable::Load(std::string_view data, std::string* error) {
    int lineNo = 0;
    while (!data.empty()) {
        const size_t eol = data.find('\n');
        std::string_view line = data.substr(0, eol);
        data = eol == std::string_view::npos ? std::string_view() : data.substr(eol + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto fail = [&](const char* why) {
            if (error)
                *error = "line " + std::to_string(lineNo) + ": " + why;
            return FALSE;
        };
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return fail("no tab after the id");
        UINT id = 0;
        const auto [end, ec] = std::from_chars(line.data(), line.data() + tab, id);
        if (ec != std::errc() || end != line.data() + tab)
            return fail("the id is not a number");
        std::string text;
        if (!Unescape(line.substr(tab + 1), text))
            return fail("bad escape");
        CString sjis;
        if (!cp932::FromUtf8(text, sjis))
            return fail("text that code page 932 cannot hold");
        if (!m_texts.emplace(id, sjis).second)
            return fail("id given twice");
    }
    return TRUE;
}

CString CStringTable::Get(UINT id) const {
    const auto it = m_texts.find(id);
    return it == m_texts.end() ? CString() : it->second;
}

std::string CStringTable::GetUtf8(UINT id) const {
    return cp932::ToUtf8Lossy(Get(id).view());
}

namespace {
const CStringTable* g_resourceStrings = nullptr;
} // namespace

void AfxSetResourceStrings(const CStringTable* table) {
    g_resourceStrings = table;
}

CString AfxLoadString(UINT id) {
    return g_resourceStrings ? g_resourceStrings->Get(id) : CString();
}
