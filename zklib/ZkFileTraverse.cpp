#include "zklib/ZkFileTraverse.h"

#include "platform/AtomicFile.h"
#include "platform/MbChar.h"
#include "platform/UserInteraction.h"
#include "zklib/ZkFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using uchar = unsigned char;

constexpr uchar Fold(uchar c) {
    return c >= 'a' && c <= 'z' ? static_cast<uchar>(c - 'a' + 'A') : c;
}

constexpr bool IsWordByte(uchar c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Whether p starts a character. The byte before a run of lead-range bytes ends
// a character, and inside the run the bytes pair up as lead and trail, so the
// parity of the run's length decides.
bool AtBoundary(const uchar* begin, const uchar* p) {
    const uchar* q = p;
    while (q > begin && mb::IsLeadByte(q[-1]))
        --q;
    return ((p - q) & 1) == 0;
}

// Compares the word with the text at p character by character: single bytes
// by their folded value when the case does not matter, double-byte characters
// exactly, so that no trail byte is ever folded.
bool MatchAt(const uchar* p, const uchar* w, size_t m, bool matchCase) {
    size_t i = 0;
    while (i < m) {
        if (mb::IsLeadByte(w[i]) && i + 1 < m) {
            if (p[i] != w[i] || p[i + 1] != w[i + 1])
                return false;
            i += 2;
        } else {
            if (matchCase ? p[i] != w[i] : Fold(p[i]) != Fold(w[i]))
                return false;
            ++i;
        }
    }
    return true;
}

// Name patterns as the finder reads them: "*" and "?" over bytes, ASCII
// letters in either case.
bool Glob(const char* p, const char* s) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*s) {
        if (*p == '?' || (*p && *p != '*' && Fold(uchar(*p)) == Fold(uchar(*s)))) {
            ++p;
            ++s;
        } else if (*p == '*') {
            star = p++;
            resume = s;
        } else if (star) {
            p = star + 1;
            s = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == '\0';
}

std::string NormalPattern(std::string pattern) {
    return pattern == "*.*" ? "*" : pattern;
}

// Reads a regular file whole; false when it cannot be opened or read. The
// size is only a first guess: the file is read to its end, however long.
bool ReadAll(const char* path, std::string& text) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    text.clear();
    if (ok)
        text.resize(static_cast<size_t>(st.st_size));
    for (size_t got = 0; ok;) {
        if (got == text.size())
            text.resize(got + 4096);
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            text.resize(got);
            break;
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    return ok;
}

bool SameFile(const char* a, const char* b) {
    struct stat sa {
    }, sb{};
    return ::stat(a, &sa) == 0 && ::stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

// ---------------------------------------------------------------------------
// CZkFileFind

BOOL CZkFileFind::FindFile(const char* pattern) {
    Close();
    const std::string full = pattern && *pattern ? pattern : "*.*";
    const size_t slash = full.rfind('/');
    std::string name = full;
    if (slash != std::string::npos) {
        m_root = slash == 0 ? "/" : full.substr(0, slash);
        name = full.substr(slash + 1);
    }
    name = NormalPattern(name);
    DIR* dir = ::opendir(m_root.empty() ? "." : m_root.c_str());
    if (!dir) {
        m_error = errno;
        return FALSE;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (Glob(name.c_str(), entry->d_name))
            m_entries.emplace_back(entry->d_name, entry->d_type);
    }
    ::closedir(dir);
    std::sort(m_entries.begin(), m_entries.end());
    return m_entries.empty() ? FALSE : TRUE;
}

BOOL CZkFileFind::FindNextFile() {
    if (m_next < m_entries.size())
        ++m_next;
    return m_next < m_entries.size() ? TRUE : FALSE;
}

void CZkFileFind::Close() {
    m_root.clear();
    m_entries.clear();
    m_next = 0;
    m_error = 0;
}

CString CZkFileFind::GetFileName() const {
    return m_next == 0 ? CString() : CString(std::string_view(m_entries[m_next - 1].first));
}

CString CZkFileFind::GetFilePath() const {
    return ZkFile_MakePath(m_root.c_str(), GetFileName());
}

BOOL CZkFileFind::IsDots() const {
    const CString name = GetFileName();
    return name == "." || name == "..";
}

BOOL CZkFileFind::IsSymLink() const {
    if (m_next == 0)
        return FALSE;
    const uchar type = m_entries[m_next - 1].second;
    if (type != DT_UNKNOWN)
        return type == DT_LNK;
    struct stat st {};
    return ::lstat(GetFilePath(), &st) == 0 && S_ISLNK(st.st_mode);
}

BOOL CZkFileFind::IsDirectory() const {
    if (m_next == 0)
        return FALSE;
    const uchar type = m_entries[m_next - 1].second;
    if (type == DT_DIR)
        return TRUE;
    if (type != DT_UNKNOWN && type != DT_LNK)
        return FALSE;
    struct stat st {};
    const int rc = m_followLinks ? ::stat(GetFilePath(), &st) : ::lstat(GetFilePath(), &st);
    return rc == 0 && S_ISDIR(st.st_mode);
}

BOOL CZkFileFind::IsRegularFile() const {
    if (m_next == 0)
        return FALSE;
    const uchar type = m_entries[m_next - 1].second;
    if (type == DT_REG)
        return TRUE;
    if (type != DT_UNKNOWN && type != DT_LNK)
        return FALSE;
    struct stat st {};
    const int rc = m_followLinks ? ::stat(GetFilePath(), &st) : ::lstat(GetFilePath(), &st);
    return rc == 0 && S_ISREG(st.st_mode);
}

long long CZkFileFind::GetLength() const {
    struct stat st {};
    const int rc = m_followLinks ? ::stat(GetFilePath(), &st) : ::lstat(GetFilePath(), &st);
    return m_next != 0 && rc == 0 ? static_cast<long long>(st.st_size) : -1;
}

// ---------------------------------------------------------------------------
// CZkFileTraverse

int CZkFileTraverse::Traverse(const char* folder) {
    m_skipped.clear();
    m_seenFolders.clear();
    m_seenFiles.clear();
    m_patterns.clear();
    const std::string& types = m_strFileTypes.str();
    for (size_t start = 0; start <= types.size();) {
        size_t end = types.find(';', start);
        if (end == std::string::npos)
            end = types.size();
        std::string pattern = types.substr(start, end - start);
        pattern.erase(0, pattern.find_first_not_of(' '));
        pattern.erase(pattern.find_last_not_of(' ') + 1);
        if (!pattern.empty())
            m_patterns.push_back(NormalPattern(pattern));
        start = end + 1;
    }
    std::string root = folder && *folder ? folder : ".";
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return Walk(root);
}

int CZkFileTraverse::Walk(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        m_skipped.emplace_back(std::string_view(folder));
        return 0;
    }
    if (!m_seenFolders.insert({st.st_dev, st.st_ino}).second)
        return 0;
    // The folder is listed whole first: files written later, such as the
    // temporary files of a rewrite, never join the walk.
    CZkFileFind find;
    find.SetFollowLinks(m_bFollowLinks);
    BOOL more = find.FindFile(((folder == "/" ? folder : folder + "/") + "*").c_str());
    if (!more && find.GetError() != 0) {
        m_skipped.emplace_back(std::string_view(folder));
        return 0;
    }
    std::vector<std::string> files, folders;
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots() || (!m_bFollowLinks && find.IsSymLink()))
            continue;
        const CString path = find.GetFilePath();
        if (find.IsDirectory()) {
            folders.push_back(path.str());
            continue;
        }
        if (!find.IsRegularFile())
            continue;
        const CString name = find.GetFileName();
        if (std::none_of(m_patterns.begin(), m_patterns.end(),
                         [&](const std::string& p) { return Glob(p.c_str(), name); }))
            continue;
        struct stat fs {};
        if (m_bFollowLinks &&
            (::stat(path, &fs) != 0 || !m_seenFiles.insert({fs.st_dev, fs.st_ino}).second))
            continue;
        files.push_back(path.str());
    }
    int count = 0;
    for (const std::string& path : files) {
        if (!ProcessFile(path.c_str()))
            return -1;
        ++count;
    }
    if (m_bSubFolders) {
        for (const std::string& path : folders) {
            const int n = Walk(path);
            if (n < 0)
                return -1;
            count += n;
        }
    }
    return count;
}

