#pragma once

#include <stdexcept>
#include <string>

namespace korven::converter {

// A font that cannot be turned into a PGF file (not a font, no letters, glyphs too large...).
// Some messages are sentences about the font itself ("... has no letters"); those are written
// with the placeholder kFontName, which what() reads as "the font" and the command replaces by
// the file's name.
class ConversionError : public std::runtime_error {
public:
    static constexpr const char* kFontName = "{font}";

    explicit ConversionError(const std::string& message);

    // The message with the font called by its name, e.g. "\"Serif.ttf\" has no letters ...";
    // a message that does not speak of the font is returned as what() gives it.
    std::string naming(const std::string& fontName) const;
    bool speaksOfTheFont() const { return pattern_.find(kFontName) != std::string::npos; }

private:
    std::string pattern_;
};

// A conversion given up because its caller asked it to stop (see StopFlag).
class ConversionStopped : public std::runtime_error {
public:
    ConversionStopped() : std::runtime_error("the conversion was stopped") {}
};

// A PGF file that does not follow the format; the reader throws this instead of reading past
// the end of its buffer.
class PgfFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace korven::converter
