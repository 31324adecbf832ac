#include "transfer/FieldNumbers.h"

#include "layouts/LayoutIo.h"

namespace transferio {

std::vector<int> ReadFieldNumbers(CFile* file, int first, int last) {
    const LONG count = layoutio::ReadLong(file);
    if (count < 0 || static_cast<ULONGLONG>(count) > file->GetRemaining() / 4)
        throw CFileException(CFileException::endOfFile, 0, file->GetFilePath());
    std::vector<int> numbers(static_cast<size_t>(count));
    for (int& number : numbers) {
        const LONG read = layoutio::ReadLong(file);
        number = read >= first && read <= last ? static_cast<int>(read) : -1;
    }
    return numbers;
}

void WriteFieldNumbers(CFile* file, const std::vector<int>& numbers) {
    layoutio::WriteLong(file, static_cast<LONG>(numbers.size()));
    for (const int number : numbers)
        layoutio::WriteLong(file, number);
}

} // namespace transferio
