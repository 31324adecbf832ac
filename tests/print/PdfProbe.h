#pragma once
// What pdftotext -bbox finds in a PDF file: page sizes and words with their
// boxes, in millimetres.

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

struct PdfContent {
    std::vector<PdfPage> pages;
    std::vector<PdfWord> words;
};

PdfContent ReadPdfWords(const std::string& path);
