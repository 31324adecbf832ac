#pragma once
// Where the layout files lie. The folders of the kinds ("LAYOUTS",
// "IMPORTS", "EXPORTS", "COPIES", "POSTCARDS") lie under one root: the directory of the
// program file, unless the program chose another (an installed program whose
// directory cannot be written keeps them in the user's data folder; tests use a
// temporary folder).

#include "platform/CString.h"
#include "platform/FileError.h"

#include <array>
#include <optional>
#include <string>

inline constexpr std::array<const char*, 5> kLayoutFolderNames = {"LAYOUTS", "IMPORTS", "EXPORTS",
                                                                  "COPIES", "POSTCARDS"};

// The chosen root, or the program's directory ("" when its path can't be had).
CString GetLayoutRoot();
// Null or "" goes back to the program's directory.
void SetLayoutRoot(const char* root);

// The root for a program in programDir, whose bundled layouts lie in its kind
// folders: programDir itself when it can be written, else userDir, where each
// kind folder that does not exist yet is made and filled with the bundled files.
// A kind folder that exists is left alone, so a layout the user deleted stays
// deleted.
CString ChooseLayoutRoot(const char* programDir, const char* userDir);

// Where a program in programDir finds its bundled layouts: programDir itself
// when it holds "LAYOUTS", else the installed data folder
// programDir/../share/kolvane when that does, else programDir.
CString FindBundledLayoutRoot(const char* programDir);

// Makes root/folder holding a copy of the files of bundledRoot/folder, unless
// root/folder exists. The copy is made under another name and renamed into
// place, so that a copy cut short is never taken for the seeded folder, and
// never over a folder that appeared meanwhile. FALSE when it could not be made.
BOOL SeedLayoutFolder(const char* root, const char* folder, const char* bundledRoot);

// A data file kept beside the layouts (PAPERS.DEF, POSTBOX.DEF): the copy in
// the chosen root when there is one, else the bundled one.
CString LayoutDataFilePath(const char* name);
// Reads at most limit bytes of the file at path into bytes, so that a large or
// binary file of that name costs no more than a normal one.
std::optional<CFileError> ReadLayoutDataFile(const char* path, size_t limit, std::string& bytes);
