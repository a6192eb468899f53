#pragma once

#include "converter/core/SystemFontSlots.h"

#include <array>
#include <optional>
#include <string>

namespace korven::converter {

// One face of a font file.
struct FaceFile {
    std::string path;
    // The face within a collection; the upper 16 bits name an instance of a variable font,
    // as FreeType and fontconfig number them.
    int index = 0;
    std::string styleName; // as the font names it, "Bold Oblique"; may be empty
    bool operator==(const FaceFile&) const = default;
};

// The faces of one family that fill the four styles.
struct FamilyFaces {
    // As the picked font names its family; empty when the picked file is no font fontconfig
    // can read (its conversion then says what is wrong with it).
    std::string familyName;
    // By SlotStyle. The regular is always there: when the family has no upright face of normal
    // weight, the picked face stands in. A style left empty is made from another face.
    std::array<std::optional<FaceFile>, 4> styles;

    const std::optional<FaceFile>& operator[](SlotStyle style) const {
        return styles[static_cast<std::size_t>(style)];
    }
};

// A face other than a file's first, named for people: "face 2" of a collection, "Inter, Bold
// instance" of a variable font (the family and the instance's style, or its number when the
// style is unnamed), both for an instance of a collection's face; empty for the first face.
std::string faceWords(const FaceFile& face, const std::string& familyName);

// The family of the picked font's first face, found the desktop's way: its installed faces
// through fontconfig, and the font files beside the picked one (a family unpacked in a folder,
// not installed), which win a tie with installed faces. The picked face fills its own style.
// For the others, faces of the picked font's width (condensed, normal...), optical size and
// file name stem ("EBGaramond12" of "EBGaramond12-Bold.otf") come first; a regular is upright
// and lighter than semibold, a bold is upright and semibold or heavier, each nearest to the
// usual weight.
FamilyFaces findFamilyFaces(const std::string& pickedFontPath);

} // namespace korven::converter
