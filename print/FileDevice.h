#pragma once
// A write-only QIODevice over a platform file, so that Qt writers (QPdfWriter)
// write through CFile and CAtomicFile. Writes are gathered into large blocks;
// Finish writes the rest. The first file error stops the writing and is kept
// for the caller to show.

#include "platform/File.h"

#include <QIODevice>

#include <optional>
#include <string>

class CFileDevice final : public QIODevice {
public:
    explicit CFileDevice(CFile& file);

    // Writes what is gathered; false when a write failed, now or before.
    bool Finish();
    const std::optional<CFileException>& Error() const { return m_error; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void WriteGathered();

    CFile& m_file;
    std::string m_gathered;
    std::optional<CFileException> m_error;
};
