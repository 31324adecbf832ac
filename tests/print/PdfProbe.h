#pragma once
// What poppler's tools find in a PDF file: page sizes, words with their boxes
// (pdftotext -bbox) and fonts (pdffonts). Lengths in millimetres.

#include <string>
#include <vector>

struct PdfWord {
    int page = 0; // from 0
    double left = 0, top = 0, right = 0, bottom = 0;
    std::string text; // UTF-8
};

struct PdfPage {
    double width = 0, height = 0;
};

struct PdfFont {
    std::string name;
    std::string type;
    bool embedded = false;
};

struct PdfContent {
    std::vector<PdfPage> pages;
    std::vector<PdfWord> words;
};

PdfContent ReadPdfWords(const std::string& path);
std::vector<PdfFont> ReadPdfFonts(const std::string& path);
// The plain text of the whole file.
std::string ReadPdfText(const std::string& path);
