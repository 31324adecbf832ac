#include "platform/FileStep.h"

namespace {

FileStepHook g_hook = nullptr;

} // namespace

void SetFileStepHook(FileStepHook hook) {
    g_hook = hook;
}

void FileStep() {
    if (g_hook)
        g_hook();
}
