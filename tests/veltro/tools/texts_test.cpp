#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <string>

#include "support/veltro/tool_tables.h"
#include "veltro/tools/listing.h"
#include "veltro/tools/tool_messages.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {
namespace {

ParameterRef at(ElementTables& t, Category c, int i) {
    return sendOrder(c, t)[static_cast<std::size_t>(i)];
}

TEST(ValueConversion, TruncatesScalesAndCompares) {
    EXPECT_EQ(toControllerUnits(4.5, 10), 45);
    EXPECT_EQ(toControllerUnits(7.30, 100), 730);
    EXPECT_EQ(toControllerUnits(16.29, 100), 1629);  // 1628.9999999999998 in binary
    EXPECT_EQ(toControllerUnits(0.29, 100), 29);
    EXPECT_EQ(toControllerUnits(4.57, 10), 45);  // the fraction is dropped
    EXPECT_EQ(toControllerUnits(-4.57, 10), -45);
    EXPECT_EQ(toControllerUnits(1e12, 10), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toControllerUnits(-1e12, 10), std::numeric_limits<std::int32_t>::min());

    auto t = test_support::sampleTables();
    const ParameterRef vg = at(*t, Category::VgTijden, 0);  // 4.5 s
    EXPECT_EQ(sourceInControllerUnits(vg), 45);
    EXPECT_FALSE(differs(vg, 45));
    EXPECT_TRUE(differs(vg, 46));
    EXPECT_TRUE(differs(vg, 44));
    EXPECT_EQ(shownControllerValue(vg, 46), 4);
    EXPECT_EQ(shownControllerValue(vg, -46), -4);
    const ParameterRef clock = at(*t, Category::Klokken, 0);  // 7.30
    EXPECT_FALSE(differs(clock, 730));
    EXPECT_EQ(shownControllerValue(clock, 745), 7);
    const ParameterRef sw = at(*t, Category::Schakelaars, 1);  // state 1
    EXPECT_EQ(sourceInControllerUnits(sw), 1);
    EXPECT_TRUE(differs(sw, 0));
    EXPECT_EQ(shownControllerValue(sw, 7), 7);
}

// The table of message subjects is the fixture: every row is checked with
// both composers against the texts written out here in full (the first
// parameter of its category and part, a controller value of 46).
TEST(ToolMessages, EverySubjectInBothMessageKinds) {
    struct Expected {
        std::string verification;
        std::string difference;
    };
    const std::map<std::pair<Category, int>, Expected> expected = {
        {{Category::Ontruimingstijden, 0},
         {"Fout bij verifiëren ontruimingstijden van SG02 naar SG05\nWaarde is  3.00, in "
          "regeling 4",
          "Verschil bij ontruimingstijden van SG02 naar SG05\nWaarde in broncode is  3.00, in "
          "regeling 4"}},
        {{Category::VgTijden, 0},
         {"Fout bij verifiëren VG-tijden van SG02\nWaarde is  4.50, in regeling 4",
          "Verschil bij VG-tijden van SG02\nWaarde in broncode is  4.50, in regeling 4"}},
        {{Category::GlTijden, 0},
         {"Fout bij verifiëren GL-tijden van SG02\nWaarde is  3.00, in regeling 4",
          "Verschil bij GL-tijden van SG02\nWaarde in broncode is  3.00, in regeling 4"}},
        {{Category::MgTijden, 0},
         {"Fout bij verifiëren MG-tijden van SG02\nWaarde is 10.00, in regeling 4",
          "Verschil bij MG-tijden van SG02-MG_TIJD0\nWaarde in broncode is 10.00, in "
          "regeling 4"}},
        {{Category::Hiaattijden, 0},
         {"Fout bij verifiëren hiaattijden van SG02_1\nWaarde is  2.50, in regeling 4",
          "Verschil bij hiaattijden van SG02_1\nWaarde in broncode is  2.50, in regeling 4"}},
        {{Category::Hiaattijden, 1},
         {"Fout bij verifiëren extra hiaattijden van SG02_1\nWaarde is  3.50, in regeling 4",
          "Verschil bij extra hiaattijden van SG02_1\nWaarde in broncode is  3.50, in "
          "regeling 4"}},
        {{Category::Hiaattijden, 2},
         {"Fout bij verifiëren bezettijden van SG02_1\nWaarde is  1.00, in regeling 4",
          "Verschil bij bezettijden van SG02_1\nWaarde in broncode is  1.00, in regeling 4"}},
        {{Category::Tijden, 0},
         {"Fout bij verifiëren tijd T_MAX\nWaarde is 12.00, in regeling 4",
          "Verschil bij tijd T_MAX\nWaarde in broncode is 12.00, in regeling 4"}},
        {{Category::Klokken, 0},
         {"Fout bij verifiëren klokken tijdstip 1 van KL_OCHTEND\nWaarde is  7.30, in "
          "regeling 0",
          "Verschil bij klokken tijdstip 1 van KL_OCHTEND\nWaarde in broncode is  7.30, in "
          "regeling 0"}},
        {{Category::Klokken, 1},
         {"Fout bij verifiëren klokken tijdstip 2 van KL_OCHTEND\nWaarde is  9.15, in "
          "regeling 0",
          "Verschil bij klokken tijdstip 2 van KL_OCHTEND\nWaarde in broncode is  9.15, in "
          "regeling 0"}},
        {{Category::Schakelaars, 0},
         {"Fout bij verifiëren schakelaar SCH_A\nWaarde is 0, in regeling 46",
          "Verschil bij schakelaar SCH_A\nWaarde in broncode is 0, in regeling 46"}},
        {{Category::Eggparm, 0},
         {"Fout bij verifiëren EGGPARM PRM_A\nWaarde is 40, in regeling 46",
          "Verschil bij EGGPARM PRM_A\nWaarde in broncode is 40, in regeling 46"}},
        {{Category::Eparm, 0},
         {"Fout bij verifiëren EPARM EP_A\nWaarde is  1.50, in regeling 4",
          "Verschil bij EPARM EP_A\nWaarde in broncode is  1.50, in regeling 4"}},
    };
    auto t = test_support::sampleTables();
    std::set<std::pair<Category, int>> checked;
    for (const MessageSubject& row : messageSubjects()) {
        const int part = row.part == MessageSubject::kAnyPart ? 0 : row.part;
        const auto& parameters = sendOrder(row.category, *t);
        const auto p = std::find_if(parameters.begin(), parameters.end(),
                                    [&](const ParameterRef& q) { return q.part == part; });
        ASSERT_NE(p, parameters.end()) << row.subject;
        const auto want = expected.find({row.category, part});
        ASSERT_NE(want, expected.end()) << row.subject;
        EXPECT_EQ(verificationMessage(*p, 46), want->second.verification);
        EXPECT_EQ(differenceMessage(*p, 46), want->second.difference);
        checked.insert(want->first);
    }
    EXPECT_EQ(checked.size(), expected.size());
    // The difference names the MG time by its number; the verification does not.
    const auto mg = sendOrder(Category::MgTijden, *t);
    EXPECT_EQ(differenceMessage(mg[36], 5),
              "Verschil bij MG-tijden van SG02-MG_TIJD12\nWaarde in broncode is 22.00, in "
              "regeling 0");
    EXPECT_EQ(verificationMessage(mg[38], 5),
              "Fout bij verifiëren MG-tijden van SG05\nWaarde is 22.20, in regeling 0");
}

TEST(Listing, LinesPerCategory) {
    auto t = test_support::sampleTables();
    EXPECT_EQ(listingLine(at(*t, Category::Ontruimingstijden, 1), 45),
              "                     2  SG05    SG02       45\n");
    EXPECT_EQ(listingLine(at(*t, Category::VgTijden, 0), 45), "VG-tijd    SG02       45\n");
    EXPECT_EQ(listingLine(at(*t, Category::GlTijden, 2), 50), "GL-tijd    SG05       50\n");
    const auto mg = sendOrder(Category::MgTijden, *t);
    EXPECT_EQ(listingLine(mg[0], 100), "MG-tijd     SG02        100\n");
    EXPECT_EQ(listingLine(mg[36], 220), "MG-tijd12    SG02        220\n");
    const auto det = sendOrder(Category::Hiaattijden, *t);
    EXPECT_EQ(listingLine(det[0], 25), "H_TIJD1   SG02_1        25\n");
    EXPECT_EQ(listingLine(det[5], 20), "BZT_TIJD   SG05_1        20\n");
    EXPECT_EQ(listingLine(at(*t, Category::Tijden, 0), 120),
              "Tijd       T_MAX                    120\n");
    const auto clocks = sendOrder(Category::Klokken, *t);
    EXPECT_EQ(listingLine(clocks[0], 730), "1e Klok    KL_OCHTEND               730\n");
    EXPECT_EQ(listingLine(clocks[3], 1015), "2e Klok    KL_AVOND                1015\n");
    EXPECT_EQ(listingLine(at(*t, Category::Schakelaars, 0), 1),
              "Schakelaar    SCH_A                      1\n");
    EXPECT_EQ(listingLine(at(*t, Category::Eggparm, 1), 41),
              "EGGPARM    PRM_B                     41\n");
    EXPECT_EQ(listingLine(at(*t, Category::Eparm, 0), 15),
              "EPARM      EP_A                      15\n");
}

TEST(Listing, CategoryFileNames) {
    EXPECT_EQ(categoryFileName("aangepast.txt", Category::VgTijden), "aangepast_VG.txt");
    EXPECT_EQ(categoryFileName("aangepast.txt", Category::Klokken), "aangepast_KLOK.txt");
    EXPECT_EQ(categoryFileName("/tmp/x.y/afname", Category::Eparm), "/tmp/x.y/afname_EPARM");
    EXPECT_EQ(categoryFileName("C:\\data\\lijst.old.txt", Category::Ontruimingstijden),
              "C:\\data\\lijst.old_ONT.txt");
    EXPECT_EQ(categoryFileName("dir/.txt", Category::Schakelaars), "dir/_SCH.txt");
    EXPECT_EQ(categoryFileName("", Category::Hiaattijden), "_HIAAT");
}

}  // namespace
}  // namespace veltro::tools
