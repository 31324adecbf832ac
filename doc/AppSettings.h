#pragma once
// Every setting of the program, with its section, key, default and range, in
// one place; no other file spells a key.

#include "platform/CString.h"

struct IntSetting {
    const char* section;
    const char* key;
    int def;
    int min;
    int max;

    // The stored value brought into range; the default when missing.
    int Load() const;
    BOOL Save(int value) const;
};

struct StringSetting {
    const char* section;
    const char* key;
    const char* def;

    CString Load() const;
    BOOL Save(const char* value) const;
};

inline constexpr const char* kSettings = "Settings";

inline constexpr IntSetting kOpenPrevDoc{kSettings, "OpenPrevDoc", 1, 0, 1};
inline constexpr IntSetting kMaxMru{kSettings, "MaxMRU", 4, 4, 16};
inline constexpr IntSetting kAutoSave{kSettings, "AutoSave", 1, 0, 1};
inline constexpr IntSetting kMakeBackup{kSettings, "MakeBackup", 1, 0, 1};
inline constexpr IntSetting kMaxBackup{kSettings, "MaxBackup", 5, 0, 32};
inline constexpr StringSetting kBackupExt{kSettings, "BackupExt", "bak"};
inline constexpr IntSetting kMatchCase{kSettings, "MatchCase", 0, 0, 1};
inline constexpr IntSetting kSaveWndPos{kSettings, "SaveWndPos", 1, 0, 1};
inline constexpr IntSetting kNewCardLang{kSettings, "NewCardLang", 0, 0, 1};

// "left,top,right,bottom" of the main window (CZkRect::LoadProfile).
inline constexpr const char* kWindowPosSection = kSettings;
inline constexpr const char* kWindowPosKey = "WindowPos";

// The path of the last file opened or saved.
inline constexpr const char* kLastFileSection = "Most Recent File";
inline constexpr const char* kLastFileKey = "File";

// The recent-file list: "File1" (newest) to "File<n>".
inline constexpr const char* kRecentFileSection = "Recent File List";

// The bars' layout, as the main window saves it.
inline constexpr StringSetting kBarStates{"Bar States", "Layout", ""};

// The export dialog's last choices; the layout's own keys are CExportLayout's.
inline constexpr const char* kExportSection = "Export";
inline constexpr const char* kExportFileNameKey = "FileName"; // ProfilePath.h
inline constexpr IntSetting kExportRange{kExportSection, "Range", 0, 0, 2};