// ---------------------------------------------------------------------------
// CZkFileCopy and its members

BOOL CZkFileCopy::Operate(const char* input, const char* output) {
    m_bWritten = m_bBinary = FALSE;
    m_out.clear();
    m_lineEnd = "\n";
    std::string text;
    if (!input || !*input || !ReadAll(input, text))
        return FALSE;
    const bool inPlace = !output || !*output || SameFile(input, output);
    if (text.find('\0') != std::string::npos) {
        m_bBinary = TRUE;
        return TRUE;
    }
    if (inPlace && !WantsText(text))
        return TRUE;
    const size_t firstEnd = text.find('\n');
    if (firstEnd != std::string::npos && firstEnd > 0 && text[firstEnd - 1] == '\r')
        m_lineEnd = "\r\n";

    m_out.reserve(text.size() + text.size() / 16);
    if (!Head())
        return FALSE;
    const std::string_view all(text);
    for (size_t start = 0; start < all.size();) {
        const size_t nl = all.find('\n', start);
        size_t bodyEnd = nl == std::string_view::npos ? all.size() : nl;
        std::string_view ending;
        if (nl != std::string_view::npos) {
            const bool crlf = bodyEnd > start && all[bodyEnd - 1] == '\r';
            bodyEnd -= crlf ? 1 : 0;
            ending = crlf ? "\r\n" : "\n";
        }
        CString line(all.substr(start, bodyEnd - start));
        if (!Line(line))
            return FALSE;
        m_out += line.view();
        m_out += ending;
        start = nl == std::string_view::npos ? all.size() : nl + 1;
    }
    if (!Tail())
        return FALSE;
    if (inPlace && m_out == text)
        return TRUE;

    // In place, the real file is replaced: a link to it stays a link.
    std::string target = inPlace ? std::string() : std::string(output);
    if (inPlace) {
        char* real = ::realpath(input, nullptr);
        if (!real)
            return FALSE;
        target = real;
        std::free(real);
    }
    try {
        CAtomicFile file;
        if (!file.Open(target.c_str()))
            return FALSE;
        for (size_t done = 0; done < m_out.size();) {
            const UINT n = static_cast<UINT>(std::min<size_t>(m_out.size() - done, 1u << 30));
            file.Write(m_out.data() + done, n);
            done += n;
        }
        file.Commit();
    } catch (const CFileException&) {
        return FALSE;
    }
    m_bWritten = TRUE;
    return TRUE;
}

