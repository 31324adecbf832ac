#pragma once
// The two print fonts: font descriptions as the settings keep them (section
// "Settings", keys "PrintFontEn" and "PrintFontJa" in the library's font form,
// "PrintFontDpi" the resolution of their heights), in memory always in pixels
// of the default printer resolution, and the QFonts
// that label drawing makes of them. Japanese text is always drawn in a Japanese
// face: a Japanese face that is not installed is replaced by one that is, and
// every font falls back to Japanese faces for the characters its own face lacks,
// so no glyph goes missing or takes a Chinese form.

#include "platform/Types.h"

#include <QFont>

inline constexpr const char* kDefaultEnglishFace = "Arial";
#ifdef _WIN32
inline constexpr const char* kDefaultJapaneseFace = "MS UI Gothic";
#else
inline constexpr const char* kDefaultJapaneseFace = "IPAGothic";
#endif
inline constexpr int kDefaultPrintPoints = 9;
// The printer resolution font heights are taken in when no printer says otherwise.
inline constexpr int kDefaultFontDpi = 600;

struct CPrintFonts {
    LOGFONT m_lfEnglish{};
    LOGFONT m_lfJapanese{};

    // Heights stored at another resolution are brought to the default one.
    void LoadFromProfile();
    BOOL SaveToProfile() const;
    // Makes each font without a face name a 9-point font of the default face,
    // in pixels of a printer of printerDpi pixels per inch.
    void SetMissingToDefaults(int printerDpi);
};

// The fonts a label is drawn in: English cards in english, all others in japanese.
struct LabelFonts {
    QFont english;
    QFont japanese;
};

// A font whose height is in pixels at dpi pixels per inch (9 points when 0).
QFont MakeLabelFont(const LOGFONT& font, int dpi, bool japanese);
LabelFonts MakeLabelFonts(const CPrintFonts& fonts, int dpi);
