#include "print/PrintFonts.h"

#include "platform/QtText.h"
#include "platform/SettingsStore.h"
#include "zklib/ZkProf.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kEnglishKey = "PrintFontEn";
constexpr const char* kJapaneseKey = "PrintFontJa";
// The resolution the stored heights and widths are in; fonts kept before it
// was written are in the default one.
constexpr const char* kDpiKey = "PrintFontDpi";
constexpr int kMinStoredDpi = 36;
constexpr int kMaxStoredDpi = 9600;
constexpr double kMinPoints = 1.0;
constexpr double kMaxPoints = 500.0;

// Japanese faces in the order they are preferred, those of the platform first.
QStringList JapaneseFaces() {
    return {
#ifdef _WIN32
        QStringLiteral("MS UI Gothic"),     QStringLiteral("MS Gothic"),
        QStringLiteral("Meiryo"),           QStringLiteral("Yu Gothic"),
#endif
        QStringLiteral("IPAGothic"),        QStringLiteral("IPAPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
        QStringLiteral("TakaoGothic"),      QStringLiteral("VL Gothic"),
    };
}

bool CoversHan(const QString& family) {
    const auto systems = QFontDatabase::writingSystems(family);
    return systems.contains(QFontDatabase::Japanese) ||
           systems.contains(QFontDatabase::SimplifiedChinese) ||
           systems.contains(QFontDatabase::TraditionalChinese);
}

void SetDefault(LOGFONT& font, const char* face, int printerDpi) {
    if (font.lfFaceName[0] != '\0')
        return;
    font = LOGFONT{};
    font.lfHeight = -(printerDpi * kDefaultPrintPoints * 10 / 720);
    font.lfCharSet = 1; // the default character set
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
}

// A length in pixels at dpi as pixels at the default resolution.
LONG ToDefaultDpi(LONG pixels, int dpi) {
    const double scaled = std::round(static_cast<double>(pixels) * kDefaultFontDpi / dpi);
    return static_cast<LONG>(std::clamp(scaled, -2147483647.0, 2147483647.0));
}

QString FaceName(const LOGFONT& font) {
    const std::string_view bytes(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    return qtext::FromSjis(bytes);
}

} // namespace

void CPrintFonts::LoadFromProfile() {
    m_lfEnglish = ZkProf_Load(kSection, kEnglishKey, nullptr);
    m_lfJapanese = ZkProf_Load(kSection, kJapaneseKey, nullptr);
    const int dpi = AfxGetProfile().GetProfileInt(kSection, kDpiKey, kDefaultFontDpi);
    if (dpi == kDefaultFontDpi || dpi < kMinStoredDpi || dpi > kMaxStoredDpi)
        return;
    for (LOGFONT* font : {&m_lfEnglish, &m_lfJapanese}) {
        font->lfHeight = ToDefaultDpi(font->lfHeight, dpi);
        font->lfWidth = ToDefaultDpi(font->lfWidth, dpi);
    }
}

BOOL CPrintFonts::SaveToProfile() const {
    const BOOL english = ZkProf_Save(kSection, kEnglishKey, m_lfEnglish);
    const BOOL japanese = ZkProf_Save(kSection, kJapaneseKey, m_lfJapanese);
    const BOOL dpi = AfxGetProfile().WriteProfileInt(kSection, kDpiKey, kDefaultFontDpi);
    return english && japanese && dpi;
}

void CPrintFonts::SetMissingToDefaults(int printerDpi) {
    SetDefault(m_lfEnglish, kDefaultEnglishFace, printerDpi);
    SetDefault(m_lfJapanese, kDefaultJapaneseFace, printerDpi);
}

QFont MakeLabelFont(const LOGFONT& lf, int dpi, bool japanese) {
    QStringList families;
    const QString face = FaceName(lf);
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        families << face;
    } else if (!face.isEmpty() && !japanese) {
        // A Latin face that is not installed: the system's stand-in for it, unless
        // that would draw Japanese characters itself, maybe in Chinese forms.
        QString standIn = QFontInfo(QFont(face)).family();
        // "Family [foundry]" where several foundries make the family: a list of
        // families only finds it by its family name.
        const qsizetype foundry = standIn.indexOf(QStringLiteral(" ["));
        if (foundry > 0)
            standIn.truncate(foundry);
        if (!CoversHan(standIn))
            families << face << standIn;
    }
    families << JapaneseFaces();

    QFont font;
    font.setFamilies(families);
    double points = kDefaultPrintPoints;
    if (lf.lfHeight != 0 && dpi > 0)
        points = std::abs(static_cast<double>(lf.lfHeight)) * 72.0 / dpi;
    font.setPointSizeF(std::clamp(points, kMinPoints, kMaxPoints));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    // Metrics that do not depend on the device, so that a label that fits in
    // the preview fits on paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

LabelFonts MakeLabelFonts(const CPrintFonts& fonts, int dpi) {
    return LabelFonts{MakeLabelFont(fonts.m_lfEnglish, dpi, false),
                      MakeLabelFont(fonts.m_lfJapanese, dpi, true)};
}
