#pragma once
// String-table ids of the texts the card forms and the dialogs show.

#include "platform/Types.h"

enum : UINT {
    IDS_OPTIONS_TITLE = 144,   // "ｵﾌﾟｼｮﾝ"
    IDS_MAX_MRU_RESTART = 145, // the recent-file count takes effect at the next start
    IDS_BACKUP_EXT_MISSING = 147, // "ﾊﾞｯｸｱｯﾌﾟの拡張子を入力してください（最大8文字)。"
    IDS_DELETE_METHOD = 265,   // "%s/%s": the delete question
    IDS_METHOD_RESERVED = 266, // the method cannot be deleted
    IDS_METHOD_NAME_MISSING = 267,

    IDS_UNSTORABLE_CHAR = 400,     // %1 the character, %2 its code point in hex
    IDS_MORE_CONTACTS = 401,       // %1 the number of entries the form cannot show
    IDS_DELETE_METHOD_USED = 402,  // "%s/%s", %d cards: the delete question
    IDS_BACKUP_EXT_BAD_CHAR = 403, // %1 the character
    IDS_PRINT_OFFSET_RANGE = 420,  // an offset beyond 20 mm or not a number
    IDS_CALIBRATION_NOT_PRINTED = 421,

    IDS_PARSE_INT_RANGE = 61714, // %1, %2: the framework's range message
    IDS_PARSE_REAL = 61716,      // the framework's message for decimal numbers
    IDS_PARSE_UINT = 61719,      // the framework's message for unsigned numbers
};
