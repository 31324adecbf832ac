#pragma once
// Buffers filled in one go (a whole file, the table of its fields) otherwise
// fault in one 4 KiB page at a time: a 20 MB book costs some 5,000 page faults
// before the first byte is read. Advising the kernel to back such a buffer
// with huge pages turns them into a handful.

#include <cstddef>

// Advises the whole huge pages inside [data, data + bytes); a range too small
// to hold one, or a system without the advice, is left as it is. Call it
// before the buffer is first written.
void AdviseHugePages(void* data, size_t bytes);
