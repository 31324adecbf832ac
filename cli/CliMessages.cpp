#include "CliMessages.h"

#include "print/PrintMessages.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The message id the readers use for a file from a newer version.
constexpr UINT IDS_NEWER_VERSION = 151;

const char* EnglishCause(int cause) {
    switch (cause) {
    case CFileException::fileNotFound:
        return "%1: no such file or folder";
    case CFileException::badPath:
        return "%1: the path is not valid (a part of it is missing or is not a folder)";
    case CFileException::tooManyOpenFiles:
        return "%1: cannot be opened, too many files are open";
    case CFileException::accessDenied:
        return "%1: permission denied";
    case CFileException::invalidFile:
        return "%1: the file is not open";
    case CFileException::removeCurrentDir:
        return "%1: the current folder cannot be removed";
    case CFileException::directoryFull:
        return "%1: cannot be created, the folder is full";
    case CFileException::badSeek:
        return "%1: cannot move within the file";
    case CFileException::hardIO:
        return "%1: a device error occurred while reading or writing";
    case CFileException::sharingViolation:
        return "%1: the file is in use by another program";
    case CFileException::lockViolation:
        return "%1: a part of the file is locked by another program";
    case CFileException::diskFull:
        return "%1: cannot be written, the disk is full";
    case CFileException::endOfFile:
        return "%1: the file ends too early; it may be damaged";
    default:
        return "%1: an unexpected error occurred while reading or writing";
    }
}

std::string EnglishText(const CFileError& error) {
    if (error.m_pText == printmsg::BadPageLayoutFile)
        return Format("%1: cannot be read as a page layout; it may be damaged (rows and columns "
                      "1 to 100, portrait or landscape, sizes -2000 mm to 2000 mm)",
                      {error.m_strPath});
    if (error.m_nMessageId == IDS_NEWER_VERSION)
        return Format("%1: made by a newer version of the program; this version cannot read it",
                      {error.m_strPath});
    if (error.m_pText || error.m_nMessageId != 0)
        return Format("%1: cannot be read or written", {error.m_strPath});
    std::string text = Format(EnglishCause(error.m_cause), {error.m_strPath});
    if (error.m_lOsError != 0 && error.m_cause == CFileException::genericException)
        text += std::string(" (") + std::strerror(error.m_lOsError) + ")";
    return text;
}

} // namespace

bool JapaneseMessages() {
    static const bool japanese = [] {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            if (value && *value)
                return std::strncmp(value, "ja", 2) == 0;
        }
        return false;
    }();
    return japanese;
}

std::string Tr(const char* english, const char* japanese) {
    return JapaneseMessages() ? japanese : english;
}

std::string Format(std::string_view text, std::initializer_list<std::string> args) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : args.size();
        if (text[i] == '%' && n < args.size()) {
            out += args.begin()[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FileErrorText(const CFileError& error) {
    // Reading a folder fails as "access denied"; say what it is.
    if (error.m_lOsError == EISDIR)
        return Format(Tr("%1: is a folder, not a file", "%1 はﾌｧｲﾙではなくﾌｫﾙﾀﾞです。"),
                      {error.m_strPath});
    return JapaneseMessages() ? error.GetText() : EnglishText(error);
}
