#include "PdfProbe.h"

#include <cstdio>
#include <regex>
#include <stdexcept>

namespace {

constexpr double kMmPerPt = 25.4 / 72.0;

std::string Run(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    if (::pclose(pipe) != 0)
        throw std::runtime_error("failed: " + command);
    return out;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string Unescaped(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (auto [entity, ch] : entities)
        for (size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), ch);
    return text;
}

} // namespace

PdfContent ReadPdfWords(const std::string& path) {
    const std::string html = Run("pdftotext -bbox " + Quoted(path) + " - 2>/dev/null");
    static const std::regex item(
        R"re(<page width="([-0-9.]+)" height="([-0-9.]+)">|<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
    PdfContent content;
    for (std::sregex_iterator it(html.begin(), html.end(), item), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            content.pages.push_back({std::stod(m[1]) * kMmPerPt, std::stod(m[2]) * kMmPerPt});
            continue;
        }
        content.words.push_back({static_cast<int>(content.pages.size()) - 1,
                                 std::stod(m[3]) * kMmPerPt, std::stod(m[4]) * kMmPerPt,
                                 std::stod(m[5]) * kMmPerPt, std::stod(m[6]) * kMmPerPt,
                                 Unescaped(m[7])});
    }
    return content;
}
