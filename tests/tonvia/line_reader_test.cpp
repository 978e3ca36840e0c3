#include "tonvia/line_reader.h"

#include <gtest/gtest.h>

#include "support/tonvia/memory_directory.h"
#include "tonvia/number_reader.h"

namespace tonvia {
namespace {

using test_support::memoryTonviaInput;

struct ReadAll {
    std::vector<std::string> texts;
    std::vector<int> numbers;
    LineStatus status = LineStatus::Line;
    int lineNumber = 0;
};

ReadAll readAll(const std::string& text, std::size_t chunk = 7,
                std::optional<std::size_t> failAfter = std::nullopt) {
    auto input = memoryTonviaInput(text, chunk, failAfter);
    LineReader reader(*input);
    ReadAll result;
    SourceLine line;
    while ((result.status = reader.next(line)) == LineStatus::Line) {
        result.texts.push_back(line.text);
        result.numbers.push_back(line.number);
    }
    result.lineNumber = reader.lineNumber();
    return result;
}

TEST(LineReader, RemovesCommentsSkipsBlankLinesAndUpperCases) {
    struct Case {
        const char* name;
        std::string input;
        std::vector<std::string> lines;
        std::vector<int> numbers;
    };
    const std::vector<Case> cases = {
        {"line comment", "a // b\nc\n", {"A ", "C"}, {1, 2}},
        {"block comment in a line", "x /* y */ z\n", {"X  Z"}, {1}},
        {"block over lines drops the lines inside",
         "a /* one\ntwo\nthree */ b\nc\n",
         {"A ", " B", "C"},
         {1, 3, 4}},
        {"line comment inside a block does not count", "/* // */ q\n", {" Q"}, {1}},
        {"block inside a line comment does not count", "p // /* \nq\n", {"P ", "Q"}, {1, 2}},
        {"two blocks in a line", "/*a*/b/*c*/d\n", {"BD"}, {1}},
        {"slash star slash does not close", "/*/ x\ny */z\n", {"Z"}, {2}},
        {"unclosed block swallows the rest", "a\n/* b\nc\n", {"A"}, {1}},
        {"blank and tab-only lines are skipped", "\n  \n\t\nk\n", {"K"}, {4}},
        {"carriage return before line feed is dropped", "ab\r\ncd\r\n", {"AB", "CD"}, {1, 2}},
        {"last line without line feed", "x\ny", {"X", "Y"}, {1, 2}},
        {"only a-z change case", "sg_detectie \xEB{}\n", {"SG_DETECTIE \xEB{}"}, {1}},
        {"empty file", "", {}, {}},
    };
    for (const Case& c : cases) {
        for (const std::size_t chunk : {1, 3, 4096}) {
            const ReadAll all = readAll(c.input, chunk);
            EXPECT_EQ(all.status, LineStatus::End) << c.name;
            EXPECT_EQ(all.texts, c.lines) << c.name << " chunk " << chunk;
            EXPECT_EQ(all.numbers, c.numbers) << c.name;
        }
    }
}

TEST(LineReader, GivesPositionsOfFirstAndLastNonBlank) {
    auto input = memoryTonviaInput(" \tab c \t// x\n");
    LineReader reader(*input);
    SourceLine line;
    ASSERT_EQ(reader.next(line), LineStatus::Line);
    EXPECT_EQ(line.first, 2u);
    EXPECT_EQ(line.last, 5u);
    EXPECT_EQ(line.withoutTrailingBlanks(), " \tAB C");
}

TEST(LineReader, RefusesLongLinesAndBinaryDataWithTheirLineNumber) {
    const std::string max(256, 'x');
    struct Case {
        const char* name;
        std::string input;
        LineStatus status;
        std::size_t linesBefore;
        int lineNumber;
    };
    const std::vector<Case> cases = {
        {"256 characters", max + "\n", LineStatus::End, 1, 2},
        {"256 characters and CR LF", max + "\r\n", LineStatus::End, 1, 2},
        {"256 characters at the end without LF", max, LineStatus::End, 1, 1},
        {"257 characters", "a\n" + max + "y\nb\n", LineStatus::TooLong, 1, 2},
        {"257 characters with the CR", max + "y\r\n", LineStatus::TooLong, 0, 1},
        {"long comment line", "/*" + max + "*/\n", LineStatus::TooLong, 0, 1},
        {"a megabyte without line feed", std::string(1 << 20, 'z'), LineStatus::TooLong, 0, 1},
        {"NUL byte", std::string("a\nb\0c\n", 6), LineStatus::Binary, 1, 2},
    };
    for (const Case& c : cases) {
        const ReadAll all = readAll(c.input, 5);
        EXPECT_EQ(all.status, c.status) << c.name;
        EXPECT_EQ(all.texts.size(), c.linesBefore) << c.name;
        EXPECT_EQ(all.lineNumber, c.lineNumber) << c.name;
    }
}

TEST(LineReader, ReportsReadErrorsAndStaysAtTheFinalStatus) {
    const ReadAll all = readAll("abc\ndef\nghi\n", 3, 6);
    EXPECT_EQ(all.status, LineStatus::ReadError);
    EXPECT_EQ(all.texts, std::vector<std::string>{"ABC"});

    auto input = memoryTonviaInput("x\n" + std::string(300, 'y') + "\nz\n");
    LineReader reader(*input);
    SourceLine line;
    EXPECT_EQ(reader.next(line), LineStatus::Line);
    EXPECT_EQ(reader.next(line), LineStatus::TooLong);
    EXPECT_EQ(reader.next(line), LineStatus::TooLong);
    EXPECT_EQ(reader.lineNumber(), 2);
}

TEST(NumberReader, ReadsAtMostEightDigits) {
    struct Case {
        const char* text;
        std::size_t position;
        NumberStatus status;
        std::int32_t value;
        std::size_t end;
    };
    const Case cases[] = {
        {"SG02 ", 2, NumberStatus::Ok, 2, 4},
        {"12345678", 0, NumberStatus::Ok, 12345678, 8},
        {"99999999_", 0, NumberStatus::Ok, 99999999, 8},
        {"123456789", 0, NumberStatus::TooManyDigits, 0, 9},
        {"0000000001_3", 0, NumberStatus::TooManyDigits, 0, 10},
        {"SG_1", 2, NumberStatus::Missing, 0, 2},
        {"SG", 2, NumberStatus::Missing, 0, 2},
        {"SG", 5, NumberStatus::Missing, 0, 5},
        {" 5", 0, NumberStatus::Missing, 0, 0},
        {"-5", 0, NumberStatus::Missing, 0, 0},
    };
    for (const Case& c : cases) {
        const NumberResult result = readNumber(c.text, c.position);
        EXPECT_EQ(result.status, c.status) << c.text;
        EXPECT_EQ(result.value, c.value) << c.text;
        EXPECT_EQ(result.end, c.end) << c.text;
    }
    EXPECT_EQ(readSignedNumber("-17,", 0).value, -17);
    EXPECT_EQ(readSignedNumber("-17,", 0).end, 3u);
    EXPECT_EQ(readSignedNumber("-x", 0).status, NumberStatus::Missing);
    EXPECT_EQ(readSignedNumber("-x", 0).end, 0u);
    EXPECT_EQ(readSignedNumber("-123456789", 0).status, NumberStatus::TooManyDigits);
}

}  // namespace
}  // namespace tonvia