BOOL CZkFileAddHead::Head() {
    Output(m_strHead.view());
    Output(LineEnd());
    return TRUE;
}

CZkFileReplaceWords::CZkFileReplaceWords(const char* oldWord, const char* newWord, BOOL wholeWord,
                                         BOOL matchCase)
    : m_strOld(oldWord), m_strNew(newWord), m_bWord(wholeWord), m_bCase(matchCase) {}

BOOL CZkFileReplaceWords::WantsText(std::string_view text) {
    return ZkText_FindWord(text, m_strOld.view(), m_bWord, m_bCase) != std::string_view::npos;
}

BOOL CZkFileReplaceWords::Line(CString& line) {
    std::string result;
    const int n = ZkText_ReplaceWords(line.view(), result, m_strOld.view(), m_strNew.view(),
                                      m_bWord, m_bCase);
    if (n > 0) {
        line = CString(std::string_view(result));
        m_nCount += n;
    }
    return TRUE;
}

BOOL CZkFileAddHeadTraverse::ProcessFile(const char* path) {
    CZkFileAddHead op(m_strHead);
    return op.Operate(path);
}

BOOL CZkFileReplaceWordsTraverse::ProcessFile(const char* path) {
    CZkFileReplaceWords op(m_strOld, m_strNew, m_bWord, m_bCase);
    if (!op.Operate(path))
        m_failed.emplace_back(path);
    else if (op.Written()) {
        ++m_nChanged;
        m_nReplaced += op.Replacements();
    }
    ++m_nFiles;
    return !m_pProgress || m_pProgress->Step(static_cast<unsigned long long>(m_nFiles), 0);
}

