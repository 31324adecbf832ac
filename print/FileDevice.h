#pragma once
// A write-only QIODevice over a platform file, so that Qt writers (QPdfWriter)
// write through CFile and CAtomicFile. Writes are gathered into large blocks;
// Finish writes the rest. The first file error stops the writing and is kept
// for the caller to show.

#include "platform/File.h"
#include "platform/FileError.h"

#include <QIODevice>

#include <functional>
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

// Writes the file at path through a device that draw fills (false: drawing
// failed), replacing the file only when everything was written. A failure is
// put into fileError, or shown when fileError is null. FALSE on failure, and
// the file at path is then untouched.
BOOL WriteThroughDevice(const char* path, std::optional<CFileError>* fileError,
                        const std::function<bool(CFileDevice&)>& draw);
