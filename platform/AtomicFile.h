#pragma once
// A file that replaces its target only when complete: writes go to a temporary
// file beside the target, and Commit flushes it to the disk and renames it over
// the target. Until Commit succeeds the target is untouched; a file that is
// never committed is removed. Errors name the target, not the temporary file.

#include "platform/File.h"

class CAtomicFile : public CFile {
public:
    CAtomicFile() = default;
    ~CAtomicFile() override;

    // Creates the temporary file for target; FALSE with the cause in error.
    BOOL Open(const char* target, UINT flags = modeCreate | modeWrite,
              CFileException* error = nullptr) override;
    // Flushes, closes and renames over the target (raises CFileException).
    void Commit();
    // As Commit, but only while no file has the target's name: FALSE, with the
    // temporary file dropped and the other file untouched, when one has.
    BOOL CommitNew();
    // Drops the temporary file; the target stays as it was.
    void Abort() override;

    const std::string& GetTempPath() const { return m_tempPath; }

private:
    std::string m_tempPath;
};
