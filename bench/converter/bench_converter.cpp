// How much the conversion costs beyond FreeType's own rendering: the whole character set of
// DejaVu Sans at 16 px with a shadow of 2, against FreeType rendering the same glyphs alone.
// Both start from the font's bytes in memory, so opening the face counts on both sides.
// The process's peak memory is reported as a counter; the last benchmark converts a 64 MB file
// (the font followed by zeros) and reports how far the peak rises above the file's own size,
// which shows that the conversion keeps no copy of the font's bytes.
// The whole set of sixteen system font files for DejaVu Sans at 18 with a shadow of 2, as
// ttf2pgf --set makes it: finding the family's faces, reading them and converting every file
// (without writing them, whose time the disk decides); the goal is at most 150 ms median.
// jpn0.pgf and kr0.pgf from Noto Sans CJK's Japanese and Korean faces at 18 with a shadow of 2,
// each with its FreeType-only companion; the goals are 0.5 s and 150 MB for jpn0.pgf and 1 s
// for kr0.pgf, medians.
#include "converter/core/CharacterSet.h"
#include "converter/core/CharacterSets.h"
#include "converter/core/Converter.h"
#include "converter/core/FreeType.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/Rasterizer.h"
#include "converter/family/SetPlan.h"

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

double processCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0);
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

// Argument 0: the plain set; 1: every file fitted to its slot's box (ttf2pgf --set --fit),
// which converts the serif files apart, as their boxes differ from the sans-serif ones.
void BM_SystemFontSetDejaVu18(benchmark::State& state) {
    const bool fitted = state.range(0) == 1;
    state.SetLabel(fitted ? "fitted" : "plain");
    const std::string font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (dejaVuSans().empty()) {
        state.SkipWithError("DejaVu Sans is not installed");
        return;
    }
    std::size_t bytes = 0;
    const double cpuBefore = processCpuMilliseconds();
    for (auto _ : state) {
        const FamilyFaces faces = findFamilyFaces(font);
        SetPlan plan = planSystemFontSet(faces, faces, 18, 2.0);
        if (fitted)
            fitSetPlan(plan);
        FontFiles fonts;
        for (const SetPlanEntry& e : plan.entries)
            if (!fonts.contains(e.face.path)) {
                std::ifstream in(e.face.path, std::ios::binary);
                fonts.emplace(e.face.path,
                              std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
            }
        const auto outcomes = convertSystemFontSet(plan, fonts);
        bytes = 0;
        for (const SlotOutcome& o : outcomes)
            bytes += o.bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["pgf_bytes"] = static_cast<double>(bytes);
    // The work of all threads together: what the set costs on a machine with one free core.
    state.counters["cpu_ms_all_threads"] = benchmark::Counter(processCpuMilliseconds() - cpuBefore,
                                                              benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SystemFontSetDejaVu18)
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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

const std::vector<std::uint8_t>& notoSansCjk() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream in("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                         std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

// By the benchmark's argument: the set and the collection's face for its language.
struct ScriptCase {
    const char* file;
    const char* set;
    int face;
};
constexpr ScriptCase kScripts[] = {{"jpn0.pgf", "japanese", 0}, {"kr0.pgf", "korean", 1}};

ConversionSettings scriptSettings(const ScriptCase& script) {
    ConversionSettings settings{18, 2.0};
    settings.extraCharacters = parseCharacterSets(script.set).extraCharacters;
    settings.faceIndex = script.face;
    return settings;
}

void BM_ConvertNotoSansCjkScript(benchmark::State& state) {
    const auto& font = notoSansCjk();
    if (font.empty()) {
        state.SkipWithError("Noto Sans CJK is not installed");
        return;
    }
    const ScriptCase& script = kScripts[state.range(0)];
    const ConversionSettings settings = scriptSettings(script);
    state.SetLabel(script.file);
    std::size_t bytes = 0;
    std::size_t glyphs = 0;
    for (auto _ : state) {
        const ConversionResult result = convertFont(font, settings);
        const std::vector<std::uint8_t> pgf = writePgf(result.font);
        bytes = pgf.size();
        glyphs = result.font.glyphs.size();
        benchmark::DoNotOptimize(pgf.data());
    }
    state.counters["glyphs"] = static_cast<double>(glyphs);
    state.counters["pgf_bytes"] = static_cast<double>(bytes);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ConvertNotoSansCjkScript)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_FreeTypeRenderOnlyCjkScript(benchmark::State& state) {
    const auto& font = notoSansCjk();
    if (font.empty()) {
        state.SkipWithError("Noto Sans CJK is not installed");
        return;
    }
    const ScriptCase& script = kScripts[state.range(0)];
    std::vector<char32_t> characters = latinCharacterSet();
    const std::vector<char32_t> extra = scriptSettings(script).extraCharacters;
    characters.insert(characters.end(), extra.begin(), extra.end());
    state.SetLabel(script.file);
    for (auto _ : state) {
        const FtLibrary library;
        const FtFace face(library, font, script.face);
        FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE);
        setPixelSize(face.get(), 18);
        for (char32_t c : characters) {
            if (FT_Load_Char(face.get(), c, FT_LOAD_RENDER | kLoadFlags) == 0)
                benchmark::DoNotOptimize(face.get()->glyph->bitmap.buffer);
        }
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_FreeTypeRenderOnlyCjkScript)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

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
