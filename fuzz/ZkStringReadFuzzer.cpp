// Reads stored strings from arbitrary bytes until a read fails: no crash, no
// allocation beyond what the data could hold, and every read stays inside it.

#include "platform/RecordingUserInteraction.h"
#include "zklib/ZkString.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    CMemFile file(std::string(reinterpret_cast<const char*>(data), size), "fuzz.kvd");
    CZkString value;
    for (;;) {
        const ULONGLONG before = file.GetPosition();
        if (!value.Read(&file))
            break;
        const ULONGLONG used = file.GetPosition() - before;
        if (used < 4 || file.GetPosition() > size ||
            static_cast<ULONGLONG>(value.GetLength()) > used - 4)
            std::abort();
    }
    // A failed read is reported once, and only when the data ran out.
    if (quiet.messages.size() != 1)
        std::abort();
    return 0;
}
