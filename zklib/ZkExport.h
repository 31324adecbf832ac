#pragma once
// Marks what the shared ZkLib exports; everything else in it stays hidden
// (it is built with hidden visibility). In the program's static build the mark
// changes nothing.

#if defined(__GNUC__) || defined(__clang__)
#define ZKLIB_API __attribute__((visibility("default")))
#else
#define ZKLIB_API
#endif
