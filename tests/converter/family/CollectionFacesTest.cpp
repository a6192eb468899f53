#include "converter/family/CollectionFaces.h"

#include "../CjkFont.h"

namespace korven::converter {
namespace {

using testing::kNotoSansCjk;

// The face a language takes is the one named for it, not just any that covers it (every face
// of Noto Sans CJK covers Japanese and Korean alike); --face wins over the language.
TEST(CollectionFaces, TheFaceForTheLanguageOrTheOneAskedFor) {
    KORVEN_NEED_FONT(kNotoSansCjk);
    const struct {
        std::optional<int> requested;
        const char* language;
        int index;
        const char* family;
        bool forLanguage;
    } cases[] = {
        {std::nullopt, "ja", 0, "Noto Sans CJK JP", true},
        {std::nullopt, "ko", 1, "Noto Sans CJK KR", true},
        {std::nullopt, "", 0, "Noto Sans CJK JP", false},
        {std::nullopt, "xx", 0, "Noto Sans CJK JP", false},
        {3, "ja", 3, "Noto Sans CJK TC", false},
        {10, "ko", 10, "", false}, // past the end: the caller refuses it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + std::to_string(c.requested.value_or(-1)));
        const FaceChoice choice = chooseFace(kNotoSansCjk, c.requested, c.language);
        EXPECT_EQ(choice.faceCount, 10);
        EXPECT_EQ(choice.index, c.index);
        EXPECT_EQ(choice.familyName, c.family);
        EXPECT_EQ(choice.forLanguage, c.forLanguage);
    }
}

TEST(CollectionFaces, ASingleFontOrNoFont) {
    const std::string dejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    KORVEN_NEED_FONT(dejaVu);
    const FaceChoice single = chooseFace(dejaVu, std::nullopt, "ja");
    EXPECT_EQ(single.faceCount, 1);
    EXPECT_EQ(single.index, 0);
    EXPECT_FALSE(single.forLanguage);
    EXPECT_EQ(chooseFace("/nonexistent/font.ttc", std::nullopt, "ja").faceCount, 0);
}

} // namespace
} // namespace korven::converter
