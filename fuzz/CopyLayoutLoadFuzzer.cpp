// Reads arbitrary bytes as a copy layout file: the flag the copy settings page
// filters by, then ReadName and Load. No crash, no message box, an error with a
// text or a layout of flag 0 or 1 whose fields are in range; the flag read
// alone agrees with the loaded one. A loaded layout makes the text of a card
// and is written and read back unchanged.

#include "FuzzedLayoutFile.h"
#include "transfer/CopyLayout.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string g_path;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_path = "/tmp/kolvane-copy-fuzz-" + std::to_string(getpid());
    std::atexit([] {
        std::remove(g_path.c_str());
        std::remove((g_path + ".saved").c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    CCopyLayout layout;
    const bool loaded = LoadFuzzedLayoutFile(g_path, data, size, layout, quiet);
    std::optional<CFileError> error;
    const int flag = CCopyLayout::ReadJapaneseFlag(g_path, &error);
    if ((flag < 0) != error.has_value() || (error && error->GetText().empty()) ||
        !quiet.messages.empty())
        std::abort();
    if (!loaded)
        return 0;
    if (flag != layout.GetJapaneseFlag() || layout.GetFields().size() > size / 4)
        std::abort();
    for (const int number : layout.GetFields())
        if (number < -1 || number >= EXPORT_FIELD_COUNT)
            std::abort();
    CAddrCard card;
    card.m_strName = " a ";
    card.m_strAddress = "1\r\n2";
    card.m_contacts.Add(1, "c");
    layout.MakeCopyText(card);
    for (int position = 0; position < layout.GetFieldCount(); ++position)
        layout.GetFieldTitle(position);

    const std::string saved = g_path + ".saved";
    CCopyLayout read;
    if (layout.Save(saved.c_str()) || read.Load(saved.c_str()) ||
        read.GetName() != layout.GetName() || read.GetFields() != layout.GetFields() ||
        read.GetJapaneseFlag() != layout.GetJapaneseFlag())
        std::abort();
    return 0;
}
