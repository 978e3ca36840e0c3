#include "common/text_file.h"

#include <gtest/gtest.h>

#include "common/format.h"
#include "support/temp_dir.h"

TEST(TextFile, SplitsLikeATextModeReader) {
    using V = std::vector<std::string>;
    EXPECT_EQ(common::splitTextLines("a\r\nb\n\nc"), (V{"a", "b", "", "c"}));
    EXPECT_EQ(common::splitTextLines("a\rb\n"), (V{"a\rb"}));  // a lone CR is data
    // The last line has no line feed: its CR precedes none, so it is data too.
    EXPECT_EQ(common::splitTextLines("a\r\nb\r"), (V{"a", "b\r"}));
    EXPECT_EQ(common::splitTextLines(""), V{});
    EXPECT_EQ(common::splitTextLines("\n"), V{""});
}

// A directory where a file is expected is a file that cannot be read, for
// every reader built on these (it used to throw out of the program).
TEST(TextFile, ADirectoryIsNotAReadableFile) {
    test_support::TempDir dir;
    std::filesystem::create_directory(dir.path() / "ZXAPDEF.H");
    EXPECT_FALSE(common::readFileBytes(dir.path() / "ZXAPDEF.H").has_value());
    EXPECT_FALSE(common::readTextLines(dir.path() / "ZXAPDEF.H").has_value());
    EXPECT_FALSE(common::readFileBytes(dir.path() / "missing").has_value());
}

TEST(Format, FillsPrintfPlaceholders) {
    EXPECT_EQ(common::format("Debugger %3.3d", 1), "Debugger 001");
    EXPECT_EQ(common::format("%s : (%d) : ", "f.plo", 12), "f.plo : (12) : ");
    EXPECT_EQ(common::format("%5.2f|%-4s|", 3.14159, "ab"), " 3.14|ab  |");
    EXPECT_EQ(common::format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
}
