#include "PrintTestSupport.h"

#include "platform/CodePage.h"

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kolvane-print-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

CString Sjis(const char* utf8) {
    CString out;
    if (!cp932::FromUtf8(utf8, out))
        throw std::invalid_argument(utf8);
    return out;
}

CAddrCard JapaneseCard(const char* name, const char* zip, const char* address, const char* company,
                       const char* title) {
    CAddrCard card;
    card.m_nNotation = NOTATION_JAPANESE;
    card.m_strName = CZkString(Sjis(name));
    card.m_strZip = CZkString(Sjis(zip));
    card.m_strAddress = CZkString(Sjis(address));
    card.m_strCompany = CZkString(Sjis(company));
    card.m_strTitle = CZkString(Sjis(title));
    return card;
}

CAddrCard EnglishCard(const char* name, const char* address, const char* company,
                      const char* title) {
    CAddrCard card = JapaneseCard(name, "", address, company, title);
    card.m_nNotation = NOTATION_ENGLISH;
    return card;
}

CPageLayout Sheet(float width, float height, int orientation, float margin, int columns, int rows,
                  float cellMarginX, float cellMarginY) {
    CPageLayout layout;
    layout.m_nOrientation = orientation;
    layout.m_lenPageWidth = Length::fromMm(width);
    layout.m_lenPageHeight = Length::fromMm(height);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(margin);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(margin);
    layout.m_nColumns = columns;
    layout.m_nRows = rows;
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(cellMarginX);
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(cellMarginY);
    return layout;
}

LabelFonts DefaultFonts() {
    EnsureGuiApplication();
    CPrintFonts fonts;
    fonts.SetMissingToDefaults(600);
    return MakeLabelFonts(fonts, 600);
}

void EnsureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "print_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}
