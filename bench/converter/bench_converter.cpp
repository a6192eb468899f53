// How much the conversion costs beyond FreeType's own rendering: the whole character set of
// DejaVu Sans at 16 px with a shadow of 2, against FreeType rendering the same glyphs alone.
// Both start from the font's bytes in memory, so opening the face counts on both sides.
// The process's peak memory is reported as a counter; the last benchmark converts a 64 MB file
// (the font followed by zeros) and reports how far the peak rises above the file's own size,
// which shows that the conversion keeps no copy of the font's bytes.
#include "converter/core/CharacterSet.h"
#include "converter/core/CharacterSets.h"
#include "converter/core/Converter.h"
#include "converter/core/FreeType.h"
#include "converter/core/Rasterizer.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sys/resource.h>

namespace {

using namespace korven::converter;

const std::vector<std::uint8_t>& dejaVuSans() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

void BM_ConvertDejaVu16(benchmark::State& state) {
    const auto& font = dejaVuSans();
    if (font.empty()) {
        state.SkipWithError("DejaVu Sans is not installed");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> pgf = convertToPgf(font, {16, 2.0});
        bytes = pgf.size();
        benchmark::DoNotOptimize(pgf.data());
    }
    state.counters["pgf_bytes"] = static_cast<double>(bytes);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ConvertDejaVu16)->Unit(benchmark::kMillisecond);

void BM_FreeTypeRenderOnly(benchmark::State& state) {
    const auto& font = dejaVuSans();
    if (font.empty()) {
        state.SkipWithError("DejaVu Sans is not installed");
        return;
    }
    for (auto _ : state) {
        const FtLibrary library;
        const FtFace face(library, font);
        FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE);
        setPixelSize(face.get(), 16);
        for (char32_t c : latinCharacterSet()) {
            if (FT_Load_Char(face.get(), c, FT_LOAD_RENDER | kLoadFlags) == 0)
                benchmark::DoNotOptimize(face.get()->glyph->bitmap.buffer);
        }
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_FreeTypeRenderOnly)->Unit(benchmark::kMillisecond);

// DejaVu Sans at 18 with a shadow of 2 and more character sets; the argument picks the list.
// Past 511 glyphs the time includes choosing which shadows to share.
const char* const kCharacterSets[] = {"latin", "latin,latin-extended", "latin,greek,cyrillic"};

void BM_ConvertDejaVu18WithCharacters(benchmark::State& state) {
    const auto& font = dejaVuSans();
    if (font.empty()) {
        state.SkipWithError("DejaVu Sans is not installed");
        return;
    }
    const char* sets = kCharacterSets[state.range(0)];
    ConversionSettings settings{18, 2.0};
    settings.extraCharacters = parseCharacterSets(sets).extraCharacters;
    state.SetLabel(sets);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> pgf = convertToPgf(font, settings);
        bytes = pgf.size();
        benchmark::DoNotOptimize(pgf.data());
    }
    state.counters["pgf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ConvertDejaVu18WithCharacters)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Registered last: it raises the process's peak, which the counters above must not see.
void BM_ConvertLargeFile(benchmark::State& state) {
    std::vector<std::uint8_t> font = dejaVuSans();
    if (font.empty()) {
        state.SkipWithError("DejaVu Sans is not installed");
        return;
    }
    constexpr std::size_t kSize = 64u << 20;
    font.resize(kSize, 0);
    for (auto _ : state) {
        const std::vector<std::uint8_t> pgf = convertToPgf(font, {16, 2.0});
        benchmark::DoNotOptimize(pgf.data());
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_above_input_MB"] = peakMegabytes() - static_cast<double>(kSize >> 20);
}
BENCHMARK(BM_ConvertLargeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
