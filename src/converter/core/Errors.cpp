#include "converter/core/Errors.h"

namespace korven::converter {

namespace {
std::string replaced(std::string text, const std::string& by) {
    const std::string placeholder = ConversionError::kFontName;
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + by.size()))
        text.replace(at, placeholder.size(), by);
    return text;
}
} // namespace

ConversionError::ConversionError(const std::string& message)
    : std::runtime_error(replaced(message, "the font")), pattern_(message) {}

std::string ConversionError::naming(const std::string& fontName) const {
    return replaced(pattern_, "\"" + fontName + "\"");
}

} // namespace korven::converter
