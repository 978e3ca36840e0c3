#include "rendall/definitions_text.h"

#include <gtest/gtest.h>

namespace rendall {
namespace {

std::string prepared(std::string_view header, HeaderChoice choice = {}) {
    std::string out;
    EXPECT_TRUE(prepareDefinitionsText(header, choice, out).ok());
    return out;
}

TEST(DefinitionsText, BlanksTabsAndEmptyLinesAreSqueezed) {
    EXPECT_EQ(prepared("\t#define  A\t\t1 \n\n\n  #define B 2\n"), "#define A 1 \n#define B 2\n");
}

TEST(DefinitionsText, PcOmgevingBlockFollowsTheChoice) {
    const std::string header =
        "#define X 0\n#ifdef pc_omgeving\n#define PC 1\n#else\n#define PC 0\n#endif\n#define Y "
        "1\n";
    EXPECT_TRUE(hasPcOmgevingBlock(header));
    EXPECT_FALSE(hasPcOmgevingBlock("#ifndef pc_omgeving\n#endif\n"));
    // A marker that the 79-character pieces cut in two is not seen.
    EXPECT_FALSE(hasPcOmgevingBlock("/*" + std::string(70, 'x') + " */ #ifdef pc_omgeving\n"));

    EXPECT_EQ(prepared(header, {true, true}), "#define X 0\n#define PC 1\n#define Y 1\n");
    EXPECT_EQ(prepared(header, {true, false}), "#define X 0\n#define PC 0\n#define Y 1\n");
    const std::string withoutElse = "#ifdef pc_omgeving\n#define PC 1\n#endif\n#define Y 1\n";
    EXPECT_EQ(prepared(withoutElse, {true, false}), "#define Y 1\n");
}

TEST(DefinitionsText, TooLargeAfterPreparation) {
    std::string out;
    EXPECT_TRUE(prepareDefinitionsText(std::string(119999, 'x'), {}, out).ok());
    EXPECT_EQ(prepareDefinitionsText(std::string(120000, 'x'), {}, out).code, kFileTooLarge);
    // What is squeezed out does not count.
    EXPECT_TRUE(prepareDefinitionsText("x  \n\n\n" + std::string(119995, 'x'), {}, out).ok());
    EXPECT_EQ(out.size(), 119998u);
}

}  // namespace
}  // namespace rendall
