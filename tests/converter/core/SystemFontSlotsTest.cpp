#include "converter/core/SystemFontSlots.h"

#include <gtest/gtest.h>

namespace korven::converter {
namespace {

TEST(SystemFontSlots, FileOrderAndWords) {
    const auto& slots = systemFontSlots();
    struct Row {
        int number;
        const char* description; // at size 18
    };
    for (const Row& row :
         {Row{0, "ltn0.pgf: sans-serif, regular, 18 px"}, Row{1, "ltn1.pgf: serif, regular, 18 px"},
          Row{2, "ltn2.pgf: sans-serif, italic, 18 px"}, Row{5, "ltn5.pgf: serif, bold, 18 px"},
          Row{6, "ltn6.pgf: sans-serif, bold italic, 18 px"},
          Row{8, "ltn8.pgf: sans-serif, regular, 12 px"},
          Row{12, "ltn12.pgf: sans-serif, bold, 12 px"},
          Row{15, "ltn15.pgf: serif, bold italic, 12 px"}})
        EXPECT_EQ(slotDescription(slots[static_cast<std::size_t>(row.number)], 18),
                  row.description);
    for (std::size_t n = 0; n < 8; ++n) {
        EXPECT_EQ(slots[n].number, static_cast<int>(n));
        EXPECT_FALSE(slots[n].small);
        EXPECT_TRUE(slots[n + 8].small);
        EXPECT_EQ(slots[n + 8].family, slots[n].family);
        EXPECT_EQ(slots[n + 8].style, slots[n].style);
    }
}

// 7 pt where the others have 10.125 pt, rounded half up, and never below 6.
TEST(SystemFontSlots, SmallSizeRule) {
    const std::pair<int, int> sizes[] = {{6, 6},   {8, 6},   {9, 6},   {10, 7},  {11, 8},
                                         {12, 8},  {13, 9},  {16, 11}, {17, 12}, {18, 12},
                                         {19, 13}, {20, 14}, {21, 15}, {22, 15}};
    for (const auto& [size, small] : sizes) {
        EXPECT_EQ(slotPixelSize(size, true), small) << size;
        EXPECT_EQ(slotPixelSize(size, false), size);
    }
}

} // namespace
} // namespace korven::converter
