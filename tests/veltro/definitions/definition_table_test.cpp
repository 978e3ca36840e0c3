#include "veltro/definitions/definition_table.h"

#include <gtest/gtest.h>

#include <string>

#include "veltro/definitions/element_tables.h"
#include "veltro/definitions/path_join.h"

namespace veltro {
namespace {

TEST(DefinitionTable, FirstOfDuplicatesWinsAndNamesAreCaseSensitive) {
    DefinitionTable table;
    EXPECT_EQ(table.lookup("X"), -1);  // empty table
    ASSERT_TRUE(table.add("tijd", 482));
    ASSERT_TRUE(table.add("TIJD", 421));
    ASSERT_TRUE(table.add("tijd", 7));
    EXPECT_EQ(table.lookup("tijd"), 482);
    EXPECT_EQ(table.lookup("TIJD"), 421);
    EXPECT_EQ(table.lookup("Tijd"), -1);
    EXPECT_EQ(table.lookup("tij"), -1);
    EXPECT_EQ(table.count(), 3);  // duplicates keep their entries, in order
    EXPECT_EQ(table.entries()[2].value, 7);
}

TEST(DefinitionTable, NameFieldHoldsThirtyOneCharacters) {
    DefinitionTable table;
    const std::string name31(31, 'a');
    const std::string name32 = std::string(31, 'b') + "c";
    table.add(name31, 1);
    table.add(name32, 2);
    EXPECT_EQ(table.lookup(name31), 1);
    EXPECT_EQ(table.entries()[1].name, std::string(31, 'b'));
    EXPECT_EQ(table.lookup(name32), -1);  // the whole name is compared
}

TEST(DefinitionTable, RefusesTheEntryBeyondCapacityAndStillAnswers) {
    DefinitionTable table;
    for (int i = 0; i < DefinitionTable::kCapacity; ++i) {
        ASSERT_TRUE(table.add(std::string("N").append(std::to_string(i)), i));
    }
    EXPECT_FALSE(table.add("extra", 1));
    EXPECT_EQ(table.count(), DefinitionTable::kCapacity);
    EXPECT_EQ(table.lookup("extra"), -1);
    EXPECT_EQ(table.lookup("N9999"), 9999);
    table.clear();
    EXPECT_EQ(table.lookup("N0"), -1);
    EXPECT_TRUE(table.add("N0", 5));
    EXPECT_EQ(table.lookup("N0"), 5);
}

TEST(PathJoin, SeparatorAndLengthLimit) {
    struct Case {
        std::string directory;
        const char* expected;  // nullptr: refused
    };
    const std::string longDir(1014, 'd');  // with the 9 characters of the name: 1023
    const std::string longJoined = longDir + "/ZXAPDEF.H";
    const Case cases[] = {
        {"/w", "/w/ZXAPDEF.H"},          {"/w/", "/w/ZXAPDEF.H"},
        {"C:\\W\\", "C:\\W\\ZXAPDEF.H"}, {"", "ZXAPDEF.H"},
        {longDir, longJoined.c_str()},   {longDir + "d", nullptr},  // 1024 together is refused
    };
    for (const Case& c : cases) {
        auto joined = joinPath(c.directory, "ZXAPDEF.H");
        if (c.expected) {
            ASSERT_TRUE(joined.has_value()) << c.directory;
            EXPECT_EQ(*joined, c.expected);
        } else {
            EXPECT_FALSE(joined.has_value()) << c.directory.size();
        }
    }
    EXPECT_EQ(directoryOf("/a/b\\ZXAPDEF.H"), "/a/b\\");
    EXPECT_EQ(fileNameOf("C:\\W\\DEBUG_001.PLO"), "DEBUG_001.PLO");
    EXPECT_EQ(directoryOf("ZXAPDEF.H"), "");
}

TEST(ControllerValue, KeepsTheFirstReportAndSurvivesCopies) {
    ControllerValue v;
    EXPECT_FALSE(v.received());
    EXPECT_TRUE(v.storeFirst(45));
    EXPECT_FALSE(v.storeFirst(46));
    ControllerValue copy = v;
    EXPECT_TRUE(copy.received());
    EXPECT_EQ(copy.value(), 45);
}

// Round 0 is "no read round yet": nothing was ever reported in it.
TEST(ControllerValue, ReportedOnlyInTheRoundItCameIn) {
    ControllerValue v;
    EXPECT_FALSE(v.reportedIn(0));
    EXPECT_FALSE(v.reportedIn(1));
    EXPECT_TRUE(v.storeReport(45, 1));
    EXPECT_TRUE(v.reportedIn(1));
    EXPECT_FALSE(v.reportedIn(0));
    EXPECT_FALSE(v.reportedIn(2));
    // A later round: the latest value follows, the original stays.
    EXPECT_FALSE(v.storeReport(46, 2));
    EXPECT_TRUE(v.reportedIn(2));
    EXPECT_FALSE(v.reportedIn(1));
    EXPECT_EQ(v.latest(), 46);
    EXPECT_EQ(v.value(), 45);
}

}  // namespace
}  // namespace veltro
