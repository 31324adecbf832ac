#pragma once
// Shared by the layout-file fuzzers: the fuzzer's bytes written to a file and
// read with ReadName and Load, as a user's damaged or hostile layout file would
// be. A refusal must come back as an error with a text, and nothing may be shown.

#include "platform/FileError.h"
#include "platform/RecordingUserInteraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

// True when the layout was read; then its name is the one ReadName gave. quiet
// is the service installed for the whole input, so that later checks see
// whatever else is shown.
template <class Layout>
bool LoadFuzzedLayoutFile(const std::string& path, const uint8_t* data, size_t size, Layout& layout,
                          const RecordingUserInteraction& quiet) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    CString name;
    layout.ReadName(path.c_str(), name);
    if (const std::optional<CFileError> error = layout.Load(path.c_str())) {
        if (error->GetText().empty() || !quiet.messages.empty())
            std::abort();
        return false;
    }
    if (layout.GetName() != name || !quiet.messages.empty())
        std::abort();
    return true;
}
