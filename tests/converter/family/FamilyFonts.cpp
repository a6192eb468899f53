#include "FamilyFonts.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>

namespace korven::converter::testing {

namespace {

void replaceAll(std::string& bytes, const std::string& from, const std::string& to) {
    for (std::size_t at = bytes.find(from); at != std::string::npos;
         at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
}

std::string utf16(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += '\0';
        out += c;
    }
    return out;
}

} // namespace

std::string fileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

FontFolder::FontFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korven-family-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
}

FontFolder::~FontFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

bool FontFolder::addRenamed(const std::string& liberationFile) {
    std::ifstream in(kLiberationFolder + liberationFile, std::ios::binary);
    if (!in)
        return false;
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    // Mac names are single bytes, Windows names big-endian UTF-16.
    replaceAll(bytes, "Liberation", "Korvenxtst");
    replaceAll(bytes, utf16("Liberation"), utf16("Korvenxtst"));
    write(liberationFile, bytes);
    return true;
}

std::string FontFolder::write(const std::string& name, const std::string& bytes) {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
    return path(name);
}

} // namespace korven::converter::testing
