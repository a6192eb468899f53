// make_seeds DIR: writes starting inputs for the fuzz targets into DIR/converter and
// DIR/reader. The fonts are generated (no font files from elsewhere), and kept small so
// that each fuzz run is fast.
#include "TestFont.h"
#include "converter/core/Converter.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using korven::converter::testing::buildTestFont;
using korven::converter::testing::TestGlyph;

void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir / "converter");
    std::filesystem::create_directories(dir / "reader");
    const std::vector<std::vector<TestGlyph>> fonts = {
        {{'A', 600, 50, 0, 550, 700}},
        {{' ', 250}, {'_', 500, 0, -150, 500, -100}, {'H', 700, 60, 0, 640, 720}},
        {{'i', 300, 80, 0, 220, 500},
         {'W', 1400, 0, 0, 1400, 700},
         {0xE9, 600, 40, -20, 560, 760},
         {0x20AC, 650, 20, 0, 630, 710}},
    };
    int n = 0;
    // A font with every letter and digit, its "m" too wide at 22; an odd first byte (here size
    // 22) makes the converter refuse instead of leaving letters out.
    std::vector<TestGlyph> basics = korven::converter::testing::basicGlyphs();
    basics.push_back({'m', 1500, 50, 0, 1450, 500});
    std::erase_if(basics,
                  [](const TestGlyph& g) { return g.codePoint == 'm' && g.advance == 500; });
    std::vector<std::uint8_t> refused = {0x21};
    const std::vector<std::uint8_t> basicFont = buildTestFont(basics);
    refused.insert(refused.end(), basicFont.begin(), basicFont.end());
    write(dir / "converter" / "refused.bin", refused);
    for (const auto& glyphs : fonts) {
        const std::vector<std::uint8_t> font = buildTestFont(glyphs);
        for (std::uint8_t settings : {0x00, 0x4C, 0xE0}) {
            std::vector<std::uint8_t> input = {settings};
            input.insert(input.end(), font.begin(), font.end());
            write(dir / "converter" / ("seed" + std::to_string(n) + ".bin"), input);
            write(dir / "reader" / ("seed" + std::to_string(n) + ".pgf"),
                  korven::converter::convertToPgf(font, {6 + settings % 17, 2.0, true}));
            ++n;
        }
    }
    return 0;
}
