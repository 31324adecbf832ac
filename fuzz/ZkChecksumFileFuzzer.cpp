// Reads arbitrary bytes through the checksum file by one of its read forms, in
// text or binary mode, with Adler-32 or CRC-32. The sum must be zlib's over the
// bytes the form delivers: the file with CR LF made LF in text mode, and for
// the line form the lines without their line ends.

#include "zklib/ZkChecksumFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <zlib.h>

namespace {

DWORD Sum(int mode, const std::string& bytes) {
    const auto* p = reinterpret_cast<const Bytef*>(bytes.data());
    const auto n = static_cast<uInt>(bytes.size());
    return static_cast<DWORD>(mode == 1 ? adler32(adler32(0, nullptr, 0), p, n)
                                        : crc32(crc32(0, nullptr, 0), p, n));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int mode = data[0] & 1 ? 1 : 2;
    const bool text = data[0] & 2;
    const int form = (data[0] >> 2) % 3;
    const UINT chunk = 2 + data[1] % 64;
    const std::string file(reinterpret_cast<const char*>(data + 2), size - 2);

    static const std::string path = "/tmp/kolvane-sum-fuzz-" + std::to_string(::getpid());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out))
        std::abort();

    std::string delivered;
    for (size_t i = 0; i < file.size(); ++i) {
        if (!(text && file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n'))
            delivered += file[i];
    }
    std::string expected = delivered;
    if (form == 2) {
        expected.clear();
        for (size_t start = 0; start < delivered.size();) {
            size_t end = delivered.find('\n', start);
            const size_t next = end == std::string::npos ? delivered.size() : end + 1;
            if (end == std::string::npos)
                end = delivered.size();
            if (text && end > start && delivered[end - 1] == '\r')
                --end;
            expected.append(delivered, start, end - start);
            start = next;
        }
    }

    CZkChecksumStdioFile in(path.c_str(), CFile::modeRead | (text ? CFile::typeText : 0));
    in.BeginChecksum(mode);
    std::string got;
    char buffer[80];
    CString line;
    if (form == 0) {
        while (const UINT n = in.Read(buffer, chunk))
            got.append(buffer, n);
        if (got != delivered)
            std::abort();
    } else if (form == 1) {
        while (in.ReadString(buffer, chunk)) {
        }
    } else {
        while (in.ReadString(line)) {
        }
    }
    if (in.EndChecksum() != Sum(mode, expected))
        std::abort();
    return 0;
}
