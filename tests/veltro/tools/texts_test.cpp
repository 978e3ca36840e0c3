#include <gtest/gtest.h>

#include <limits>
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

TEST(ToolMessages, VerificationAndDifferenceTextsPerCategory) {
    auto t = test_support::sampleTables();
    const ParameterRef vg = at(*t, Category::VgTijden, 0);
    EXPECT_EQ(verificationMessage(vg, 44),
              "Fout bij verifiëren VG-tijden van SG02\nWaarde is  4.50, in regeling 4");
    EXPECT_EQ(differenceMessage(vg, 46),
              "Verschil bij VG-tijden van SG02\nWaarde in broncode is  4.50, in regeling 4");
    const auto mg = sendOrder(Category::MgTijden, *t);
    EXPECT_EQ(differenceMessage(mg[0], 5),
              "Verschil bij MG-tijden van SG02-MG_TIJD0\nWaarde in broncode is 10.00, in "
              "regeling 0");
    EXPECT_EQ(differenceMessage(mg[36], 5),
              "Verschil bij MG-tijden van SG02-MG_TIJD12\nWaarde in broncode is 22.00, in "
              "regeling 0");
    EXPECT_EQ(verificationMessage(mg[36], 5),
              "Fout bij verifiëren MG-tijden van SG02\nWaarde is 22.00, in regeling 0");
    const auto det = sendOrder(Category::Hiaattijden, *t);
    EXPECT_EQ(differenceMessage(det[1], 1),
              "Verschil bij hiaattijden van SG05_1\nWaarde in broncode is  3.50, in regeling 0");
    EXPECT_EQ(differenceMessage(det[2], 1),
              "Verschil bij extra hiaattijden van SG02_1\nWaarde in broncode is  3.50, in "
              "regeling 0");
    EXPECT_EQ(verificationMessage(det[4], 1),
              "Fout bij verifiëren bezettijden van SG02_1\nWaarde is  1.00, in regeling 0");
    EXPECT_EQ(verificationMessage(det[3], 1),
              "Fout bij verifiëren extra hiaattijden van SG05_1\nWaarde is  4.50, in regeling 0");
    const auto clocks = sendOrder(Category::Klokken, *t);
    EXPECT_EQ(differenceMessage(clocks[0], 745),
              "Verschil bij klokken tijdstip 1 van KL_OCHTEND\nWaarde in broncode is  7.30, in "
              "regeling 7");
    EXPECT_EQ(verificationMessage(clocks[3], 1),
              "Fout bij verifiëren klokken tijdstip 2 van KL_AVOND\nWaarde is 10.15, in "
              "regeling 0");
    EXPECT_EQ(differenceMessage(at(*t, Category::Ontruimingstijden, 1), 50),
              "Verschil bij ontruimingstijden van SG05 naar SG02\nWaarde in broncode is  4.50, "
              "in regeling 5");
    EXPECT_EQ(verificationMessage(at(*t, Category::Ontruimingstijden, 0), 50),
              "Fout bij verifiëren ontruimingstijden van SG02 naar SG05\nWaarde is  3.00, in "
              "regeling 5");
    EXPECT_EQ(differenceMessage(at(*t, Category::Schakelaars, 1), 0),
              "Verschil bij schakelaar SCH_B\nWaarde in broncode is 1, in regeling 0");
    EXPECT_EQ(verificationMessage(at(*t, Category::Eggparm, 0), 41),
              "Fout bij verifiëren EGGPARM PRM_A\nWaarde is 40, in regeling 41");
    EXPECT_EQ(differenceMessage(at(*t, Category::Eparm, 1), 26),
              "Verschil bij EPARM EP_B\nWaarde in broncode is  2.50, in regeling 2");
    EXPECT_EQ(verificationMessage(at(*t, Category::Tijden, 1), 26),
              "Fout bij verifiëren tijd T_MIN\nWaarde is 13.00, in regeling 2");
    EXPECT_EQ(differenceMessage(at(*t, Category::GlTijden, 2), 26),
              "Verschil bij GL-tijden van SG05\nWaarde in broncode is  5.00, in regeling 2");
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
