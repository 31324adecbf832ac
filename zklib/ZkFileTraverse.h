#pragma once
// Batch work on text files: a folder walk that hands each matching file to a
// virtual ProcessFile, a line-by-line copier that rewrites a file in place
// safely, word replacement on Shift_JIS character boundaries and a folder-size
// counter. Paths are bytes in the system's own encoding with "/" between
// folders; they are never treated as Shift_JIS. File contents are Shift_JIS.

#include "platform/CString.h"
#include "platform/Export.h"

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Finds the entries of one folder whose names match a pattern ("*" and "?",
// ignoring the case of ASCII letters; "*.*" matches every name, with or without
// a dot). Use: more = FindFile(p); while (more) { more = FindNextFile(); ... }.
class ZKLIB_API CZkFileFind {
public:
    CZkFileFind() = default;
    // pattern: a folder, a "/" and a name pattern; a pattern without "/" is
    // looked for in the current folder.
    BOOL FindFile(const char* pattern = "*.*");
    // Moves to the next entry; FALSE when it is the last one.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    // ZkFile_MakePath of the root and the name.
    CString GetFilePath() const;
    CString GetRoot() const { return CString(std::string_view(m_root)); }
    BOOL IsDots() const;
    // Links count as what they point to when links are followed.
    BOOL IsDirectory() const;
    BOOL IsSymLink() const;
    // A regular file (links count as what they point to when followed).
    BOOL IsRegularFile() const;
    // Size from the entry's metadata; -1 when it cannot be read.
    long long GetLength() const;
    void SetFollowLinks(BOOL follow) { m_followLinks = follow != FALSE; }
    // errno of a folder FindFile could not open, else 0.
    int GetError() const { return m_error; }

private:
    std::string m_root;
    std::vector<std::pair<std::string, unsigned char>> m_entries;
    size_t m_next = 0;
    bool m_followLinks = false;
    int m_error = 0;
};

// Progress of a long walk; FALSE from Step stops it (the user aborted).
class ZKLIB_API IZkProgress {
public:
    virtual ~IZkProgress() = default;
    virtual BOOL Step(unsigned long long files, unsigned long long bytes) = 0;
};

class ZKLIB_API CZkFileTraverse : public CObject {
public:
    void SetSubFolders(BOOL on) { m_bSubFolders = on; }
    // Patterns separated by ";"; a file matching several is processed once.
    void SetFileTypes(const char* types) { m_strFileTypes = types ? types : ""; }
    // Links to files and folders are skipped unless followed; followed, each
    // real folder is entered and each real file processed once.
    void SetFollowLinks(BOOL on) { m_bFollowLinks = on; }
    // The number of files processed, or -1 when a ProcessFile returned FALSE.
    // Each folder is listed whole before any of its files is processed.
    int Traverse(const char* folder);
    // Folders that could not be read by the last Traverse; the walk went on.
    const std::vector<CString>& GetSkippedFolders() const { return m_skipped; }

protected:
    // FALSE stops the whole walk.
    virtual BOOL ProcessFile(const char* path) = 0;

private:
    int Walk(const std::string& folder);

    BOOL m_bSubFolders = FALSE;
    BOOL m_bFollowLinks = FALSE;
    CString m_strFileTypes = "*.*";
    std::vector<std::string> m_patterns;
    std::set<std::pair<unsigned long, unsigned long>> m_seenFolders, m_seenFiles;
    std::vector<CString> m_skipped;
};

// Copies a Shift_JIS text file line by line through Head, Line and Tail. Each
// line keeps its own line end (CR LF, LF or none at the end of the file).
class ZKLIB_API CZkFileCopy : public CObject {
public:
    // A null or empty output, or one naming the input file, rewrites the input
    // in place: the result goes to a new file beside it, keeping its
    // permissions, and replaces it only when complete; on any failure the input
    // is left as it was and the result is FALSE. A file holding a zero byte is
    // no text and is left alone, and a rewrite that changes nothing writes
    // nothing; both count as success.
    BOOL Operate(const char* input, const char* output = nullptr);
    // Whether the last Operate wrote a file.
    BOOL Written() const { return m_bWritten; }
    BOOL SkippedBinary() const { return m_bBinary; }

protected:
    virtual BOOL Head() { return TRUE; }
    virtual BOOL Line(CString& line) {
        (void)line;
        return TRUE;
    }
    virtual BOOL Tail() { return TRUE; }
    // Adds bytes to the output; for Head and Tail.
    void Output(std::string_view bytes) { m_out.append(bytes); }
    // The line end of the file's first line (LF for a file without one).
    const char* LineEnd() const { return m_lineEnd; }
    // Lets a subclass skip a file whose bytes it would not change: FALSE leaves
    // the file unwritten.
    virtual BOOL WantsText(std::string_view text) {
        (void)text;
        return TRUE;
    }

private:
    std::string m_out;
    const char* m_lineEnd = "\n";
    BOOL m_bWritten = FALSE;
    BOOL m_bBinary = FALSE;
};

class ZKLIB_API CZkFileAddHead : public CZkFileCopy {
public:
    explicit CZkFileAddHead(const char* head) : m_strHead(head ? head : "") {}

protected:
    BOOL Head() override;

private:
    CString m_strHead;
};

class ZKLIB_API CZkFileReplaceWords : public CZkFileCopy {
public:
    CZkFileReplaceWords(const char* oldWord, const char* newWord, BOOL wholeWord, BOOL matchCase);
    int Replacements() const { return m_nCount; }

protected:
    BOOL Line(CString& line) override;
    BOOL WantsText(std::string_view text) override;

private:
    CString m_strOld, m_strNew;
    BOOL m_bWord, m_bCase;
    int m_nCount = 0;
};

class ZKLIB_API CZkFileAddHeadTraverse : public CZkFileTraverse {
public:
    void SetHead(const char* head) { m_strHead = head ? head : ""; }

protected:
    BOOL ProcessFile(const char* path) override;

private:
    CString m_strHead;
};

class ZKLIB_API CZkFileReplaceWordsTraverse : public CZkFileTraverse {
public:
    void SetOldString(const char* text) { m_strOld = text ? text : ""; }
    void SetNewString(const char* text) { m_strNew = text ? text : ""; }
    void SetWord(BOOL on) { m_bWord = on; }
    void SetCase(BOOL on) { m_bCase = on; }
    void SetProgress(IZkProgress* progress) { m_pProgress = progress; }
    // Files rewritten and replacements made so far; files that could not be
    // rewritten (left as they were).
    int FilesChanged() const { return m_nChanged; }
    int Replacements() const { return m_nReplaced; }
    const std::vector<CString>& GetFailedFiles() const { return m_failed; }

protected:
    BOOL ProcessFile(const char* path) override;

private:
    CString m_strOld, m_strNew;
    BOOL m_bWord = FALSE, m_bCase = FALSE;
    IZkProgress* m_pProgress = nullptr;
    int m_nChanged = 0, m_nReplaced = 0, m_nFiles = 0;
    std::vector<CString> m_failed;
};

// Adds up the sizes of a folder's files with its subfolders, from their
// metadata (a file that cannot be opened still counts).
class ZKLIB_API CZkFolderSizeCalculator : public CZkFileTraverse {
public:
    CZkFolderSizeCalculator() { SetSubFolders(TRUE); }

    unsigned long long m_nTotalSize = 0;
    unsigned long long m_nFileCount = 0;
    // Told after each file; may stop the walk.
    IZkProgress* m_pProgress = nullptr;

protected:
    BOOL ProcessFile(const char* path) override;
};

// Replaces old with new in text and returns the number of replacements.
// Matches begin and end on Shift_JIS character boundaries only; without
// matchCase, ASCII letters match either case; with wholeWord, a match next to
// an ASCII letter, digit or "_" is no word. An empty old word replaces nothing.
ZKLIB_API int ZkText_ReplaceWords(const char* text, CString& result, const char* oldWord,
                                  const char* newWord, BOOL wholeWord, BOOL matchCase);
ZKLIB_API int ZkText_ReplaceWords(std::string_view text, std::string& result,
                                  std::string_view oldWord, std::string_view newWord,
                                  BOOL wholeWord, BOOL matchCase);
// Position of the first match at or after from (rules as above), or npos.
ZKLIB_API size_t ZkText_FindWord(std::string_view text, std::string_view word, BOOL wholeWord,
                                 BOOL matchCase, size_t from = 0);

// The text of errno in the user's language (system encoding); the Show form
// shows it with a stop icon.
ZKLIB_API CString Zk_GetLastErrorMsg();
ZKLIB_API void Zk_ShowLastErrorMsg();
