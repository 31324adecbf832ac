#pragma once
// The base of the four kinds of layout (page, import, export and copy): a named
// record stored alone in one small file. The file holds the 32-bit version word,
// the name in the stored form of CZkString and the kind's own body.
//
// Layouts are plain values. Load changes the object only when the whole file was
// read; Save writes a temporary file beside the target and renames it over the
// target, so a failed save leaves the previous file as it was; SaveNew never
// renames over a file. Failures come
// back as errors naming the file; nothing is shown here.

#include "platform/FileError.h"
#include "zklib/ZkString.h"

#include <optional>

class CLayout : public CObject {
public:
    // Replaces the name and the body with the file's; on an error the object
    // is unchanged.
    std::optional<CFileError> Load(const char* path);
    // Writes the layout, replacing any file of that path once it is complete.
    std::optional<CFileError> Save(const char* path) const;
    // Writes the layout to a new file: taken is TRUE, and nothing is written,
    // when a file has that path by the time the layout is complete.
    std::optional<CFileError> SaveNew(const char* path, BOOL& taken) const;
    // The name stored in the file; name is "" on an error.
    std::optional<CFileError> ReadName(const char* path, CString& name) const;

    // The kind's folder under the layout root (LayoutRoot.h); "" without a root.
    CString GetFolderPath() const;
    // The first free name USER000 to USER998 in the kind's folder, which is made
    // when missing; "" when the folder cannot be made or every name is taken.
    CString MakeNewFilePath() const;

    const CZkString& GetName() const { return m_strName; }
    void SetName(const char* name) { m_strName = name; }
    void CopyFrom(const CLayout& other) { m_strName = other.m_strName; }

    virtual DWORD GetVersion() const = 0;
    // Without the dot.
    virtual const char* GetExtension() const = 0;
    virtual const char* GetFolderName() const = 0;

protected:
    // Read the kind's fields, positioned just after the name. A kind changes its
    // fields only when it returns no error, so that a failed Load leaves the
    // object whole. File errors may be raised as CFileException.
    virtual std::optional<CFileError> ReadBody(CFile* file) = 0;
    // Raises CFileException on a failed write.
    virtual void WriteBody(CFile* file) const = 0;

private:
    // Version word and name, raising as ReadBody; the newer-version error.
    std::optional<CFileError> ReadHead(CFile* file, CZkString& name) const;
    std::optional<CFileError> Write(const char* path, BOOL* taken) const;

    CZkString m_strName;
};
