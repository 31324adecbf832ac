// Reads arbitrary bytes as an import layout file (built with KOLVANE_FUZZ_KVE:
// an export layout file) with ReadName and Load: no crash, no message box, an
// error with a text or a layout whose field numbers are all in range. A loaded
// layout makes a card or a CSV line and is written and read back unchanged.

#include "FuzzedLayoutFile.h"
#include "transfer/ExportLayout.h"
#include "transfer/ImportLayout.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

#ifdef KOLVANE_FUZZ_KVE
using Layout = CExportLayout;
constexpr int kFirst = -1, kLast = EXPORT_FIELD_COUNT - 1;
const std::vector<int>& Numbers(const Layout& layout) {
    return layout.GetFields();
}
void Use(const Layout& layout) {
    CAddrCard card;
    card.m_strName = "a\"b";
    card.m_strAddress = "1\r\n2\n3";
    card.m_contacts.Add(1, "c");
    layout.MakeLine(card);
    for (int position = 0; position < layout.GetFieldCount(); ++position)
        layout.GetFieldTitle(position);
}
#else
using Layout = CImportLayout;
constexpr int kFirst = IMPORT_NO_FIELD, kLast = IMPORT_FIELD_COUNT - 1;
const std::vector<int>& Numbers(const Layout& layout) {
    return layout.GetColumns();
}
void Use(Layout& layout) {
    static const CContactMethodTable methods = [] {
        CContactMethodTable table;
        table.SetDefaults();
        return table;
    }();
    const std::vector<std::string_view> texts(static_cast<size_t>(IMPORT_FIELD_COUNT) + 1, "x");
    for (const int notation : {NOTATION_JAPANESE, NOTATION_ENGLISH}) {
        layout.SetNotation(notation);
        layout.MakeCard(texts, methods);
        for (int column = 0; column <= layout.GetColumnCount(); ++column)
            layout.GetColumnTitle(column);
    }
}
#endif

std::string g_path;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_path = "/tmp/kolvane-transfer-fuzz-" + std::to_string(getpid());
    std::atexit([] {
        std::remove(g_path.c_str());
        std::remove((g_path + ".saved").c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    Layout layout;
    if (!LoadFuzzedLayoutFile(g_path, data, size, layout, quiet))
        return 0;
    if (Numbers(layout).size() > size / 4)
        std::abort();
    for (const int number : Numbers(layout))
        if (number < kFirst || number > kLast)
            std::abort();
    Use(layout);

    const std::string saved = g_path + ".saved";
    Layout read;
    if (layout.Save(saved.c_str()) || read.Load(saved.c_str()) ||
        read.GetName() != layout.GetName() || Numbers(read) != Numbers(layout))
        std::abort();
    return 0;
}
