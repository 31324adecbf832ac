#pragma once
// Marks what the shared ZkLib exports: it is built with hidden visibility, so
// only the classes and functions marked here are seen by the programs that
// link it. In the program's own static build the mark changes nothing.

#if defined(__GNUC__) || defined(__clang__)
#define ZKLIB_API __attribute__((visibility("default")))
#else
#define ZKLIB_API
#endif
