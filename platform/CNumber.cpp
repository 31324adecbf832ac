#include "platform/CNumber.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

#ifndef _WIN32
#include <locale.h>
#endif

namespace cnum {

#ifdef _WIN32

CLocaleScope::CLocaleScope() : m_nOldMode(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    m_strOld = old ? old : "C";
    std::setlocale(LC_NUMERIC, "C");
}

CLocaleScope::~CLocaleScope() {
    std::setlocale(LC_NUMERIC, m_strOld.c_str());
    _configthreadlocale(m_nOldMode);
}

#else

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

CLocaleScope::CLocaleScope() : m_pOld(uselocale(CLocale())) {}

CLocaleScope::~CLocaleScope() {
    uselocale(static_cast<locale_t>(m_pOld));
}

#endif

std::optional<double> ParseDouble(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    double value = 0;
    {
        const CLocaleScope scope;
        value = std::strtod(copy.c_str(), &end);
    }
    if (end != copy.c_str() + copy.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double Atof(const char* text) {
    const CLocaleScope scope;
    return std::atof(text);
}

} // namespace cnum
