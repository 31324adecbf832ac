#pragma once
// Every call of ours that changes the file system (creating, renaming, linking
// or removing a file) announces itself here first. A test installs a hook that
// ends the process at the n-th step, as a crash or a power cut would, and then
// checks what the files hold; the program installs none.

using FileStepHook = void (*)();

void SetFileStepHook(FileStepHook hook);
void FileStep();
