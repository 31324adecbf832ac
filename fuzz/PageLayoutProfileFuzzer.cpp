// Loads the current page layout from settings holding arbitrary values: the
// layout read is always in range (out-of-range values give the defaults), it
// saves and reads back unchanged, and one page of it is drawn on a small image.
//
// Input: two bytes telling which of the thirteen numeric keys are present, then
// their values as 32-bit little-endian integers, then the layout name.

#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"
#include "print/LabelPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kKeys[] = {
    "Orientation",      "PageWidth",       "PageHeight",      "PageMarginTop", "PageMarginBottom",
    "PageMarginLeft",   "PageMarginRight", "Columns",         "Rows",          "CellMarginTop",
    "CellMarginBottom", "CellMarginLeft",  "CellMarginRight",
};

bool SameBody(const CPageLayout& a, const CPageLayout& b) {
    return a.m_nOrientation == b.m_nOrientation && a.m_lenPageWidth == b.m_lenPageWidth &&
           a.m_lenPageHeight == b.m_lenPageHeight && a.m_lenPageMarginTop == b.m_lenPageMarginTop &&
           a.m_lenPageMarginBottom == b.m_lenPageMarginBottom &&
           a.m_lenPageMarginLeft == b.m_lenPageMarginLeft &&
           a.m_lenPageMarginRight == b.m_lenPageMarginRight && a.m_nColumns == b.m_nColumns &&
           a.m_nRows == b.m_nRows && a.m_lenCellMarginTop == b.m_lenCellMarginTop &&
           a.m_lenCellMarginBottom == b.m_lenCellMarginBottom &&
           a.m_lenCellMarginLeft == b.m_lenCellMarginLeft &&
           a.m_lenCellMarginRight == b.m_lenCellMarginRight && a.GetName() == b.GetName();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    CMemorySettingsStore store;
    AfxSetProfile(&store);
    unsigned present = size >= 2 ? data[0] | data[1] << 8 : 0;
    size_t at = 2;
    for (const char* key : kKeys) {
        const bool has = present & 1;
        present >>= 1;
        if (!has || at + 4 > size)
            continue;
        int32_t value;
        std::memcpy(&value, data + at, 4);
        at += 4;
        store.WriteProfileInt("PageLayout", key, value);
    }
    if (at < size)
        store.WriteProfileString(
            "PageLayout", "LayoutName",
            std::string(reinterpret_cast<const char*>(data + at), size - at).c_str());

    CPageLayout layout;
    layout.LoadFromProfile();
    if (!layout.IsInRange())
        std::abort();
    layout.SaveToProfile();
    CPageLayout again;
    again.LoadFromProfile();
    if (!SameBody(layout, again))
        std::abort();

    CAddrCard card;
    card.m_nNotation = 0;
    card.m_strName = "\x8e\x52\x93\x63";
    card.m_strAddress = "Tokyo";
    const CPagePlan plan({&card}, layout.GetCellCount());
    QImage image(48, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const LabelFonts fonts{QFont(QStringLiteral("DejaVu Sans"), 9),
                           QFont(QStringLiteral("IPAGothic"), 9)};
    CLabelPainter(layout, fonts).DrawPage(painter, PxPerMm{0.2, 0.2}, plan, 0, true);
    painter.end();
    AfxSetProfile(nullptr);
    return 0;
}
