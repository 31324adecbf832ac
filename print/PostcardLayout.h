#pragma once
// Postcards and envelopes addressed on their own face: a postcard layout
// ("KVP" files in the folder "POSTCARDS") names a size of "POSTBOX.DEF" and
// the type sizes of the name, the address, the company and title beside the
// name, and the sender.
//
// "POSTBOX.DEF" (beside "PAPERS.DEF") holds, for each size, the paper, where
// the address face lies on it, where the recipient's and the sender's postal
// code boxes are printed on the face and the areas of the address, the name,
// the company beside it and the sender, in millimetres from the face's
// top-left corner. Text, one size a section:
//
//   [HAGAKI]
//   paper = 100, 148
//   face = 0, 0, 100, 148            left, top, width, height on the paper
//   zip = 12, 5.7, 8, 44.3, ...      top, width, height, the 7 boxes' lefts
//   senderzip = ...                  the same; 0 where the face has none
//   address = 70, 26, 93, 130        left, top, right, bottom
//   name = ...   beside = ...   sender = ...
//
// "//" begins a comment line. The user nudges a size's boxes and areas as a
// whole in the settings (section "PostalBoxes", the size as key, "X,Y" mm).

#include "layouts/Layout.h"
#include "print/PrinterOffset.h"
#include "print/RectMm.h"
#include "print/VerticalText.h"

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CPostcardLayout : public CLayout {
public:
    void CopyFrom(const CPostcardLayout& other);

    DWORD GetVersion() const override { return 1; }
    const char* GetExtension() const override { return "KVP"; }
    const char* GetFolderName() const override { return "POSTCARDS"; }

    CZkString m_strSize = "HAGAKI"; // a section of POSTBOX.DEF
    float m_fNamePoints = 22;
    float m_fAddressPoints = 14;
    float m_fBesidePoints = 11; // company and title
    float m_fSenderPoints = 9;

protected:
    std::optional<CFileError> ReadBody(CFile* file) override;
    void WriteBody(CFile* file) const override;
};

struct PostalBoxes {
    double top = 0;
    double width = 0;
    double height = 0;
    std::array<double, 7> left{};

    bool Present() const { return width > 0 && height > 0; }
    RectMm Box(int digit) const {
        const double l = left[static_cast<size_t>(digit)];
        return {l, top, l + width, top + height};
    }
};

struct PostcardSize {
    std::string key;
    double paperWidth = 0; // the page as printed
    double paperHeight = 0;
    RectMm face; // on the paper
    PostalBoxes recipient;
    PostalBoxes sender;
    // On the face.
    RectMm address;
    RectMm name;
    RectMm beside;
    RectMm senderArea;

    // Boxes and areas moved by a nudge.
    void Nudge(PrintOffset by);
};

inline constexpr size_t kMaxPostcardSizesBytes = 64 * 1024;

// The sizes with every value given, finite, within the paper and the face;
// others are left out. problems, when given, receives a line for each.
std::vector<PostcardSize> ParsePostcardSizes(std::string_view text,
                                             QStringList* problems = nullptr);
std::optional<CFileError> ReadPostcardSizes(const char* path, std::vector<PostcardSize>& sizes);
// "POSTBOX.DEF" under the layout root when one lies there, else beside the
// bundled layouts.
CString PostcardSizesPath();
const PostcardSize* FindPostcardSize(const std::vector<PostcardSize>& sizes, std::string_view key);

// The user's postcard settings (section "Postcards").
struct PostcardSettings {
    NumeralStyle numerals = NumeralStyle::Kanji; // "Numerals": 0, 1, 2
    CString sender;                              // "Sender": the name of the user's own card
    CString face = "IPAMincho";                  // "Face"
    CString layout;                              // "Layout": the last layout's name
    bool barcode = false;                        // "Barcode": the customer barcode on postcards
    bool envelopeBarcode = true; // "EnvelopeBarcode": the customer barcode on envelopes

    void LoadFromProfile();
    BOOL SaveToProfile() const;
};

// The nudge of a size's boxes (section "PostalBoxes"); none when not kept.
PrintOffset LoadPostalBoxNudge(const char* size);
BOOL SavePostalBoxNudge(const char* size, PrintOffset nudge);