BOOL CZkFolderSizeCalculator::ProcessFile(const char* path) {
    struct stat st {};
    if (::stat(path, &st) == 0)
        m_nTotalSize += static_cast<unsigned long long>(st.st_size);
    ++m_nFileCount;
    return !m_pProgress || m_pProgress->Step(m_nFileCount, m_nTotalSize);
}

// ---------------------------------------------------------------------------
// Text

size_t ZkText_FindWord(std::string_view text, std::string_view word, BOOL wholeWord, BOOL matchCase,
                       size_t from) {
    const size_t m = word.size(), n = text.size();
    if (m == 0 || n < m || from > n - m)
        return std::string_view::npos;
    const auto* t = reinterpret_cast<const uchar*>(text.data());
    const auto* w = reinterpret_cast<const uchar*>(word.data());
    const auto isWord = [&](size_t pos) {
        return !wholeWord || !((pos > 0 && IsWordByte(t[pos - 1]) && AtBoundary(t, t + pos - 1)) ||
                               (pos + m < n && IsWordByte(t[pos + m])));
    };
    if (matchCase) {
        // The library's search (vectorised) finds the candidates.
        for (size_t pos = text.find(word, from); pos != std::string_view::npos;
             pos = text.find(word, pos + 1)) {
            if (AtBoundary(t, t + pos) && MatchAt(t + pos, w, m, true) && isWord(pos))
                return pos;
        }
        return std::string_view::npos;
    }
    // Horspool's skips over folded bytes; every candidate is then checked on
    // character boundaries.
    std::array<size_t, 256> skip;
    skip.fill(m);
    for (size_t i = 0; i + 1 < m; ++i) {
        skip[w[i]] = m - 1 - i;
        skip[Fold(w[i])] = m - 1 - i;
        if (w[i] >= 'A' && w[i] <= 'Z')
            skip[w[i] + ('a' - 'A')] = m - 1 - i;
    }
    const uchar last = Fold(w[m - 1]);
    for (size_t pos = from; pos + m <= n; pos += skip[t[pos + m - 1]]) {
        const uchar c = t[pos + m - 1];
        if (Fold(c) == last && MatchAt(t + pos, w, m, false) && AtBoundary(t, t + pos) &&
            isWord(pos))
            return pos;
    }
    return std::string_view::npos;
}

int ZkText_ReplaceWords(std::string_view text, std::string& result, std::string_view oldWord,
                        std::string_view newWord, BOOL wholeWord, BOOL matchCase) {
    result.clear();
    int count = 0;
    size_t copied = 0;
    for (size_t pos = ZkText_FindWord(text, oldWord, wholeWord, matchCase);
         pos != std::string_view::npos;
         pos = ZkText_FindWord(text, oldWord, wholeWord, matchCase, copied)) {
        result.append(text.substr(copied, pos - copied));
        result.append(newWord);
        copied = pos + oldWord.size();
        ++count;
    }
    result.append(text.substr(copied));
    return count;
}

int ZkText_ReplaceWords(const char* text, CString& result, const char* oldWord, const char* newWord,
                        BOOL wholeWord, BOOL matchCase) {
    std::string out;
    const int n = ZkText_ReplaceWords(
        std::string_view(text ? text : ""), out, std::string_view(oldWord ? oldWord : ""),
        std::string_view(newWord ? newWord : ""), wholeWord, matchCase);
    result = CString(std::string_view(out));
    return n;
}

CString Zk_GetLastErrorMsg() {
    const int err = errno;
    // The user's language, whatever locale the program itself runs in.
    locale_t user = ::newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    const std::string text = user ? ::strerror_l(err, user) : std::strerror(err);
    if (user)
        ::freelocale(user);
    errno = err;
    return CString(std::string_view(text));
}

void Zk_ShowLastErrorMsg() {
    AfxMessageBoxUtf8(Zk_GetLastErrorMsg().str(), MB_OK | MB_ICONSTOP);
}
