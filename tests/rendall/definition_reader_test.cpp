#include "rendall/definition_reader.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "rendall/definitions_text.h"

namespace rendall {
namespace {

using testing::replaced;
using testing::sampleHeader;

Error readHeader(const std::string& header, Definitions& definitions) {
    std::string prepared;
    Error error = prepareDefinitionsText(header, {}, prepared);
    return error.ok() ? readDefinitions(prepared, definitions) : error;
}

std::optional<std::int32_t> valueOf(const Definitions& definitions, std::string_view name) {
    for (const Definition& def : definitions.list) {
        if (def.name == name)
            return def.value;
    }
    return std::nullopt;
}

TEST(DefinitionReader, SectionsOfTheSampleHeader) {
    Definitions d;
    ASSERT_TRUE(readHeader(sampleHeader(), d).ok());
    ASSERT_EQ(d.list.size(), 27u);
    const std::pair<int, int> ranges[] = {{0, 1},   {3, 5},   {7, 8},   {10, 10}, {12, 13},
                                          {15, 15}, {17, 17}, {19, 20}, {22, 22}, {24, 24}};
    const std::int32_t counts[] = {2, 3, 2, 1, 2, 1, 1, 2, 1, 1};
    for (int s = 0; s < kSectionCount; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(d.sections[s].state, SectionState::Complete);
        EXPECT_EQ(d.sections[s].first, ranges[s].first);
        EXPECT_EQ(d.sections[s].last, ranges[s].second);
        EXPECT_EQ(d.sections[s].count, counts[s]);
    }
}

TEST(DefinitionReader, ValueTexts) {
    struct Case {
        const char* defines;
        std::int32_t expected;
    } cases[] = {
        {"#define A 5\n#define B 7\n#define X A+B\n", 12},
        {"#define A 5\n#define B 7\n#define X A + B\n", 12},
        {"#define A 5\n#define X A+1\n", 5},
        {"#define A 5\n#define X 2+A\n", 7},
        {"#define A 5\n#define A 5\n#define X A+A\n", 20},  // every earlier A counts
        {"#define A 5\n#define X A\n", 5},
        {"#define X 0012abc\n", 12},
        {"#define X (5)\n", 0},
        {"#define X\n", 0},
        {"#define X 99999999999\n", 2147483647},
        {"#define X 1 // one\n", 1},
        {"#define X 4 /* four */ \n", 4},
        {"#define X 6 /* spread\nover lines */\n", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defines);
        Definitions d;
        ASSERT_TRUE(readHeader(sampleHeader() + c.defines, d).ok());
        EXPECT_EQ(valueOf(d, "X"), c.expected);
        EXPECT_EQ(d.list.back().name, "X");
    }
}

TEST(DefinitionReader, ConditionalsAndCommentedOutDefines) {
    Definitions d;
    const std::string extra =
        "#define HAVE 1\n"
        "#ifdef HAVE\n#define A 1\n#else\n#define A 2\n#endif\n"
        "#ifndef HAVE\n#define B 1\n#endif\n"
        "#ifdef NOPE\n#ifdef HAVE\n#define C 1\n#endif\n#else\n#define D 1\n#endif\n"
        "/*\n#define HIDDEN 1\n*/\n"
        "// #define OLD 1\n";
    ASSERT_TRUE(readHeader(sampleHeader() + extra, d).ok());
    EXPECT_EQ(valueOf(d, "A"), 1);
    EXPECT_FALSE(valueOf(d, "B"));
    EXPECT_FALSE(valueOf(d, "C"));
    EXPECT_EQ(valueOf(d, "D"), 1);
    EXPECT_FALSE(valueOf(d, "HIDDEN"));
    EXPECT_FALSE(valueOf(d, "OLD"));
    EXPECT_EQ(d.list.size(), 30u);
}

TEST(DefinitionReader, Errors) {
    const std::string header = sampleHeader();
    struct Case {
        std::string header;
        int code;
        const char* message;
    } cases[] = {
        {header + "#define X A-1\n", kExpressionInDefine,
         "Expressie met -, * of / teken in #define statement\n\tStatement: #define X A-1"},
        {header + "#define X 2*3\n", kExpressionInDefine, nullptr},
        {header + "/* hiaattijden */\n", kKeywordTwice,
         "Gereserveerd woord 'tijden' komt meermaals voor in file ZXAPDEF.H"},
        {replaced(header, "/* tellers */\n", ""), kKeywordMissing,
         "Gereserveerd woord 'tellers' ontbreekt in file ZXAPDEF.H"},
        {header + "#define B1 7\n", kConflictingValues,
         "Symbool 'B1' gedefinieerd met verschillende waarden in file ZXAPDEF.H"},
        // The last recorded error wins.
        {header + "#define X A-1\n#define B1 7\n", kConflictingValues, nullptr},
        {replaced(header, "#define NUMBK 2\n", ""), kDefinitionMissing,
         "Definitie NUMBK niet gevonden in file ZXAPDEF.H"},
        {replaced(header, "NUMBK 2", "NUMBK 11"), kCountTooLarge,
         "Waarde NUMBK te groot in file ZXAPDEF.H"},
        {replaced(header, "NUMSG 3", "NUMSG 65"), kCountTooLarge, nullptr},
        {replaced(header, "NUMBK 2", "NUMBK 10"), kOk, nullptr},
        // A NUMSG above the number of definitions before the later sections
        // leaves their marked ranges alone.
        {replaced(header, "NUMSG 3", "NUMSG 64"), kOk, nullptr},
        {replaced(header, "#define NUMOV 40\n", ""), kDefinitionMissing,
         "Definitie NUMOV niet gevonden in file ZXAPDEF.H"},
        {replaced(header, "NUMD 2", "NUMD 41"), kGreaterThanNumov,
         "Waarde NUMD groter dan waarde NUMOV in file ZXAPDEF.H"},
        {replaced(header, "KL_OCHTEND 0", "KL_OCHTEND 2"), kSymbolValueTooLarge,
         "Waarde symbool 'KL_OCHTEND' te groot in file ZXAPDEF.H"},
        {replaced(header, "KL_OCHTEND 0", "KL_OCHTEND 1"), kOk, nullptr},
        {header + "#define " + std::string(32, 'N') + " 1\n", kNameTooLong, nullptr},
        {header + "#define " + std::string(31, 'N') + " 1\n", kOk, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header.substr(c.header.size() > 60 ? c.header.size() - 60 : 0));
        Definitions d;
        const Error error = readHeader(c.header, d);
        EXPECT_EQ(error.code, c.code);
        if (c.message) {
            EXPECT_EQ(error.message, c.message);
        }
    }
}

TEST(DefinitionReader, CapacityOfTheDefinitionsList) {
    std::string many = sampleHeader();
    for (int i = 27; i < 5000; ++i)
        many += "#define Q" + std::to_string(i) + " 1\n";
    Definitions d;
    EXPECT_TRUE(readHeader(many, d).ok());
    EXPECT_EQ(d.list.size(), 5000u);
    EXPECT_EQ(readHeader(many + "#define ONE_MORE 1\n", d).code, kTooManyDefinitions);
}

// Headers of older applications lack sections; they fall back on the
// definitions between NUMSG and NUMOV, and the extra integer parameters on none.
TEST(DefinitionReader, SectionsMissingFromOlderHeaders) {
    std::string header = replaced(sampleHeader(),
                                  "/* tellers */\n#define TL_A 0\n"
                                  "#define TL_B 1\n#define NUMTL 2\n",
                                  "");
    header = replaced(header,
                      "/* extra geheel getal parameters */\n#define EG_X 0\n"
                      "#define NUMEGGP 1\n",
                      "");
    Definitions d;
    ASSERT_TRUE(readHeader(header, d).ok());
    const int numsg = 6;
    const int numov = static_cast<int>(d.list.size()) - 1;
    EXPECT_EQ(d.sections[kCounters].first, numsg + 1);
    EXPECT_EQ(d.sections[kCounters].last, numov - 1);
    EXPECT_EQ(d.sections[kCounters].count, 40);
    const Section& integers = d.sections[kExtraIntegerParameters];
    EXPECT_EQ(integers.first, integers.last + 1);
}

}  // namespace
}  // namespace rendall
