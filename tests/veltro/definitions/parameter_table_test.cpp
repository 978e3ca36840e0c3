#include "veltro/definitions/parameter_table.h"

#include <gtest/gtest.h>

#include <string>

#include "support/veltro/messages.h"
#include "veltro/definitions/definition_header.h"

namespace veltro {
namespace {

const char* const kHeader =
    "/* declaratie arraynummers voor signaalgroepen */\n"
    "#define SG01 0\n#define SG02 1\n#define SG03 2\n#define NUMSG 3\n"
    "/* declaratie arraynummers voor detectoren */\n"
    "#define SGD011 0\n#define D021 1\n#define NUMD 2\n"
    "/* declaratie arraynummers voor tijden */\n"
    "#define T_wacht 0\n#define NUMT 1\n"
    "/* declaratie arraynummers voor klokken */\n"
    "#define KL_ochtend 0\n#define NUMKL 1\n"
    "/* declaratie arraynummers voor extra geheel getal parameter */\n"
    "#define PRM_a 0\n#define NUMEGGP 1\n"
    "/* declaratie arraynummers voor extra parameters */\n"
    "#define EP_a 0\n#define EP_b 1\n#define EP_c 2\n#define NUMEP 3\n"
    "/* declaratie arraynummers voor schakelaars */\n"
    "#define SCH_a 0\n#define SCH_b 1\n#define SCH_c 2\n#define NUMSCH 3\n"
    "#define SG99 9\n";  // a definition only: not a signal group of the sections

struct Loaded {
    DefinitionTable definitions;
    ElementTables elements;
};

Loaded load(const std::string& table) {
    Loaded l;
    test_support::RecordingMessages messages;
    EXPECT_TRUE(readDefinitionPass1(kHeader, "ZXAPDEF.H", l.definitions, messages));
    readDefinitionSections(kHeader, l.elements);
    readParameterTable(table, l.definitions, l.elements);
    return l;
}

TEST(ParameterTable, SignalGroupAndDetectorTables) {
    Loaded l = load(
        "static const CONFLICT_tabel[] = {\n"
        "  SG01, SG02, x, 4.5,\n"
        "  SG00, SG02, x, 1.0,\n"  // two letters and 00: not taken
        "  SG02, SG03, x, 3.3,\n"
        "  STOP };\n"
        "SG_TIJDEN_tabel[] =\n"
        "  SG01, 1, 30, 4, 50,\n"
        "  SG99, 1, 99, 4, 99,\n"  // not among the signal groups of the header
        "  XX01, 1, 99, 4, 99,\n"  // no \"SG\" in the name
        "  STOP\n"
        "E_MG_TIJDEN_tabel[]\n  SG01, 40, NG, 60\nSTOP\n"
        "MG_TIJDEN_tabel[]\n"
        "/* SG01, 9, 9, 9, 9 */\n"
        "# SG01 9 9 9 9\n"
        "  SG02, 20, NG, 22.5, abc\n"
        "STOP\n"
        "E3_MG_TIJDEN_tabel[]\n  SG02 1 2 3\nSTOP\n"
        "SG_DETECTIE_tabel[]\n"
        "  SGD011, x, y, 4, 5, NG\n"
        "  D021, x, y, 4, 5, 6\n"
        "STOP\n");
    const auto& sg = l.elements.signalGroups;
    EXPECT_EQ(sg[0].source[sg_value::kVg], 30.0);
    EXPECT_EQ(sg[0].source[sg_value::kGl], 50.0);
    EXPECT_EQ(sg[0].source[sg_value::mg(4)], 40.0);
    EXPECT_EQ(sg[0].source[sg_value::mg(5)], -1.0);
    EXPECT_EQ(sg[0].source[sg_value::mg(6)], 60.0);
    EXPECT_EQ(sg[0].source[sg_value::kMg], -1.0);  // comment and # lines are no data
    EXPECT_EQ(sg[0].number, -1);
    EXPECT_EQ(sg[1].number, 2);
    EXPECT_EQ(sg[1].source[sg_value::kMg], 20.0);
    EXPECT_EQ(sg[1].source[sg_value::mg(1)], -1.0);
    EXPECT_EQ(sg[1].source[sg_value::mg(2)], 22.5);
    EXPECT_EQ(sg[1].source[sg_value::mg(3)], 0.0);  // not a number
    EXPECT_EQ(sg[1].source[sg_value::mg(10)], 1.0);
    EXPECT_EQ(sg[1].source[sg_value::mg(12)], 3.0);
    EXPECT_EQ(sg[1].source[sg_value::kVg], -1.0);
    EXPECT_EQ(sg[2].source[sg_value::kVg], -1.0);

    ASSERT_EQ(l.elements.conflicts.count, 2);
    const Conflict& c = l.elements.conflicts[1];
    EXPECT_EQ(c.fromName, "SG02");
    EXPECT_EQ(c.toArrayNumber, 2);
    EXPECT_EQ(c.value, static_cast<double>(3.3f));  // single precision
    EXPECT_EQ(l.elements.conflicts[0].value, 4.5);

    const auto& d = l.elements.detectors;
    EXPECT_EQ(d[0].source[det_value::kBztTijd], 4.0);
    EXPECT_EQ(d[0].source[det_value::kHTijd1], 5.0);
    EXPECT_EQ(d[0].source[det_value::kHTijd2], -1.0);
    EXPECT_EQ(d[1].source[det_value::kHTijd1], -1.0);  // its name holds no "SG"
}

TEST(ParameterTable, OtherKindsAndTableBoundaries) {
    Loaded l = load(
        "SG_TIJDEN_tabel[]  STOP\n"  // a header with STOP: empty table
        "  SG01, 1, 30, 4, 50,\n"
        "TIJDEN_tabel[]\n  T_wacht, 12.5\n  T_wacht, 13\nSTOP\n"
        "TIJDEN_tabel[]\n  T_wacht, 99\nSTOP\n"  // only the first occurrence counts
        "KLOKKEN_tabel[]\n  KL_ochtend 7.30 8.15\nSTOP\n"
        "SCHAKELAAR_tabel\n  SCH_a, AAN\n  SCH_b, UIT\n  SCH_c\nSTOP\n"
        "EGGPARMS_tabel\n  PRM_a, -12\nSTOP\n"
        "EPARMS_tabel\n  EP_a, 1.5, EP_b, 2, EP_c, 3.25, EP_a\nSTOP\n");
    EXPECT_EQ(l.elements.signalGroups[0].source[sg_value::kVg], -1.0);
    EXPECT_EQ(l.elements.times[0].source, 13.0);
    EXPECT_EQ(l.elements.clocks[0].source[0], 7.30);
    EXPECT_EQ(l.elements.clocks[0].source[1], 8.15);
    EXPECT_EQ(l.elements.switches[0].state, 1);
    EXPECT_EQ(l.elements.switches[1].state, 0);
    EXPECT_EQ(l.elements.intParameters[0].value, -12);
    EXPECT_EQ(l.elements.parameters[0].value, 1.5);  // the half pair behind is ignored
    EXPECT_EQ(l.elements.parameters[1].value, 2.0);
    EXPECT_EQ(l.elements.parameters[2].value, 3.25);
    EXPECT_EQ(l.elements.conflicts.count, 0);
}

TEST(ParameterTable, ValuesNotSetKeepEarlierReads) {
    Loaded l = load("SCHAKELAAR_tabel\n  SCH_c, AAN\nSTOP\nCONFLICT_tabel[]\n SG01 SG02 x 2\n");
    l.elements.switches[2].controller.storeFirst(1);
    ASSERT_EQ(l.elements.conflicts.count, 1);
    // A second read without these tables: the switch keeps its state, the
    // conflict slot its value (only the count starts again).
    readParameterTable("SCHAKELAAR_tabel\n  SCH_c\nSTOP\nCONFLICT_tabel[]\n SG01 SG03\n",
                       l.definitions, l.elements);
    EXPECT_EQ(l.elements.switches[2].state, 1);
    EXPECT_TRUE(l.elements.switches[2].controller.received());
    ASSERT_EQ(l.elements.conflicts.count, 1);
    EXPECT_EQ(l.elements.conflicts[0].toName, "SG03");
    EXPECT_EQ(l.elements.conflicts[0].value, 2.0);
}

TEST(ParameterTable, ConflictTableHoldsAThousand) {
    std::string text = "CONFLICT_tabel[]\n";
    for (int i = 0; i < 1005; ++i)
        text += "SG01, SG02, x, " + std::to_string(i) + "\n";
    Loaded l = load(text + "STOP\n");
    EXPECT_EQ(l.elements.conflicts.count, 1000);
    EXPECT_EQ(l.elements.conflicts[999].value, 999.0);
}

}  // namespace
}  // namespace veltro
