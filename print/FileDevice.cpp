#include "print/FileDevice.h"

#include "platform/AtomicFile.h"

namespace {
constexpr size_t kBlockSize = 1 << 16;
}

CFileDevice::CFileDevice(CFile& file) : m_file(file) {
    m_gathered.reserve(kBlockSize);
    open(QIODevice::WriteOnly);
}

qint64 CFileDevice::readData(char*, qint64) {
    return -1;
}

void CFileDevice::WriteGathered() {
    if (m_gathered.empty() || m_error)
        return;
    try {
        m_file.Write(m_gathered.data(), static_cast<UINT>(m_gathered.size()));
    } catch (const CFileException& e) {
        m_error = e;
    }
    m_gathered.clear();
}

qint64 CFileDevice::writeData(const char* data, qint64 size) {
    for (qint64 done = 0; done < size && !m_error;) {
        const size_t room = kBlockSize - m_gathered.size();
        const size_t part = static_cast<size_t>(std::min<qint64>(size - done, room));
        m_gathered.append(data + done, part);
        done += static_cast<qint64>(part);
        if (m_gathered.size() == kBlockSize)
            WriteGathered();
    }
    return m_error ? -1 : size;
}

bool CFileDevice::Finish() {
    WriteGathered();
    return !m_error;
}

BOOL WriteThroughDevice(const char* path, std::optional<CFileError>* fileError,
                        const std::function<bool(CFileDevice&)>& draw) {
    const auto fail = [fileError](const CFileException& e) {
        const CFileError error = CFileError::FromException(e, MB_ICONSTOP);
        if (fileError)
            *fileError = error;
        else
            error.Show();
        return FALSE;
    };
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error))
        return fail(error);
    CFileDevice device(file);
    const bool drawn = draw(device);
    if (!device.Finish())
        return fail(*device.Error());
    if (!drawn)
        return fail(CFileException(CFileException::genericException, 0, path));
    try {
        file.Commit();
    } catch (const CFileException& e) {
        return fail(e);
    }
    return TRUE;
}
