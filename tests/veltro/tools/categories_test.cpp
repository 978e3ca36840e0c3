#include "veltro/tools/categories.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/veltro/tool_tables.h"
#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {
namespace {

std::vector<std::string> describe(const std::vector<ParameterRef>& refs) {
    std::vector<std::string> out;
    for (const ParameterRef& p : refs) {
        out.push_back(std::to_string(p.record.functionCode) + ":" +
                      std::to_string(p.record.index) + ":" + std::to_string(p.record.secondIndex) +
                      (p.skipped ? " skip" : ""));
    }
    return out;
}

TEST(Categories, WordsCountsAndProgressUnits) {
    auto t = test_support::sampleTables();
    const int expectedUnits[] = {2, 3, 3, 39, 6, 2, 4, 2, 2, 2};
    for (Category c : kAllCategories) {
        Category back{};
        ASSERT_TRUE(categoryFromWord(categoryTexts(c).word, back));
        EXPECT_EQ(back, c);
        EXPECT_EQ(progressUnits(c, *t), expectedUnits[categoryNumber(c)]);
    }
    Category unused{};
    EXPECT_FALSE(categoryFromWord("VG tijden", unused));  // the label is no word
    t->detectors.count = 0;
    EXPECT_EQ(entryCount(Category::Hiaattijden, *t), 0);
    EXPECT_EQ(scaleOf(Category::Klokken), 100);
    EXPECT_EQ(scaleOf(Category::Eggparm), 1);
    EXPECT_EQ(scaleOf(Category::Eparm), 10);
}

TEST(ParameterWalk, SendOrderGoesKindByKindAndMarksSkips) {
    auto t = test_support::sampleTables();
    // An MG time 3 of -1 and one of -0.1 are not sent; VG/GL skip the unnamed group.
    t->signalGroups[0].source[sg_value::mg(3)] = -1.0;
    t->signalGroups[2].source[sg_value::mg(3)] = -0.1;
    t->signalGroups[2].source[sg_value::mg(4)] = -0.09;
    t->detectors[1].source[det_value::kHTijd2] = -1.0;
    t->detectors[0].arrayNumber = -1;
    EXPECT_EQ(describe(sendOrder(Category::VgTijden, *t)),
              (std::vector<std::string>{"320:0:0", "320:1:0 skip", "320:2:0"}));
    const auto mg = describe(sendOrder(Category::MgTijden, *t));
    ASSERT_EQ(mg.size(), 39u);
    EXPECT_EQ(mg[0], "326:0:0");
    EXPECT_EQ(mg[2], "326:2:0");
    EXPECT_EQ(mg[3], "331:0:0");
    EXPECT_EQ(mg[9], "333:0:0 skip");
    EXPECT_EQ(mg[11], "333:2:0 skip");
    EXPECT_EQ(mg[14], "334:2:0");
    EXPECT_EQ(mg[18], "336:0:0");
    EXPECT_EQ(mg[21], "339:0:0");
    EXPECT_EQ(mg[38], "344:2:0");
    EXPECT_EQ(describe(sendOrder(Category::Hiaattijden, *t)),
              (std::vector<std::string>{"465:-1:0 skip", "465:11:0", "466:-1:0 skip",
                                        "466:11:0 skip", "463:-1:0 skip", "463:11:0"}));
    EXPECT_EQ(describe(sendOrder(Category::Klokken, *t)),
              (std::vector<std::string>{"450:0:0", "450:1:0", "451:0:0", "451:1:0"}));
    EXPECT_EQ(describe(sendOrder(Category::Ontruimingstijden, *t)),
              (std::vector<std::string>{"384:0:2", "384:2:0"}));
    EXPECT_EQ(describe(sendOrder(Category::Schakelaars, *t)),
              (std::vector<std::string>{"420:0:0", "420:1:0"}));
    EXPECT_EQ(describe(sendOrder(Category::Eggparm, *t)),
              (std::vector<std::string>{"33:0:0", "33:1:0"}));
    EXPECT_EQ(describe(sendOrder(Category::Eparm, *t)),
              (std::vector<std::string>{"32:0:0", "32:1:0"}));
    EXPECT_EQ(describe(sendOrder(Category::Tijden, *t)),
              (std::vector<std::string>{"34:0:0", "34:1:0"}));
}

TEST(ParameterWalk, CompareOrderGoesEntryByEntry) {
    auto t = test_support::sampleTables();
    const auto mg = compareOrder(Category::MgTijden, *t);
    ASSERT_EQ(mg.size(), 39u);
    EXPECT_EQ(mg[0].record.functionCode, 326);
    EXPECT_EQ(mg[1].record.functionCode, 331);
    EXPECT_EQ(mg[12].record.functionCode, 344);
    EXPECT_EQ(mg[12].part, 12);
    EXPECT_EQ(mg[13].entry, 1);
    EXPECT_EQ(describe(compareOrder(Category::Klokken, *t)),
              (std::vector<std::string>{"450:0:0", "451:0:0", "450:1:0", "451:1:0"}));
    const auto det = compareOrder(Category::Hiaattijden, *t);
    EXPECT_EQ(det[2].record.functionCode, 463);
    EXPECT_EQ(det[3].name, "SG05_1");
    // Each reference points at its own value slot and source.
    EXPECT_EQ(det[3].value, &t->detectors[1].controller[det_value::kHTijd1]);
    EXPECT_DOUBLE_EQ(det[3].source, 3.5);
    const auto sw = compareOrder(Category::Schakelaars, *t);
    EXPECT_TRUE(sw[1].integer);
    EXPECT_EQ(sw[1].integerSource, 1);
}

}  // namespace
}  // namespace veltro::tools
