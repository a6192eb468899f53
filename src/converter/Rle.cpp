#include "converter/Rle.h"

#include <algorithm>
#include <limits>

namespace korven::converter {

namespace {
constexpr std::size_t kMaxGroup = 8;

struct Step {
    std::uint32_t cost = 0; // nibbles needed from here to the end
    std::uint8_t length = 0;
    bool run = false;
};
} // namespace

std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels) {
    const std::size_t n = pixels.size();
    std::vector<Step> best(n + 1);
    std::size_t sameAhead = 0; // equal pixels starting at i, counted from the right
    for (std::size_t i = n; i-- > 0;) {
        sameAhead = (i + 1 < n && pixels[i] == pixels[i + 1]) ? sameAhead + 1 : 1;
        Step choice{std::numeric_limits<std::uint32_t>::max(), 0, false};
        const std::size_t longest = std::min(kMaxGroup, n - i);
        for (std::size_t len = 1; len <= longest; ++len) {
            const std::uint32_t literal = static_cast<std::uint32_t>(1 + len) + best[i + len].cost;
            if (literal < choice.cost)
                choice = {literal, static_cast<std::uint8_t>(len), false};
            if (len <= sameAhead) {
                const std::uint32_t run = 2 + best[i + len].cost;
                if (run <= choice.cost)
                    choice = {run, static_cast<std::uint8_t>(len), true};
            }
        }
        best[i] = choice;
    }

    std::vector<std::uint8_t> nibbles;
    nibbles.reserve(best[0].cost);
    for (std::size_t i = 0; i < n; i += best[i].length) {
        const Step& s = best[i];
        if (s.run) {
            nibbles.push_back(static_cast<std::uint8_t>(s.length - 1));
            nibbles.push_back(pixels[i]);
        } else {
            nibbles.push_back(static_cast<std::uint8_t>(16 - s.length));
            nibbles.insert(nibbles.end(), pixels.begin() + static_cast<std::ptrdiff_t>(i),
                           pixels.begin() + static_cast<std::ptrdiff_t>(i + s.length));
        }
    }
    return nibbles;
}

std::vector<std::uint8_t> decodeRle(BitReader& reader, std::size_t count) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(count);
    while (pixels.size() < count) {
        const std::uint32_t code = reader.get(4);
        if (code < 8) {
            const auto value = static_cast<std::uint8_t>(reader.get(4));
            const std::size_t repeat = std::min<std::size_t>(code + 1, count - pixels.size());
            pixels.insert(pixels.end(), repeat, value);
        } else {
            for (std::uint32_t k = code; k < 16 && pixels.size() < count; ++k)
                pixels.push_back(static_cast<std::uint8_t>(reader.get(4)));
        }
    }
    return pixels;
}

} // namespace korven::converter
