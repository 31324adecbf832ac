// The current page layout in the settings section "PageLayout": lengths as
// signed integers in hundredths of a millimetre, written in this order.

#include "platform/SettingsStore.h"
#include "print/PageLayout.h"

namespace {

constexpr const char* kSection = "PageLayout";

struct LengthKey {
    const char* key;
    Length CPageLayout::*field;
};

constexpr LengthKey kPageKeys[] = {
    {"PageWidth", &CPageLayout::m_lenPageWidth},
    {"PageHeight", &CPageLayout::m_lenPageHeight},
    {"PageMarginTop", &CPageLayout::m_lenPageMarginTop},
    {"PageMarginBottom", &CPageLayout::m_lenPageMarginBottom},
    {"PageMarginLeft", &CPageLayout::m_lenPageMarginLeft},
    {"PageMarginRight", &CPageLayout::m_lenPageMarginRight},
};

constexpr LengthKey kCellKeys[] = {
    {"CellMarginTop", &CPageLayout::m_lenCellMarginTop},
    {"CellMarginBottom", &CPageLayout::m_lenCellMarginBottom},
    {"CellMarginLeft", &CPageLayout::m_lenCellMarginLeft},
    {"CellMarginRight", &CPageLayout::m_lenCellMarginRight},
};

template <size_t N>
void LoadLengths(const ISettingsStore& store, const LengthKey (&keys)[N], CPageLayout& layout) {
    for (const LengthKey& k : keys) {
        const Length def = layout.*k.field;
        layout.*k.field =
            Length::fromHundredthsMm(store.GetProfileInt(kSection, k.key, def.hundredthsMm()));
    }
}

template <size_t N>
BOOL SaveLengths(ISettingsStore& store, const LengthKey (&keys)[N], const CPageLayout& layout) {
    BOOL ok = TRUE;
    for (const LengthKey& k : keys)
        ok &= store.WriteProfileInt(kSection, k.key, (layout.*k.field).hundredthsMm());
    return ok;
}

} // namespace

void CPageLayout::LoadFromProfile() {
    const ISettingsStore& store = AfxGetProfile();
    CPageLayout read;
    read.SetName(store.GetProfileString(kSection, "LayoutName", ""));
    read.m_nOrientation = store.GetProfileInt(kSection, "Orientation", read.m_nOrientation);
    LoadLengths(store, kPageKeys, read);
    read.m_nColumns = store.GetProfileInt(kSection, "Columns", read.m_nColumns);
    read.m_nRows = store.GetProfileInt(kSection, "Rows", read.m_nRows);
    LoadLengths(store, kCellKeys, read);
    CopyFrom(read.IsInRange() ? read : CPageLayout());
}

BOOL CPageLayout::SaveToProfile() const {
    ISettingsStore& store = AfxGetProfile();
    BOOL ok = store.WriteProfileString(kSection, "LayoutName", GetName());
    ok &= store.WriteProfileInt(kSection, "Orientation", m_nOrientation);
    ok &= SaveLengths(store, kPageKeys, *this);
    ok &= store.WriteProfileInt(kSection, "Columns", m_nColumns);
    ok &= store.WriteProfileInt(kSection, "Rows", m_nRows);
    ok &= SaveLengths(store, kCellKeys, *this);
    return ok;
}
