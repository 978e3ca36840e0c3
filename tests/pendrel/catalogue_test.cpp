#include "pendrel/generator/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pendrel {
namespace {

bool offers(const std::vector<std::string_view>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

TEST(Catalogue, GroupsAndMacrosFollowTheBlocksOfTheApplication) {
    EXPECT_EQ(macroGroups().size(), 18u);
    EXPECT_EQ(groupList(false).size(), 18u);
    EXPECT_EQ(groupList(true).size(), 17u);
    EXPECT_FALSE(offers(groupList(true), "blokken"));

    std::vector<std::string_view> withBlocks = macroList("signaalgroeptoestanden", false);
    std::vector<std::string_view> withoutBlocks = macroList("signaalgroeptoestanden", true);
    EXPECT_FALSE(offers(withBlocks, "BRT"));
    EXPECT_TRUE(offers(withoutBlocks, "BRT"));
    for (std::string_view macro : {"PPV", "VAA", "VNM", "BR", "AR", "PG", "PPA", "PPP", "PR"}) {
        EXPECT_TRUE(offers(withBlocks, macro)) << macro;
        EXPECT_FALSE(offers(withoutBlocks, macro)) << macro;
    }
    EXPECT_FALSE(offers(macroList("opties", true), "BO_OP"));
    EXPECT_FALSE(offers(macroList("standaard hulpfuncties", true), "TO_PRIM"));
    // Groups of kind 2 are never filtered.
    EXPECT_EQ(macroList("klokperioden", true).size(), 3u);
    EXPECT_TRUE(macroList("bestaat niet", false).empty());
}

TEST(Catalogue, LookupGivesKindMarkerAndColumns) {
    struct Case {
        std::string_view group, macro;
        ElementKind kind;
        std::string_view marker;
        int columns;
    };
    const Case cases[] = {
        {"standaard hulpfuncties", "WSRH", ElementKind::None, "~", 2},
        {"ontruimingstijden", "O_TIJD", ElementKind::ConflictPair, "~", 4},
        {"(extra) maximumgroentijden", "inst_MG_TIJD12", ElementKind::SignalGroup, "~~~", 3},
        {"overig", "datum", ElementKind::None, "~~~~~~~~~~", 2},
        {"detectie (fouten)", "DVWD", ElementKind::SpeedDetector, "~~~~", 3},
        {"opties", "PPA_OP", ElementKind::BlockedSignalGroup, "~", 4},
        {"tellers", "TL", ElementKind::Counter, "~~~", 3},
    };
    for (const Case& c : cases) {
        std::optional<CatalogueHit> hit = findEntry(c.group, c.macro);
        ASSERT_TRUE(hit) << c.macro;
        EXPECT_EQ(hit->entry->kind, c.kind) << c.macro;
        EXPECT_EQ(hit->entry->marker, c.marker) << c.macro;
        EXPECT_EQ(kindColumns(c.kind).requiredColumns, c.columns) << c.macro;
    }
    EXPECT_FALSE(findEntry("tellers", "HF"));
    EXPECT_EQ(blockRecordType("PPA_OP"), BlockRecordType::Alt);
    EXPECT_EQ(blockRecordType("PR"), BlockRecordType::Prim);
    EXPECT_EQ(blockRecordType("A"), BlockRecordType::None);
    EXPECT_EQ(kindColumns(ElementKind::ConflictPair).fourthHeading, "Conflicterende SG");
}

}  // namespace
}  // namespace pendrel
