#pragma once
// Helpers of the print tests: a temporary folder, file bytes, Shift_JIS from UTF-8, cards, layouts
// and the one QGuiApplication that fonts and painting need.

#include "model/AddrCard.h"
#include "print/PageLayout.h"
#include "print/PrintFonts.h"

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Shift_JIS of UTF-8 text that code page 932 holds.
CString Sjis(const char* utf8);

CAddrCard JapaneseCard(const char* name, const char* zip, const char* address,
                       const char* company = "", const char* title = "");
CAddrCard EnglishCard(const char* name, const char* address, const char* company = "",
                      const char* title = "");

// A layout of the page size, orientation, one page margin all round, the grid
// and the cell margins left and right (x) and top and bottom (y), in mm.
CPageLayout Sheet(float width, float height, int orientation, float margin, int columns, int rows,
                  float cellMarginX, float cellMarginY);

// The default print fonts at 600 dpi; creates the application on first use
// (the offscreen platform in the tests).
LabelFonts DefaultFonts();
void EnsureGuiApplication();
