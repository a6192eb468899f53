#pragma once

#include "converter/family/CollectionFaces.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace korven::converter {

// The face of the font at `fontPath` to convert, given --face (`requested`) and the language of
// the chosen character sets ("ja", or empty): see chooseFace. A collection's face is named in a
// note on `err`. Nothing when `requested` lies past the collection's end; the refusal, naming
// how many faces it has, is then on `err`.
std::optional<int> takeFace(const std::string& fontPath, std::optional<int> requested,
                            std::string_view language, std::ostream& err);

// How a collection's face was taken, for notes: "face 1 of 10, \"Noto Sans CJK KR\", taken for
// Korean"; empty for a single font. `hint` adds how to take another with --face.
std::string faceWords(const FaceChoice& choice, std::string_view language, bool requested,
                      bool hint);

} // namespace korven::converter
